import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A chevron in the toolbar that steps to the previous or next page; dimmed when it cannot.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property string symbol

    width: 28
    height: 28
    // A click leaves the keyboard focus on the page, so the arrow keys keep paging.
    focusPolicy: Qt.TabFocus

    contentItem: SymbolImage {
        name: root.symbol
        size: 18
        color: Theme.accent
        opacity: root.enabled ? 1 : 0.35
    }
    background: Rectangle {
        radius: 6
        color: root.hovered && root.enabled ? Theme.alpha(Theme.surface, 0.5) : "transparent"
    }

    FocusRing {
        radius: 8
    }

    // An icon alone does not say what it does: its name shows while the pointer rests on it.
    HintToolTip {
        text: root.Accessible.name
    }
}
