pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Cards

// A small pile of medium card backs that jumps about six times and settles whenever
// `isShuffling` turns true. At the end it clears `isShuffling` and emits completed().
Item {
    id: root

    property alias isShuffling: choreography.isShuffling
    property alias cardCount: choreography.cardCount

    signal completed

    implicitWidth: CardStyle.metrics(CardSize.Medium).width
    implicitHeight: CardStyle.metrics(CardSize.Medium).height

    ShuffleChoreography {
        id: choreography
        objectName: "choreography"
        style: ShuffleChoreography.Pile
        onCompleted: root.completed()
    }

    Component.onCompleted: choreography.appear()

    Repeater {
        model: choreography.cards

        CardBackView {
            required property ShuffleCard modelData

            size: CardSize.Medium
            anchors.centerIn: parent
            anchors.horizontalCenterOffset: modelData.x
            anchors.verticalCenterOffset: modelData.y
            rotation: modelData.angle
        }
    }
}
