pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Cards

// A wash: small card backs spread across the table, stirred twice and gathered into a pile.
// It washes every time it is shown, whatever `isShuffling` says, and at the end clears
// `isShuffling` and emits completed().
Item {
    id: root

    property alias isShuffling: choreography.isShuffling
    property alias cardCount: choreography.cardCount

    signal completed

    implicitWidth: CardStyle.metrics(CardSize.Small).width
    implicitHeight: 350

    ShuffleChoreography {
        id: choreography
        objectName: "choreography"
        style: ShuffleChoreography.Wash
        onCompleted: root.completed()
    }

    Component.onCompleted: choreography.appear()

    Repeater {
        model: choreography.cards

        CardBackView {
            required property ShuffleCard modelData

            size: CardSize.Small
            anchors.centerIn: parent
            anchors.horizontalCenterOffset: modelData.x
            anchors.verticalCenterOffset: modelData.y
            rotation: modelData.angle
        }
    }
}
