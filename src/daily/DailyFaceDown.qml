import QtQuick
import Quillmoor.Cards
import Quillmoor.Daily

// Today's card lies face down; clicking turns it over and then opens the reading.
Item {
    id: root

    required property DailyCardViewModel model

    objectName: "dailyFaceDown"

    Column {
        anchors.centerIn: parent
        spacing: 24

        CardFlipView {
            id: flip

            objectName: "dailyFlipCard"
            anchors.horizontalCenter: parent.horizontalCenter
            card: root.model.todaysCard
            isReversed: root.model.isReversed
            size: CardSize.Large
            isFlipped: root.model.isRevealed
            // Let the turn finish before the reading replaces the card.
            onIsFlippedChanged: if (isFlipped) revealAfterTurn.start()
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Click to reveal your card")
            font: Theme.subheadline
            color: Theme.hex("D0C4B8")
        }
    }

    Timer {
        id: revealAfterTurn

        interval: 700
        onTriggered: root.model.isRevealed = true
    }
}
