import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// One choice among a few, or a switch of its own: a rounded label, gold when chosen. Space or
// Return chooses it from the keyboard.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    leftPadding: 16
    rightPadding: 16
    topPadding: 8
    bottomPadding: 8
    focusPolicy: Qt.StrongFocus
    Accessible.name: root.text
    Accessible.role: root.checkable ? Accessible.CheckBox : Accessible.RadioButton
    Accessible.checkable: true
    Accessible.checked: root.checked

    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    contentItem: Text {
        text: root.text
        font: Theme.subheadline
        color: root.checked ? Theme.background : Theme.textPrimary
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle {
        radius: height / 2
        color: root.checked ? Theme.accent : root.hovered ? Theme.alpha(Theme.accent, 0.2) : Theme.alpha(Theme.textPrimary, 0.08)
        border.width: 1
        border.color: Theme.alpha(Theme.accent, 0.6)

        FocusRing {
            control: root
            radius: parent.radius + 5
            fill: root.checked ? Theme.accent : "transparent"
        }
    }
}
