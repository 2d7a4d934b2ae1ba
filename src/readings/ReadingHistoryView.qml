pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Readings

// Every stored reading, newest first under month headings, or only the starred ones. A row opens
// its reading; its menu (the row's "…" button, a right click, the menu key) or the Delete key
// deletes it, and Ctrl+Z (or Undo) brings the last deleted reading back, so deleting asks
// nothing. The list knows all its rows at once, so the scroll bar is true, Home, End and the
// page keys go anywhere, and "Go to Month" jumps straight to a month.
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

    // The row the keyboard starts from: the selected one while it is in view, else the first
    // row in view, so giving the list focus or pressing a key never moves it.
    function keyboardRow(): int {
        const current = list.currentItem;
        if (current && current.y + current.height > list.contentY && current.y < list.contentY + list.height)
            return list.currentIndex;
        for (let y = list.contentY + list.topMargin; y < list.contentY + list.height; y += 8) {
            const row = list.indexAt(list.width / 2, y);
            if (row >= 0)
                return row;
        }
        return Math.max(0, list.currentIndex);
    }

    function moveSelection(row: int) {
        if (list.count === 0)
            return;
        const target = Math.max(0, Math.min(list.count - 1, row));
        list.currentIndex = target;
        if (target === list.count - 1)
            list.positionViewAtEnd();
        else if (target === 0)
            list.positionViewAtBeginning();
        else
            list.positionViewAtIndex(target, ListView.Contain);
    }

    function rowsPerPage(): int {
        const rowHeight = list.currentItem ? list.currentItem.height + list.spacing : 64;
        return Math.max(1, Math.floor(list.height / rowHeight) - 1);
    }

    function showMonth(row: int) {
        list.currentIndex = row;
        list.positionViewAtIndex(row, ListView.Beginning);
        root.keyboardSelection = true;
        list.forceActiveFocus();
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
            id: monthButton
            Accessible.onPressAction: Accessibility.press(monthButton)

            objectName: "goToMonthButton"
            visible: historyModel.emptyState === ReadingHistoryModel.NotEmpty
            padding: 4
            focusPolicy: Qt.StrongFocus
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Go to Month")
            onClicked: monthPicker.openAt(monthButton)

            contentItem: SymbolImage {
                name: "calendar"
                size: 20
                color: Theme.accent
            }
            background: Rectangle {
                radius: 6
                color: monthButton.hovered ? Theme.alpha(Theme.surface, 0.5) : "transparent"
            }

            HintToolTip {
                text: qsTr("Go to Month")
            }

            FocusRing {
                radius: 8
            }
        },
        AbstractButton {
            id: filterButton
            Accessible.onPressAction: Accessibility.press(filterButton)

            objectName: "favoritesFilterButton"
            padding: 4
            focusPolicy: Qt.StrongFocus
            Accessible.name: historyModel.showFavoritesOnly ? qsTr("Show all readings") : qsTr("Show saved readings only")
            Accessible.checkable: true
            Accessible.checked: historyModel.showFavoritesOnly
            onClicked: historyModel.toggleFavoritesOnly()
            HintToolTip {
                text: filterButton.Accessible.name
            }

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
        keyNavigationEnabled: false
        highlightFollowsCurrentItem: false
        boundsBehavior: Flickable.StopAtBounds
        reuseItems: true
        model: root.leaving ? null : historyModel
        Accessible.name: historyModel.title
        ScrollBar.vertical: PageScrollBar {
            objectName: "historyScrollBar"
        }

        section.property: "month"
        section.criteria: ViewSection.FullString
        section.delegate: root.destinations.monthHeading

        delegate: ReadingRowView {
            id: row

            required property int index

            objectName: "historyRow" + index
            x: Theme.defaultPadding
            width: row.ListView.view.width - 2 * Theme.defaultPadding
            selected: root.keyboardSelection && row.ListView.view.activeFocus && row.ListView.isCurrentItem
            onClicked: {
                root.keyboardSelection = false;
                row.ListView.view.currentIndex = row.index;
                root.open(row.index);
            }
            onContextMenuRequested: (at) => root.showMenu(row.index, row, at)
        }

        Keys.onPressed: (event) => {
            root.keyboardSelection = true;
            const from = root.keyboardRow();
            switch (event.key) {
            case Qt.Key_Up:
                root.moveSelection(from === list.currentIndex ? from - 1 : from);
                break;
            case Qt.Key_Down:
                root.moveSelection(from === list.currentIndex ? from + 1 : from);
                break;
            case Qt.Key_PageUp:
                root.moveSelection(from - root.rowsPerPage());
                break;
            case Qt.Key_PageDown:
                root.moveSelection(from + root.rowsPerPage());
                break;
            case Qt.Key_Home:
                root.moveSelection(0);
                break;
            case Qt.Key_End:
                root.moveSelection(list.count - 1);
                break;
            default:
                event.accepted = false;
                return;
            }
            event.accepted = true;
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

    MonthPicker {
        id: monthPicker

        months: monthPicker.opened ? historyModel.months() : []
        onMonthChosen: (row) => root.showMonth(row)
    }

    PaletteMenu {
        id: rowMenu

        property int row: -1

        objectName: "historyRowMenu"

        MenuItem {

            id: openReadingItem

            objectName: "openReadingItem"

            Accessible.onPressAction: Accessibility.press(openReadingItem)
            text: qsTr("Open")
            onTriggered: root.open(rowMenu.row)
        }
        MenuItem {
            id: deleteReadingItem
            objectName: "deleteReadingItem"
            Accessible.onPressAction: Accessibility.press(deleteReadingItem)
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
