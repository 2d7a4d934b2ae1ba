import QtQuick
import QtQuick.Templates as T
import Quillmoor.Cards

// The visible keyboard-focus ring of a control: a gold outline just outside it, shown only
// while it has focus from the keyboard. Used as the control's background, or inside it with
// `control` set.
Rectangle {
    id: root

    property T.Control control: root.parent as T.Control

    x: -4
    y: -4
    width: root.control ? root.control.width + 8 : 0
    height: root.control ? root.control.height + 8 : 0
    visible: root.control !== null && root.control.visualFocus
    color: "transparent"
    border.color: Theme.accent
    border.width: 2
}
