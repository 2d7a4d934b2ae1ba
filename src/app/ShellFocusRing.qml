import QtQuick
import Quillmoor.Ui
import Quillmoor.App

// The keyboard-focus ring of a part of the window's frame: a gold outline just inside it,
// shown while the control has the focus from the keyboard.
Rectangle {
    required property ShellControl control

    anchors.fill: parent
    anchors.margins: 2
    visible: control.visualFocus
    radius: 4
    color: "transparent"
    border.width: 2
    border.color: Theme.accent
}
