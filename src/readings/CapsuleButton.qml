import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// The main action of a screen: dark serif text on a gold capsule.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    leftPadding: 32
    rightPadding: 32
    topPadding: 14
    bottomPadding: 14
    focusPolicy: Qt.StrongFocus
    Accessible.name: root.text

    contentItem: Text {
        text: root.text
        font: Theme.title3Serif
        color: Theme.background
        horizontalAlignment: Text.AlignHCenter
    }
    background: Rectangle {
        radius: height / 2
        color: root.down ? Qt.darker(Theme.accent, 1.15) : root.hovered ? Qt.lighter(Theme.accent, 1.08) : Theme.accent
    }

    FocusRing {
        radius: root.height / 2 + 5
        fill: Theme.accent
    }
}
