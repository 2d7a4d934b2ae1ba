pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Study

// The Library section: every card as a grid of faces with names, narrowed by a filter chip and
// by the search field in the title bar, at one of three card sizes. A card opens the detail
// pager on the cards the grid shows.
NavigationPage {
    id: root

    required property ModelContext modelContext
    // The card whose detail opens at once, over the grid: a search result in its note.
    property string openCardId

    readonly property CardLibraryModel library: CardLibraryModel {
        objectName: "cardLibraryModel"
        modelContext: root.modelContext
    }
    readonly property LibraryDestinations destinations: LibraryDestinations {}
    readonly property bool onScreen: root.StackView.status === StackView.Active

    function openCard(index: int) {
        root.StackView.view.push(root.destinations.cardDetailPager,
                                 { cardIds: root.library.cardIds, startIndex: index, modelContext: root.modelContext });
    }

    // Pushed once the stack has put the grid in place.
    Component.onCompleted: if (root.openCardId !== "") openCardLater.start()

    Timer {
        id: openCardLater

        interval: 0
        onTriggered: {
            const index = root.library.cardIds.indexOf(root.openCardId);
            if (index >= 0)
                root.openCard(index);
        }
    }

    objectName: "cardLibraryView"
    navigationTitle: qsTr("Card Library")
    toolbarItems: [
        LibrarySearchField {
            id: searchField

            objectName: "librarySearchField"
            onTextEdited: root.library.searchText = searchField.text
        }
    ]

    Shortcut {
        sequence: "Ctrl+F"
        enabled: root.onScreen
        onActivated: searchField.forceActiveFocus(Qt.ShortcutFocusReason)
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    Item {
        id: controls

        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: Math.max(chipStrip.height, sizeControl.implicitHeight) + 16

        Flickable {
            id: chipStrip

            objectName: "filterChips"
            x: Theme.defaultPadding
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(chips.implicitWidth, sizeControl.x - x - 8)
            height: chips.implicitHeight
            contentWidth: chips.implicitWidth
            flickableDirection: Flickable.HorizontalFlick
            boundsBehavior: Flickable.StopAtBounds
            clip: true

            Row {
                id: chips

                spacing: 8

                Repeater {
                    model: root.library.filterLabels

                    LibraryFilterChip {
                        required property string modelData
                        required property int index

                        objectName: "filterChip" + modelData
                        text: modelData
                        selected: root.library.selectedFilter === index
                        onClicked: root.library.selectedFilter = index
                    }
                }
            }
        }

        LibrarySizeControl {
            id: sizeControl

            anchors { right: parent.right; rightMargin: Theme.defaultPadding; verticalCenter: parent.verticalCenter }
            value: root.library.cardScale
            onMoved: (value) => { root.library.cardScale = value; }
        }
    }

    AdaptiveColumns {
        id: columns

        availableWidth: grid.width - 2 * Theme.defaultPadding
        minimum: root.library.columnWidthBasis
        maximum: root.library.columnWidthBasis + 40
        spacing: 16
    }

    LibraryCardGrid {
        id: grid

        anchors { left: parent.left; right: parent.right; top: controls.bottom; bottom: parent.bottom }
        visible: root.library.count > 0
        library: root.library
        columns: columns
        onCardOpened: (index) => { root.openCard(index); }
    }

    LibraryEmptyNotice {
        objectName: "libraryEmptyNotice"
        anchors { horizontalCenter: parent.horizontalCenter; top: controls.bottom; topMargin: 60 }
        visible: root.library.count === 0
    }
}
