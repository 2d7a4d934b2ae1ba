import QtQuick
import QtQuick.Controls
import Quillmoor.Catalogue
import Quillmoor.Ui
import Quillmoor.Cards

// A card that turns over in three dimensions. On its own it turns when clicked; a screen whose
// model owns the turn sets `flipsOnClick` to false, binds `isFlipped` and handles clicked().
// Focusable: Space and Return click it. Face down it is called "Face-down card", face up by
// the card's name.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    property tarotCard card
    property bool isReversed: false
    property bool isFlipped: false
    property bool flipsOnClick: true
    property int size: CardSize.Medium

    readonly property cardMetrics metrics: CardStyle.metrics(root.size)
    // With reduced motion the card does not turn: its face fades in over its back.
    readonly property bool turns: !Accessibility.reducedMotion
    property real fade: root.isFlipped ? 1 : 0

    Behavior on fade {
        NumberAnimation { duration: 200 }
    }

    implicitWidth: root.metrics.width
    implicitHeight: root.metrics.height
    focusPolicy: Qt.StrongFocus
    padding: 0
    Accessible.role: Accessible.Button
    Accessible.name: root.isFlipped ? CardStyle.accessibleName(root.card, root.isReversed) : qsTr("Face-down card")
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    onClicked: {
        if (root.flipsOnClick)
            root.isFlipped = CardStyle.flippedByClick(root.isFlipped);
    }

    // 0 face down, 1 face up; the turn, the cross-fade and the mirroring all follow it.
    SpringMotion {
        id: turn
        objectName: "flipSpring"
        response: 0.6
        damping: 0.8
        to: root.isFlipped ? 1 : 0
    }

    contentItem: Item {
        objectName: "flipStack"
        transform: Matrix4x4 {
            matrix: CardStyle.flipTransform(root.turns ? turn.value * 180 : 0, root.width, root.height)
        }

        CardBackView {
            objectName: "backLayer"
            size: root.size
            opacity: root.turns ? 1 - CardStyle.faceOpacity(turn.value) : 1 - root.fade
        }

        // Mirrored once in advance, so that after the half turn the face reads correctly.
        TarotCardView {
            decorative: true
            objectName: "faceLayer"
            card: root.card
            isReversed: root.isReversed
            size: root.size
            tappable: false
            opacity: root.turns ? CardStyle.faceOpacity(turn.value) : root.fade
            transform: Scale {
                origin.x: root.width / 2
                xScale: root.turns ? -1 : 1
            }
        }
    }

    background: FocusRing {
        radius: root.metrics.cornerRadius + 4
    }
}
