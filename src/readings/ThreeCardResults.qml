pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Engine
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Readings

// The three cards laid out: the row of faces, one meaning row per position joined by arrows,
// and the narrative. Clicking a card or a row opens that card in the sequence viewer.
ResultsFlickable {
    id: root

    required property ReadingFlowModel model

    objectName: "threeCardResults"
    spacing: 24

    Row {
        objectName: "cardRow"
        anchors.horizontalCenter: parent.horizontalCenter
        topPadding: 16
        spacing: 24

        Repeater {
            model: root.model.drawnCards

            delegate: AbstractButton {
                id: cardButton
                Accessible.onPressAction: Accessibility.press(cardButton)

                required property int index
                required property tarotCard card
                required property spreadPosition position
                required property bool isReversed
                required property string accessibleName

                objectName: "resultCard" + index
                focusPolicy: Qt.StrongFocus
                Accessible.name: cardButton.accessibleName
                Accessible.description: cardButton.card.artDescription
                onClicked: root.model.selectCard(index)

                contentItem: Column {
                    spacing: 8

                    TarotCardView {
                        decorative: true
                        card: cardButton.card
                        isReversed: cardButton.isReversed
                        size: CardSize.Large
                    }
                    Text {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: cardButton.position.name
                        font: Theme.subheadline
                        color: Theme.accent
                    }
                }

                FocusRing {
                    radius: 18
                }
            }
        }
    }
    ReadableText {
        anchors.horizontalCenter: parent.horizontalCenter
        text: qsTr("Click a card to explore its meaning")
        font: Theme.subheadline
        color: Theme.textSecondary
    }
    SkipToSummaryButton {
        anchors.horizontalCenter: parent.horizontalCenter
        onClicked: root.scrollTo(summary)
    }
    Column {
        id: details

        width: parent.width
        spacing: 24

        Repeater {
            model: root.firstFrameShown ? root.model.drawnCards : null

            delegate: Column {
                id: entry

                required property int index
                required property tarotCard card
                required property spreadPosition position
                required property bool isReversed
                required property string meaning
                required property string accessibleName

                width: details.width
                spacing: 24

                CardDetailRow {
                    objectName: "detailRow" + entry.index
                    width: entry.width
                    header: entry.position.name
                    card: entry.card
                    isReversed: entry.isReversed
                    meaning: entry.meaning
                    cardAccessibleName: entry.accessibleName
                    onClicked: root.model.selectCard(entry.index)
                }
                // The arrow that leads on to the next position.
                SymbolImage {
                    objectName: "arrowConnector"
                    visible: entry.index < root.model.drawnCards.count - 1
                    anchors.horizontalCenter: parent.horizontalCenter
                    name: "arrow.down"
                    size: Theme.body.pixelSize
                    color: Theme.alpha(Theme.accent, 0.5)
                }
            }
        }
    }
    ReadingSummaryView {
        id: summary

        width: parent.width
        cards: root.model.drawnCards
        spreadType: root.model.spreadId
    }
}
