pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Engine
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Readings

// A stored reading shown again: its spread and day, the cross for a complete Celtic Cross,
// one row per card that can still be found, the summary and the notes. The star in the
// toolbar stars or unstars it; a card opens the sequence viewer at itself.
NavigationPage {
    id: root

    required property Reading reading

    readonly property alias detail: detailModel
    readonly property CardSequenceDestination destinations: CardSequenceDestination {}
    readonly property RecordReadingDestination readingScreens: RecordReadingDestination {}

    objectName: "readingDetailView"
    navigationTitle: detailModel.title
    focus: true
    activeFocusOnTab: true
    toolbarItems: [
        ChoiceChip {
            objectName: "editReadingButton"
            visible: detailModel.isRecorded
            text: qsTr("Edit")
            Accessible.name: qsTr("Edit this reading")
            onClicked: root.StackView.view.push(root.readingScreens.recordReading,
                                                { reading: root.reading })
        },
        FavoriteToggleButton {
            reading: root.reading
            size: 24
        }
    ]

    // Coming back from the sequence viewer: no card is open any more.
    StackView.onActivated: {
        detailModel.clearSelection();
        root.forceActiveFocus();
    }

    Connections {
        target: detailModel

        function onSelectedCardIndexChanged() {
            if (detailModel.selectedCardIndex >= 0)
                root.StackView.view.push(root.destinations.cardSequence,
                                         { cards: detailModel.cards, startIndex: detailModel.selectedCardIndex });
        }
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    ScrollView {
        id: scroll

        objectName: "readingDetailScroll"
        anchors.fill: parent
        contentWidth: availableWidth
        ScrollBar.vertical: PageScrollBar {}

        Column {
            id: column

            x: Theme.defaultPadding
            topPadding: Theme.defaultPadding
            bottomPadding: Theme.defaultPadding
            width: scroll.availableWidth - 2 * Theme.defaultPadding
            spacing: 16

            Column {
                width: column.width
                spacing: 4

                ReadableText {
                    objectName: "detailSpreadName"
                    width: parent.width
                    text: detailModel.spreadName
                    font: Theme.title2SerifSemibold
                    color: Theme.textPrimary
                    wrapMode: Text.Wrap
                }
                ReadableText {
                    objectName: "detailDate"
                    text: detailModel.isRecorded ? qsTr("%1 · laid out with your own deck").arg(detailModel.dateText)
                                                 : detailModel.dateText
                    font: Theme.subheadline
                    color: Theme.textSecondary
                }
                ReadableText {
                    objectName: "detailQuestion"
                    width: parent.width
                    visible: detailModel.question.length > 0
                    topPadding: 8
                    text: "“" + detailModel.question + "”"
                    font: Theme.bodySerif
                    color: Theme.textPrimary
                    wrapMode: Text.Wrap
                }
            }
            Repeater {
                model: detailModel.showsCross ? 1 : 0

                delegate: CelticCrossLayoutView {
                    width: column.width
                    cards: detailModel.cards
                    revealedCount: 10
                    onCardTapped: (index) => detailModel.selectCard(index)
                }
            }
            Repeater {
                model: detailModel.showsDesign ? 1 : 0

                delegate: DesignedSpreadLayoutView {
                    width: column.width
                    availableHeight: Math.max(240, root.height * 0.6)
                    cards: detailModel.cards
                    onCardTapped: (index) => detailModel.selectCard(index)
                }
            }
            Repeater {
                model: detailModel.hasSpread ? detailModel.cards : null

                delegate: CardDetailRow {
                    id: detailRow

                    required property int index
                    required property spreadPosition position
                    required property string accessibleName

                    objectName: "detailRow" + index
                    width: column.width
                    header: position.name
                    faceSpacing: 12
                    cardAccessibleName: accessibleName
                    onClicked: detailModel.selectCard(detailRow.index)
                }
            }
            ReadableText {
                objectName: "detailExtras"
                width: column.width
                visible: detailModel.extraCardsText.length > 0
                text: detailModel.extraCardsText
                font: Theme.body
                color: Theme.textSecondary
                wrapMode: Text.Wrap
            }
            ReadingSummaryView {
                width: column.width
                cards: detailModel.cards
                spreadType: detailModel.spreadType
                spreadName: detailModel.spreadName
            }
            ReadingOutcomePanel {
                width: column.width
                reading: root.reading
            }
            Rectangle {
                objectName: "notesPanel"
                visible: detailModel.notes.length > 0
                width: column.width
                height: notesColumn.implicitHeight + 2 * Theme.defaultPadding
                radius: 12
                color: Theme.alpha(Theme.surface, 0.2)

                Column {
                    id: notesColumn

                    x: Theme.defaultPadding
                    y: Theme.defaultPadding
                    width: parent.width - 2 * Theme.defaultPadding
                    spacing: 8

                    ReadableText {
                        text: qsTr("Notes")
                        font: Theme.title3Serif
                        color: Theme.accent
                    }
                    ReadableText {
                        objectName: "detailNotes"
                        width: parent.width
                        text: detailModel.notes
                        font: Theme.body
                        color: Theme.textPrimary
                        wrapMode: Text.Wrap
                    }
                }
            }
        }
    }

    ReadingDetailModel {
        id: detailModel

        objectName: "readingDetailModel"
        reading: root.reading
    }
}
