pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Catalogue
import Quillmoor.Ui
import Quillmoor.Cards

// The picture of a card made for sharing: 348 wide, as tall as its content.
Item {
    id: root

    property tarotCard card
    property bool isReversed: false
    property date date: new Date()

    readonly property color gold: Qt.rgba(0.85, 0.72, 0.45, 1)
    readonly property PictureSharer texts: PictureSharer {}
    // Everything is laid out, the card's picture included when it has one: ready to render.
    readonly property bool ready: !CardStyle.hasFaceImage(root.card) || picture.status === Image.Error
                                  || (picture.status === Image.Ready && picture.implicitHeight > 0)

    objectName: "shareCardImage"
    width: 348
    height: column.implicitHeight + 40

    Rectangle {
        anchors.fill: parent
        radius: 20
        border.width: 1
        border.color: Qt.rgba(0.85, 0.72, 0.45, 0.15)
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.rgba(0.08, 0.06, 0.18, 1) }
            GradientStop { position: 1; color: Qt.rgba(0.04, 0.03, 0.10, 1) }
        }
    }

    Column {
        id: column

        x: 24
        y: 20
        width: parent.width - 48
        spacing: 14

        Column {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 4

            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("Daily Card Draw").toUpperCase()
                font.family: Theme.serifFontFamily
                font.pixelSize: 13
                font.weight: Font.Medium
                font.letterSpacing: 2
                color: Qt.rgba(0.85, 0.72, 0.45, 0.8)
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: root.texts.headingDate(root.date)
                font.family: Theme.serifFontFamily
                font.pixelSize: 12
                color: Qt.rgba(1, 1, 1, 0.5)
            }
        }

        Image {
            id: picture

            objectName: "sharePicture"
            anchors.horizontalCenter: parent.horizontalCenter
            // Without a picture the item takes no room at all.
            visible: picture.status === Image.Ready
            width: 280
            height: visible ? 280 * picture.implicitHeight / Math.max(1, picture.implicitWidth) : 0
            // Decoded for the picture's three pixels per point, corners rounded by 10 points.
            source: CardStyle.faceImage(root.card, 10 / 280)
            sourceSize.width: 280 * root.texts.pixelsPerPoint
            asynchronous: true
            fillMode: Image.PreserveAspectFit
            rotation: root.isReversed ? 180 : 0
        }

        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: root.card.name
            font.family: Theme.serifFontFamily
            font.pixelSize: 22
            font.weight: Font.DemiBold
            color: "white"
        }

        Rectangle {
            anchors.horizontalCenter: parent.horizontalCenter
            visible: root.isReversed
            width: reversedText.implicitWidth + 20
            height: reversedText.implicitHeight + 6
            radius: height / 2
            color: Qt.rgba(1, 1, 1, 0.15)

            Text {
                id: reversedText

                anchors.centerIn: parent
                text: qsTr("Reversed")
                font.family: Theme.serifFontFamily
                font.pixelSize: 12
                color: Qt.rgba(1, 1, 1, 0.7)
            }
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8

            Repeater {
                model: root.texts.topKeywords(root.card, root.isReversed)

                delegate: Rectangle {
                    id: chip

                    required property string modelData

                    width: keyword.implicitWidth + 16
                    height: keyword.implicitHeight + 6
                    radius: height / 2
                    color: Qt.rgba(0.85, 0.72, 0.45, 0.12)

                    Text {
                        id: keyword

                        anchors.centerIn: parent
                        text: chip.modelData
                        font.family: Theme.serifFontFamily
                        font.pixelSize: 11
                        color: root.gold
                    }
                }
            }
        }

        Item {
            anchors.horizontalCenter: parent.horizontalCenter
            width: 60
            height: 5

            Rectangle {
                anchors.centerIn: parent
                width: 60
                height: 1
                color: Qt.rgba(0.85, 0.72, 0.45, 0.2)
            }
        }

        Text {
            x: 16
            width: parent.width - 32
            visible: root.card.reflectionQuestions.length > 0
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: root.card.reflectionQuestions.length > 0 ? root.card.reflectionQuestions[0] : ""
            font.family: Theme.serifFontFamily
            font.pixelSize: 14
            font.italic: true
            color: Qt.rgba(1, 1, 1, 0.85)
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            topPadding: 4
            spacing: 6

            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                name: "sparkle"
                size: 9
                color: Qt.rgba(0.85, 0.72, 0.45, 0.7)
            }
            Text {
                text: qsTr("Quillmoor Tarot")
                font.family: Theme.serifFontFamily
                font.pixelSize: 11
                font.weight: Font.Medium
                color: Qt.rgba(0.85, 0.72, 0.45, 0.7)
            }
        }
    }
}
