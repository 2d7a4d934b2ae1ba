pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Store
import Quillmoor.Readings

// Every stored reading, newest first, or only the starred ones. A row opens its reading; the
// context menu or the Delete key deletes the selected row, and Ctrl+Z (or Undo) brings the
// last deleted reading back, so deleting asks nothing.
NavigationPage {
    id: root

    required property ModelContext modelContext

    readonly property alias history: historyModel
    readonly property HistoryDestinations destinations: HistoryDestinations {}
    readonly property bool onScreen: root.StackView.status === StackView.Active
    // Set as the screen goes away, so its views leave before the model they read.
    property bool leaving: false
    // The selected row is outlined once the keyboard moves in the list; a click clears it.
    property bool keyboardSelection: false

    function open(row: int) {
        const reading = historyModel.at(row);
        if (reading)
            root.StackView.view.push(root.destinations.readingDetail, { reading: reading });
    }

    function showMenu(row: int, item: Item, at: point) {
        list.currentIndex = row;
        rowMenu.row = row;
        rowMenu.popup(item, at);
    }

    Component.onDestruction: root.leaving = true

    objectName: "readingHistoryView"
    navigationTitle: historyModel.title
    toolbarItems: [
        AbstractButton {
            id: filterButton

            objectName: "favoritesFilterButton"
            padding: 4
            focusPolicy: Qt.StrongFocus
            Accessible.name: historyModel.showFavoritesOnly ? qsTr("Show all readings") : qsTr("Show saved readings only")
            Accessible.checkable: true
            Accessible.checked: historyModel.showFavoritesOnly
            onClicked: historyModel.toggleFavoritesOnly()

            contentItem: SymbolImage {
                objectName: "favoritesFilterSymbol"
                name: historyModel.filterSymbol
                size: 20
                color: Theme.accent
            }
            background: Rectangle {
                radius: 6
                color: filterButton.hovered ? Theme.alpha(Theme.surface, 0.5) : "transparent"
            }

            FocusRing {
                radius: 8
            }
        }
    ]

    StackView.onActivated: list.forceActiveFocus()

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    HistoryEmptyState {
        anchors.centerIn: parent
        visible: historyModel.emptyState !== ReadingHistoryModel.NotEmpty
        symbol: historyModel.emptySymbol
        title: historyModel.emptyTitle
        message: historyModel.emptyMessage
    }

    ListView {
        id: list

        objectName: "historyList"
        anchors.fill: parent
        visible: historyModel.emptyState === ReadingHistoryModel.NotEmpty
        topMargin: Theme.defaultPadding
        bottomMargin: Theme.defaultPadding + (undoBar.visible ? undoBar.height + Theme.defaultPadding : 0)
        spacing: 6
        clip: true
        focus: true
        activeFocusOnTab: true
        keyNavigationEnabled: true
        boundsBehavior: Flickable.StopAtBounds
        reuseItems: true
        model: root.leaving ? null : historyModel
        Accessible.name: historyModel.title
        ScrollBar.vertical: ScrollBar {
            policy: ScrollBar.AsNeeded
        }

        delegate: ReadingRowView {
            id: row

            required property int index

            objectName: "historyRow" + index
            x: Theme.defaultPadding
            width: list.width - 2 * Theme.defaultPadding
            selected: root.keyboardSelection && list.activeFocus && list.currentIndex === row.index
            onClicked: {
                root.keyboardSelection = false;
                list.currentIndex = row.index;
                root.open(row.index);
            }
            onContextMenuRequested: (at) => root.showMenu(row.index, row, at)
            Component.onCompleted: historyModel.rowShown(row.index)
            ListView.onReused: historyModel.rowShown(row.index)
        }

        Keys.onPressed: (event) => {
            root.keyboardSelection = true;
            event.accepted = false;
        }
        Keys.onDeletePressed: historyModel.deleteRow(list.currentIndex)
        Keys.onReturnPressed: root.open(list.currentIndex)
        Keys.onEnterPressed: root.open(list.currentIndex)
        Keys.onSpacePressed: root.open(list.currentIndex)
        Keys.onMenuPressed: {
            if (list.currentItem)
                root.showMenu(list.currentIndex, list.currentItem, Qt.point(list.currentItem.width / 2, list.currentItem.height / 2));
        }
    }

    UndoDeleteBar {
        id: undoBar

        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: Theme.defaultPadding
        visible: historyModel.canUndo
        onUndoRequested: historyModel.undoDelete()
    }

    Shortcut {
        sequence: "Ctrl+Z"
        enabled: root.onScreen && historyModel.canUndo
        onActivated: historyModel.undoDelete()
    }

    Menu {
        id: rowMenu

        property int row: -1

        objectName: "historyRowMenu"

        MenuItem {
            objectName: "openReadingItem"
            text: qsTr("Open")
            onTriggered: root.open(rowMenu.row)
        }
        MenuItem {
            objectName: "deleteReadingItem"
            text: qsTr("Delete")
            onTriggered: historyModel.deleteRow(rowMenu.row)
        }
    }

    ReadingHistoryModel {
        id: historyModel

        objectName: "readingHistoryModel"
        modelContext: root.modelContext
    }
}
