import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// The search field of the library's title bar. Escape clears it.
TextField {
    id: root

    implicitWidth: 220
    leftPadding: 28
    placeholderText: qsTr("Search cards...")
    placeholderTextColor: Theme.alpha(Theme.textSecondary, 0.6)
    color: Theme.textPrimary
    selectionColor: Theme.alpha(Theme.accent, 0.5)
    selectedTextColor: Theme.textPrimary
    font: Theme.body
    Accessible.name: qsTr("Search cards")
    Keys.onEscapePressed: (event) => {
        event.accepted = root.text.length > 0;
        if (event.accepted) {
            root.clear();
            root.textEdited();
        }
    }

    background: Rectangle {
        implicitHeight: 28
        radius: 7
        color: Theme.alpha(Theme.surface, 0.5)
        border.width: root.activeFocus ? 2 : 1
        border.color: root.activeFocus ? Theme.accent : Theme.alpha(Theme.accent, 0.3)

        SymbolImage {
            anchors { left: parent.left; leftMargin: 8; verticalCenter: parent.verticalCenter }
            name: "magnifyingglass"
            size: 14
            color: Theme.textSecondary
        }
    }
}
