import QtQuick
import QtQuick.Templates as T
import Quillmoor.Ui

// The visible keyboard-focus ring of a control: an outline just outside it, apart from it by a
// gap of the screen behind, shown only while it has focus from the keyboard. Gold, or cream
// around a control whose `fill` is gold itself. Used as the control's background, or inside it
// with `control` set.
Rectangle {
    id: root

    property T.Control control: root.parent as T.Control
    // The control's own fill, which the ring must stand apart from.
    property color fill: "transparent"

    x: -5
    y: -5
    width: root.control ? root.control.width + 10 : 0
    height: root.control ? root.control.height + 10 : 0
    visible: root.control !== null && root.control.visualFocus
    color: "transparent"
    border.color: Theme.focusRingOn(root.fill)
    border.width: 2
}
