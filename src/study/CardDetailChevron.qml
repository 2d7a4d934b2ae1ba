import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A chevron button of the detail pager's title bar; dimmed while it cannot page.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property string symbol

    implicitWidth: 28
    implicitHeight: 28
    focusPolicy: Qt.StrongFocus
    contentItem: SymbolImage {
        name: root.symbol
        size: 18
        color: root.enabled ? Theme.accent : Theme.alpha(Theme.textSecondary, 0.35)
    }
    background: Rectangle {
        radius: 6
        color: root.down ? Theme.alpha(Theme.surface, 0.6) : root.hovered && root.enabled ? Theme.alpha(Theme.surface, 0.35) : "transparent"
    }

    FocusRing {
        radius: 8
    }

    // An icon alone does not say what it does: its name shows while the pointer rests on it.
    HintToolTip {
        text: root.Accessible.name
    }
}
