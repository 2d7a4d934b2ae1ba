pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Engine
import Quillmoor.Ui
import Quillmoor.Readings

// The ten cards laid out: the cross drawing, one numbered meaning row per position and the
// narrative. Clicking a card or a row opens that card in the sequence viewer.
ResultsFlickable {
    id: root

    required property ReadingFlowModel model

    objectName: "celticCrossResults"
    spacing: 20
    topPadding: 16

    ReadableText {
        anchors.horizontalCenter: parent.horizontalCenter
        text: qsTr("Your Celtic Cross Reading")
        font: Theme.title2SerifSemibold
        color: Theme.textPrimary
    }
    CelticCrossLayoutView {
        width: parent.width
        cards: root.model.drawnCards
        revealedCount: 10
        onCardTapped: (index) => root.model.selectCard(index)
    }
    ReadableText {
        anchors.horizontalCenter: parent.horizontalCenter
        text: qsTr("Click a card to explore its meaning")
        font: Theme.subheadline
        color: Theme.textSecondary
    }
    // The button keeps 8 more points from the hint than the column's spacing gives.
    Item {
        width: parent.width
        height: skip.implicitHeight + 8

        SkipToSummaryButton {
            id: skip

            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            onClicked: root.scrollTo(summary)
        }
    }
    Repeater {
        model: root.firstFrameShown ? root.model.drawnCards : null

        delegate: CardDetailRow {
            id: row

            required property int index
            required property spreadPosition position
            required property string accessibleName

            objectName: "detailRow" + index
            width: root.width - 2 * Theme.defaultPadding
            header: (index + 1) + ". " + position.name
            positionDescription: position.description
            cardAccessibleName: accessibleName
            onClicked: root.model.selectCard(row.index)
        }
    }
    ReadingSummaryView {
        id: summary

        width: parent.width
        cards: root.model.drawnCards
        spreadType: root.model.spreadId
    }
}
