pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Cards

// A wash: small card backs spread across the table, stirred twice and gathered into a pile,
// drawn where `choreography` puts them. The choreography belongs to the screen's model.
Item {
    id: root

    required property ShuffleChoreography choreography

    // With reduced motion the pile only fades out and back in.
    opacity: root.choreography.faded ? 0.25 : 1

    Behavior on opacity {
        NumberAnimation { duration: 180 }
    }

    implicitWidth: CardStyle.metrics(CardSize.Small).width
    implicitHeight: 350

    Repeater {
        model: root.choreography.cards

        CardBackView {
            required property ShuffleCard modelData

            Accessible.ignored: true
            size: CardSize.Small
            castsShadow: false
            anchors.centerIn: parent
            anchors.horizontalCenterOffset: modelData.x
            anchors.verticalCenterOffset: modelData.y
            rotation: modelData.angle
        }
    }
}
