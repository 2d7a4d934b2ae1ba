import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// One filter chip: its label on a capsule, gold when it is the chip selected.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    property bool selected: false

    leftPadding: 14
    rightPadding: 14
    topPadding: 6
    bottomPadding: 6
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

        Behavior on color {
            ColorAnimation {
                duration: 200
            }
        }
    }

    FocusRing {
        radius: height / 2
        fill: root.selected ? Theme.accent : "transparent"
    }
}
