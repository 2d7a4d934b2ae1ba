pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Insights

// The Insights section: which cards keep coming back against what chance gives, how the deck's
// parts are balanced, and how the moods move, over a chosen span.
NavigationPage {
    id: root

    required property ModelContext modelContext
    readonly property InsightsModel model: InsightsModel {
        objectName: "insightsModel"
        modelContext: root.modelContext
    }

    objectName: "insightsView"
    navigationTitle: qsTr("Insights")

    FocusScroller {
        flickable: scroll.contentItem
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    ScrollView {
        id: scroll

        objectName: "insightsScroll"
        anchors.fill: parent
        contentWidth: availableWidth
        ScrollBar.vertical: PageScrollBar {}

        Column {
            id: column

            x: (scroll.availableWidth - width) / 2
            width: Math.min(scroll.availableWidth - 2 * Theme.defaultPadding, 860)
            topPadding: 16
            bottomPadding: 32
            spacing: 16

            SpanChooser {
                width: column.width
                model: root.model
            }
            ReadableText {
                objectName: "drawSummary"
                width: column.width
                text: root.model.problem.length > 0 ? root.model.problem : root.model.drawSummary
                font: Theme.body
                color: root.model.problem.length > 0 ? Theme.negative : Theme.textSecondary
                wrapMode: Text.Wrap
            }

            SectionHeading {
                width: column.width
                text: qsTr("Cards That Keep Coming Back")
            }
            ReadableText {
                objectName: "recurringSummary"
                width: column.width
                text: root.model.recurringSummary
                font: Theme.body
                color: Theme.textPrimary
                wrapMode: Text.Wrap
            }
            RecurringCardList {
                width: column.width
                cards: root.model.cards
                onCardChosen: cardId => root.openRequested(root.model.cardDestination(cardId))
            }
            ChoiceChip {
                objectName: "everyCard"
                visible: root.model.drawnCardCount > root.model.listedCardCount
                checkable: true
                text: root.model.showsEveryCard ? qsTr("Show the Most Drawn")
                                                : qsTr("Show All %1 Cards Drawn").arg(root.model.drawnCardCount)
                checked: root.model.showsEveryCard
                onToggled: root.model.showsEveryCard = checked
            }

            SectionHeading {
                width: column.width
                text: qsTr("Balance of the Deck")
            }
            Repeater {
                model: root.model.balances

                delegate: BalanceChart {
                    required property var modelData

                    width: column.width
                    balance: modelData
                }
            }

            SectionHeading {
                width: column.width
                text: qsTr("Moods by Month")
            }
            ReadableText {
                width: column.width
                visible: root.model.months.length === 0
                text: qsTr("No moods in the journal for this span yet.")
                font: Theme.body
                color: Theme.textSecondary
            }
            MoodMonthChart {
                width: column.width
                visible: root.model.months.length > 0
                months: root.model.months
                onMonthChosen: index => root.openRequested(root.model.monthDestination(index))
            }

            SectionHeading {
                width: column.width
                text: qsTr("Moods with the Daily Card")
            }
            SuitMoodTable {
                width: column.width
                rows: root.model.moodsBySuit
            }
        }
    }
}
