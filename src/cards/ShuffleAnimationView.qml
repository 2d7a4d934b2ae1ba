pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Cards

// A small pile of medium card backs drawn where `choreography` puts them: it jumps about six
// times and settles. The choreography belongs to the screen's model, which starts it.
Item {
    id: root

    required property ShuffleChoreography choreography

    // With reduced motion the pile only fades out and back in.
    opacity: root.choreography.faded ? 0.25 : 1

    Behavior on opacity {
        NumberAnimation { duration: 180 }
    }

    implicitWidth: CardStyle.metrics(CardSize.Medium).width
    implicitHeight: CardStyle.metrics(CardSize.Medium).height

    Repeater {
        model: root.choreography.cards

        CardBackView {
            required property ShuffleCard modelData

            Accessible.ignored: true
            size: CardSize.Medium
            anchors.centerIn: parent
            anchors.horizontalCenterOffset: modelData.x
            anchors.verticalCenterOffset: modelData.y
            rotation: modelData.angle
        }
    }
}
