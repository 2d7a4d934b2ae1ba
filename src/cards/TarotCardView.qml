pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Catalogue
import Quillmoor.Ui
import Quillmoor.Cards

// A card face at one of the four card sizes, upright or turned upside down: the card's picture,
// or a drawn face when it has none. A tappable card opens the full-screen view on a click, or
// on Space or Return once it has keyboard focus.
Item {
    id: root

    property tarotCard card
    property bool isReversed: false
    property int size: CardSize.Medium
    property bool tappable: false
    property bool showFullScreen: false
    // Covers the name the picture prints along its bottom edge (and the drawn face's name), for
    // practice where the name is the answer.
    property bool coversCaption: false
    // The face is part of a control that is read instead of it.
    property bool decorative: false

    readonly property cardMetrics metrics: CardStyle.metrics(root.size)
    // The picture is decoded and shown; until then the drawn plate stands in.
    readonly property bool showsPicture: picture.status === Image.Ready

    width: root.metrics.width
    height: root.metrics.height
    Accessible.role: root.tappable ? Accessible.Button : Accessible.Graphic
    Accessible.name: CardStyle.accessibleName(root.card, root.isReversed)
    Accessible.description: root.card.artDescription
    // Inside a control that names the card itself (with its position), the face is not read
    // a second time.
    Accessible.ignored: root.decorative

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
        id: face

        objectName: "face"
        anchors.fill: parent
        rotation: root.isReversed ? 180 : 0

        // The painted plate is built only while no picture shows, so a page of pictured faces
        // holds no painted textures besides the pictures themselves.
        Repeater {
            model: root.showsPicture ? 0 : 1

            delegate: CardPlate {
                objectName: "plate"
                width: face.width
                height: face.height
                topLeading: Theme.faceTop
                bottomTrailing: Theme.alpha(Theme.surface, 0.8)
                cornerRadius: root.metrics.cornerRadius
            }
        }

        // Behind the picture: the thin bands left where its shape is not exactly the card's.
        Rectangle {
            anchors.fill: parent
            visible: root.showsPicture
            radius: root.metrics.cornerRadius
            color: Theme.faceTop
        }

        Image {
            id: picture

            objectName: "picture"
            anchors.fill: parent
            source: CardStyle.faceImage(root.card, CardStyle.cornerFraction(root.size))
            sourceSize.width: Math.ceil(root.metrics.width)
            sourceSize.height: Math.ceil(root.metrics.height)
            asynchronous: true
            fillMode: Image.PreserveAspectFit
        }

        Column {
            objectName: "drawnFace"
            visible: picture.status === Image.Null || picture.status === Image.Error
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
                visible: !root.coversCaption
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

        // The caption band of the picture as painted (centred, kept to its shape), with only its
        // bottom corners rounded like the card's.
        Item {
            objectName: "captionCover"
            visible: root.coversCaption && root.showsPicture
            readonly property real paintedTop: (face.height - picture.paintedHeight) / 2
            x: (face.width - picture.paintedWidth) / 2
            y: paintedTop + picture.paintedHeight * CardStyle.captionTop
            width: picture.paintedWidth
            height: picture.paintedHeight * (1 - CardStyle.captionTop) + 1
            clip: true

            Rectangle {
                y: -radius
                width: parent.width
                height: parent.height + radius
                radius: root.metrics.cornerRadius
                color: Theme.faceTop
                border.width: 1
                border.color: Theme.alpha(Theme.accent, 0.6)
            }
            Text {
                anchors.centerIn: parent
                width: parent.width - 8
                text: qsTr("Name hidden")
                font: Theme.subheadline
                color: Theme.textSecondary
                horizontalAlignment: Text.AlignHCenter
                elide: Text.ElideRight
                Accessible.ignored: true
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

    AbstractButton {
        id: tapArea
        Accessible.onPressAction: Accessibility.press(tapArea)

        // Whether the sheet was opened from the keyboard, so closing it shows the focus again.
        property bool openedFromKeyboard: false

        objectName: "tapArea"
        anchors.fill: parent
        enabled: root.tappable
        focusPolicy: root.tappable ? Qt.StrongFocus : Qt.NoFocus
        Accessible.role: Accessible.Button
        Accessible.name: root.Accessible.name
        Accessible.description: root.Accessible.description
        Accessible.ignored: root.decorative || !root.tappable
        background: FocusRing {
            radius: root.metrics.cornerRadius + 4
        }
        Keys.onReturnPressed: tapArea.clicked()
        Keys.onEnterPressed: tapArea.clicked()
        onClicked: {
            tapArea.openedFromKeyboard = tapArea.visualFocus;
            root.showFullScreen = true;
        }
    }

    Popup {
        id: sheet

        objectName: "fullScreenSheet"
        parent: Overlay.overlay
        x: 0
        y: 0
        // As large as the window allows, and never below 500 × 700.
        width: Math.max(500, parent ? parent.width : 0)
        height: Math.max(700, parent ? parent.height : 0)
        modal: true
        focus: true
        padding: 0
        closePolicy: Popup.CloseOnEscape
        visible: root.showFullScreen
        background: null
        onClosed: {
            root.showFullScreen = false;
            if (root.tappable)
                tapArea.forceActiveFocus(tapArea.openedFromKeyboard ? Qt.TabFocusReason : Qt.OtherFocusReason);
        }

        // Built only while open: a page of tappable cards holds no full-screen pictures.
        Repeater {
            model: root.showFullScreen ? 1 : 0

            delegate: FullScreenCardView {
                width: sheet.width
                height: sheet.height
                card: root.card
                isReversed: root.isReversed
                onDismissed: sheet.close()
            }
        }
    }
}
