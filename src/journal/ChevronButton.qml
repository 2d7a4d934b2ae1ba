pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A plain gold chevron in a 36 × 36 frame, for paging the month.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property string symbol

    width: 36
    height: 36
    focusPolicy: Qt.StrongFocus
    // Return and Enter click it too, as Space does.
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()
    // The icon font draws a chevron at about half its size; this matches a title-3 glyph.
    contentItem: SymbolImage {
        name: root.symbol
        size: 22
        color: root.down ? Theme.alpha(Theme.accent, 0.6) : Theme.accent
    }
    background: Rectangle {
        radius: 8
        color: root.hovered ? Theme.alpha(Theme.surface, 0.5) : "transparent"
        border.width: root.visualFocus ? 2 : 0
        border.color: Theme.accent
    }

    // An icon alone does not say what it does: its name shows while the pointer rests on it.
    HintToolTip {
        text: root.Accessible.name
    }
}
