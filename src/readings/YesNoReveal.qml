import QtQuick
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Readings

// The drawn card face down; clicking it (or Space/Return) turns it over, and the answer
// follows a moment after the turn.
Item {
    id: root

    required property YesNoReadingModel model

    objectName: "yesNoReveal"

    // The card takes the keyboard at once, so Space or Return turns it.
    Component.onCompleted: flipCard.forceActiveFocus()

    Column {
        anchors.centerIn: parent
        spacing: 24

        CardFlipView {
            id: flipCard

            objectName: "yesNoFlipCard"
            anchors.horizontalCenter: parent.horizontalCenter
            card: root.model.drawnCard
            isReversed: root.model.isReversed
            size: CardSize.Large
            flipsOnClick: false
            isFlipped: root.model.isCardRevealed
            Accessible.name: root.model.isCardRevealed ? root.model.cardAccessibleName : qsTr("Reveal your card")
            onClicked: root.model.revealCard()
        }
        ReadableText {
            anchors.horizontalCenter: parent.horizontalCenter
            visible: !root.model.isCardRevealed
            text: qsTr("Click to reveal")
            font: Theme.subheadline
            color: Theme.textSecondary
        }
    }
}
