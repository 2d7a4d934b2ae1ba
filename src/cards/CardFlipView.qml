import QtQuick
import Quillmoor.Catalogue
import Quillmoor.Cards

// A card that turns over in three dimensions when clicked. The enclosing screen owns the
// face-up flag: it binds `isFlipped` and copies changes back from onIsFlippedChanged.
Item {
    id: root

    property tarotCard card
    property bool isReversed: false
    property bool isFlipped: false
    property int size: CardSize.Medium

    readonly property cardMetrics metrics: CardStyle.metrics(root.size)

    width: root.metrics.width
    height: root.metrics.height

    // 0 face down, 1 face up; the turn, the cross-fade and the mirroring all follow it.
    SpringMotion {
        id: turn
        objectName: "flipSpring"
        response: 0.6
        damping: 0.8
        to: root.isFlipped ? 1 : 0
    }

    Item {
        objectName: "flipStack"
        anchors.fill: parent
        transform: Matrix4x4 {
            matrix: CardStyle.flipTransform(turn.value * 180, root.width, root.height)
        }

        CardBackView {
            objectName: "backLayer"
            size: root.size
            opacity: 1 - turn.value
        }

        // Mirrored once in advance, so that after the half turn the face reads correctly.
        TarotCardView {
            objectName: "faceLayer"
            card: root.card
            isReversed: root.isReversed
            size: root.size
            tappable: false
            opacity: turn.value
            transform: Scale {
                origin.x: root.width / 2
                xScale: -1
            }
        }
    }

    MouseArea {
        objectName: "flipArea"
        anchors.fill: parent
        onClicked: root.isFlipped = CardStyle.flippedByClick(root.isFlipped)
    }
}
