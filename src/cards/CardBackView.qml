import QtQuick
import Quillmoor.Cards

// The common back of the deck at one of the four card sizes.
Item {
    id: root

    property int size: CardSize.Medium

    readonly property cardMetrics metrics: CardStyle.metrics(root.size)

    width: root.metrics.width
    height: root.metrics.height

    CardShadow {
        x: -radius
        y: -radius + 4
        width: root.width + 2 * radius
        height: root.height + 2 * radius
        color: Theme.alpha(Theme.accent, 0.3)
        radius: 8
        cornerRadius: root.metrics.cornerRadius
    }

    CardPlate {
        id: plate
        anchors.fill: parent
        picture: CardStyle.backImage()
        topLeading: Theme.surface
        bottomTrailing: Theme.surfaceDeep
        cornerRadius: root.metrics.cornerRadius
    }

    SymbolImage {
        objectName: "backStar"
        visible: !plate.showsPicture
        anchors.centerIn: parent
        name: "star.fill"
        size: root.metrics.backSymbolSize
        color: Theme.alpha(Theme.accent, 0.6)
    }
}
