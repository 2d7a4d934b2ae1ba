import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// One of the two side buttons under the card: gold when it is the side shown.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    property bool selected: false

    leftPadding: 16
    rightPadding: 16
    topPadding: 8
    bottomPadding: 8
    focusPolicy: Qt.StrongFocus
    Accessible.role: Accessible.RadioButton
    Accessible.name: root.text
    Accessible.checked: root.selected

    contentItem: Text {
        text: root.text
        font: Theme.subheadline
        color: root.selected ? Theme.background : Theme.textPrimary
    }
    background: Rectangle {
        radius: height / 2
        color: root.selected ? Theme.accent : Theme.alpha(Theme.surface, root.hovered ? 0.75 : 0.5)
    }

    FocusRing {
        radius: height / 2
    }
}
