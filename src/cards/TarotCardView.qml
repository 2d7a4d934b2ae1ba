pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Catalogue
import Quillmoor.Cards

// A card face at one of the four card sizes, upright or turned upside down. A tappable card
// opens the full-screen view on a click.
Item {
    id: root

    property tarotCard card
    property bool isReversed: false
    property int size: CardSize.Medium
    property bool tappable: false
    property bool showFullScreen: false

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

    Item {
        objectName: "face"
        anchors.fill: parent
        rotation: root.isReversed ? 180 : 0

        CardPlate {
            id: plate
            objectName: "plate"
            anchors.fill: parent
            picture: CardStyle.faceImage(root.card)
            topLeading: Theme.faceTop
            bottomTrailing: Theme.alpha(Theme.surface, 0.8)
            cornerRadius: root.metrics.cornerRadius
        }

        Column {
            objectName: "drawnFace"
            visible: !plate.showsPicture
            anchors.centerIn: parent
            spacing: root.metrics.faceSpacing

            SymbolImage {
                objectName: "suitSymbol"
                anchors.horizontalCenter: parent.horizontalCenter
                name: CardStyle.suitSymbol(root.card)
                size: root.metrics.symbolSize
                color: CardStyle.suitSymbolColor(root.card)
            }

            Text {
                objectName: "cardName"
                width: root.width - 8
                text: root.card.name
                color: Theme.textPrimary
                font: root.metrics.nameFont
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                maximumLineCount: 2
                elide: Text.ElideRight
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: root.metrics.minimumNamePixelSize
            }
        }

        Rectangle {
            objectName: "reversedMarker"
            visible: CardStyle.showsReversedMarker(root.size, root.isReversed)
            anchors.top: parent.top
            anchors.right: parent.right
            anchors.margins: 6
            width: Math.max(marker.implicitWidth, marker.implicitHeight) + 8
            height: width
            radius: width / 2
            color: Theme.alpha(Theme.negative, 0.8)

            Text {
                id: marker
                anchors.centerIn: parent
                text: "R"
                color: Theme.textPrimary
                font: Theme.textStyle(Theme.Caption2, true, Font.Bold)
            }
        }
    }

    MouseArea {
        objectName: "tapArea"
        anchors.fill: parent
        enabled: root.tappable
        onClicked: root.showFullScreen = true
    }

    Popup {
        objectName: "fullScreenSheet"
        parent: Overlay.overlay
        anchors.centerIn: Overlay.overlay
        width: 500
        height: 700
        modal: true
        padding: 0
        visible: root.showFullScreen
        onClosed: root.showFullScreen = false

        FullScreenCardView {
            anchors.fill: parent
            card: root.card
            isReversed: root.isReversed
            onDismissed: root.showFullScreen = false
        }
    }
}
