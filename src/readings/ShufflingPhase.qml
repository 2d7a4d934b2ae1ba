import QtQuick
import Quillmoor.Cards
import Quillmoor.Ui

// While the deck is shuffled: the heading and the jumping pile, centred on the screen. The
// choreography belongs to the reading's model, which runs it.
Item {
    id: root

    required property ShuffleChoreography choreography

    objectName: "shufflingPhase"

    NumberAnimation on opacity {
        from: 0
        to: 1
        duration: 350
        easing.type: Easing.InOutQuad
    }

    Column {
        anchors.centerIn: parent
        spacing: 24

        ReadableText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Shuffling...")
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
        }
        // Room for the pile to jump about without touching the heading.
        Item {
            anchors.horizontalCenter: parent.horizontalCenter
            width: CardStyle.metrics(CardSize.Medium).width + 100
            height: CardStyle.metrics(CardSize.Medium).height + 60

            ShuffleAnimationView {
                objectName: "readingShuffle"
                anchors.centerIn: parent
                choreography: root.choreography
            }
        }
    }
}
