import QtQuick
import QtQuick.Controls

// The tool tip of an icon-only button: its words, shown while the pointer rests on it.
ToolTip {
    id: root

    // The button the tip belongs to.
    property AbstractButton button: root.parent as AbstractButton

    visible: root.button !== null && root.button.hovered
    delay: 500
}
