pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Readings

// The Readings section: the spreads to lay out, the newest starred readings and the way to
// the history. Every entry opens its screen on the section's stack.
NavigationPage {
    id: root

    required property ModelContext modelContext
    // A reading to show at once, over the menu: a search result chosen elsewhere.
    property Reading openReading: null

    readonly property ReadingDestinations destinations: ReadingDestinations {}
    readonly property RecordReadingDestination recordScreens: RecordReadingDestination {}
    readonly property StarredReadings savedReadings: StarredReadings {
        objectName: "starredReadings"
        modelContext: root.modelContext
        limit: 3
    }
    readonly property DesignedSpreadList designedSpreads: DesignedSpreadList {
        objectName: "designedSpreads"
        modelContext: root.modelContext
    }
    readonly property ReadingsToLookBack readingsToLookBack: ReadingsToLookBack {
        objectName: "readingsToLookBack"
        modelContext: root.modelContext
        limit: 5
    }

    function open(spreadId: string) {
        const view = root.StackView.view;
        if (spreadId === "three_card")
            view.push(root.destinations.threeCard, { modelContext: root.modelContext });
        else if (spreadId === "celtic_cross")
            view.push(root.destinations.celticCross, { modelContext: root.modelContext });
        else if (spreadId.startsWith("custom_"))
            view.push(root.destinations.designedSpread, { modelContext: root.modelContext, spreadId: spreadId });
        else
            view.push(root.destinations.yesNo, { modelContext: root.modelContext });
    }

    // Pushed once the stack has put the menu in place.
    Component.onCompleted: if (root.openReading) openReadingLater.start()

    Timer {
        id: openReadingLater

        interval: 0
        onTriggered: root.StackView.view.push(root.destinations.readingDetail, { reading: root.openReading })
    }

    DeleteSpreadConfirmation {
        id: deleteConfirmation

        onConfirmed: (row) => root.designedSpreads.remove(row)
    }

    objectName: "readingMenuView"
    navigationTitle: qsTr("Readings")

    // Tab brings a control out of view into it.
    FocusScroller {
        flickable: scroll.contentItem
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    ScrollView {
        id: scroll

        objectName: "readingMenuScroll"
        anchors.fill: parent
        contentWidth: availableWidth
        ScrollBar.vertical: PageScrollBar {}

        Column {
            id: column

            x: (scroll.availableWidth - width) / 2
            width: Math.min(scroll.availableWidth, 650)
            bottomPadding: 32
            spacing: 20

            ReadableText {
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                topPadding: 16
                text: qsTr("Choose Your Spread")
                font: Theme.title2SerifSemibold
                color: Theme.textPrimary
            }
            Repeater {
                model: SpreadMenu.items

                delegate: SpreadMenuItem {
                    required property spreadMenuItem modelData

                    objectName: "spreadEntry_" + modelData.spread.id
                    x: Theme.defaultPadding
                    width: column.width - 2 * Theme.defaultPadding
                    item: modelData
                    onClicked: root.open(modelData.spread.id)
                }
            }
            Repeater {
                model: root.designedSpreads

                delegate: DesignedSpreadEntry {
                    id: designed

                    required property int index
                    required property Spread spread
                    required property string spreadType

                    objectName: "designedSpread" + index
                    x: Theme.defaultPadding
                    width: column.width - 2 * Theme.defaultPadding
                    onDrawClicked: root.open(designed.spreadType)
                    onEditClicked: root.StackView.view.push(root.destinations.spreadEditor,
                                                            { modelContext: root.modelContext, spread: designed.spread })
                    onDeleteClicked: deleteConfirmation.ask(designed.index,
                                                            root.designedSpreads.deleteQuestion(designed.index))
                }
            }
            HistoryEntry {
                objectName: "newSpreadEntry"
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                text: qsTr("New Spread")
                symbolName: "plus.circle"
                onClicked: root.StackView.view.push(root.destinations.spreadEditor, { modelContext: root.modelContext })
            }
            HistoryEntry {
                objectName: "recordReadingEntry"
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                text: qsTr("Record a Reading")
                symbolName: "square.and.arrow.down"
                onClicked: root.StackView.view.push(root.recordScreens.recordReading,
                                                    { modelContext: root.modelContext,
                                                      savedScreen: root.destinations.readingDetail })
            }
            ReadableText {
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                topPadding: -12
                text: qsTr("Read with your own deck? Write the cards down here.")
                font: Theme.subheadline
                color: Theme.textSecondary
                wrapMode: Text.Wrap
            }
            Rectangle {
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                height: 1
                color: Theme.alpha(Theme.accent, 0.3)
            }
            SavedReadingsPanel {
                objectName: "lookBackPanel"
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                visible: root.readingsToLookBack.count > 0
                readings: root.readingsToLookBack
                title: root.readingsToLookBack.total > root.readingsToLookBack.count
                       ? qsTr("To look back on · the newest %1 of %2").arg(root.readingsToLookBack.count)
                                                                    .arg(root.readingsToLookBack.total)
                       : qsTr("To look back on")
                symbolName: "calendar"
                rowNamePrefix: "lookBackRow"
                onReadingChosen: (reading) => root.StackView.view.push(root.destinations.readingDetail,
                                                                       { reading: reading })
            }
            SavedReadingsPanel {
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                visible: root.savedReadings.count > 0
                readings: root.savedReadings
                onReadingChosen: (reading) => root.StackView.view.push(root.destinations.readingDetail,
                                                                       { reading: reading })
            }
            HistoryEntry {
                objectName: "readingHistoryEntry"
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                onClicked: root.StackView.view.push(root.destinations.history, { modelContext: root.modelContext })
            }
        }
    }
}
