import QtQuick
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui

// Every card view side by side, for people to look at.
Rectangle {
    id: root

    property tarotCard minor
    property tarotCard major
    property alias flipped: flip.isFlipped

    width: 1280
    height: 1280
    color: Theme.background

    Column {
        x: 24; y: 24; spacing: 28

        // Every size, upright then reversed.
        Repeater {
            model: [false, true]

            Row {
                id: sizeRow
                required property bool modelData
                spacing: 28

                Repeater {
                    model: [CardSize.Miniature, CardSize.Small, CardSize.Medium, CardSize.Large]

                    TarotCardView {
                        required property int modelData
                        required property int index
                        anchors.bottom: parent.bottom
                        card: index % 2 === 0 ? root.minor : root.major
                        size: modelData
                        isReversed: sizeRow.modelData
                    }
                }
            }
        }

        Row {
            spacing: 40
            CardBackView { size: CardSize.Medium }
            CardFlipView { id: flip; card: root.major; size: CardSize.Medium }
            ShuffleChoreography { id: pile; cardCount: 6; Component.onCompleted: begin() }
            ShuffleChoreography { id: wash; style: ShuffleChoreography.Wash; cardCount: 12; Component.onCompleted: begin() }
            ShuffleAnimationView { width: 240; height: 300; choreography: pile }
            WashShuffleView { width: 300; choreography: wash }
        }
    }

    CardMeaningView {
        x: 860; y: 24; width: 396
        card: root.minor
        isReversed: true
        positionName: "Present"
        positionDescription: "What surrounds you now"
        positionId: "present"
    }
}
