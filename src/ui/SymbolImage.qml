import QtQuick
import Quillmoor.Ui

// A symbol drawn as a glyph of the embedded icon font, sized like text of `size` pixels.
Text {
    id: root

    required property string name
    property real size: 13

    text: Theme.symbol(root.name)
    font.family: Theme.symbolFontFamily
    font.pixelSize: root.size
    color: Theme.accent
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
