pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.Cards

// The common back of the deck at one of the four card sizes: the back picture, or a drawn
// back when it is missing.
Item {
    id: root

    property int size: CardSize.Medium
    // The soft glow under the card. In a heap of overlapping backs it only blurs the edges of
    // the cards below, and drawing 78 of them is most of what a wash's frame costs.
    property bool castsShadow: true

    readonly property cardMetrics metrics: CardStyle.metrics(root.size)
    readonly property bool showsPicture: picture.status === Image.Ready

    width: root.metrics.width
    height: root.metrics.height
    Accessible.role: Accessible.Graphic
    Accessible.name: qsTr("Card back")

    CardShadow {
        visible: root.castsShadow
        x: -radius
        y: -radius + 4
        width: root.width + 2 * radius
        height: root.height + 2 * radius
        color: Theme.alpha(Theme.accent, 0.3)
        radius: 8
        cornerRadius: root.metrics.cornerRadius
    }

    // Painted only while no picture shows (see TarotCardView).
    Repeater {
        model: root.showsPicture ? 0 : 1

        delegate: CardPlate {
            objectName: "backPlate"
            width: root.width
            height: root.height
            topLeading: Theme.surface
            bottomTrailing: Theme.surfaceDeep
            cornerRadius: root.metrics.cornerRadius
        }
    }

    Image {
        id: picture

        objectName: "backPicture"
        anchors.fill: parent
        source: CardStyle.backImage(CardStyle.cornerFraction(root.size))
        sourceSize.width: Math.ceil(root.metrics.width)
        sourceSize.height: Math.ceil(root.metrics.height)
        asynchronous: true
        fillMode: Image.PreserveAspectFit
    }

    SymbolImage {
        objectName: "backStar"
        visible: picture.status === Image.Null || picture.status === Image.Error
        anchors.centerIn: parent
        name: "star.fill"
        size: root.metrics.backSymbolSize
        color: Theme.alpha(Theme.accent, 0.6)
    }
}
