import QtQuick
import Quillmoor.Ui

// The yes/no leaning of the side shown, in its colour on a capsule of the same colour.
Rectangle {
    id: root

    property alias text: label.text
    property color tint: Theme.accent

    implicitWidth: label.implicitWidth + 20
    implicitHeight: label.implicitHeight + 8
    radius: height / 2
    color: Theme.alpha(root.tint, 0.25)

    ReadableText {
        id: label

        anchors.centerIn: parent
        font: Theme.subheadlineSerifMedium
        color: Theme.tintedTextOn(root.tint, root.color)
    }
}
