import QtQuick
import QtQuick.Controls

// A tool tip for a part of the window's frame, read from its file only when the pointer first
// rests on the part.
ToolTip {
    visible: true
}
