import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A plain flashcard paging button showing one chevron: gold while it can be used, dimmed when not.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property string symbol

    padding: 6
    focusPolicy: Qt.StrongFocus
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    contentItem: SymbolImage {
        name: root.symbol
        size: Theme.title3Serif.pixelSize
        color: root.enabled ? Theme.accent : Theme.alpha(Theme.textSecondary, 0.3)
    }
    background: Rectangle {
        radius: 6
        color: root.enabled && root.hovered ? Theme.alpha(Theme.surface, 0.4) : "transparent"
        border.width: root.visualFocus ? 2 : 0
        border.color: Theme.accent
    }

    // An icon alone does not say what it does: its name shows while the pointer rests on it.
    HintToolTip {
        text: root.Accessible.name
    }
}
