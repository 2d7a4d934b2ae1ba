import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Daily

// Before today's draw: the invitation, the deck to click and the two shuffles.
Item {
    id: root

    required property DailyCardViewModel model

    objectName: "dailyInvitation"

    Column {
        anchors.centerIn: parent
        width: Math.min(parent.width, 720)
        spacing: 32

        HeaderBand {
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(implicitWidth + 160, parent.width)
            model: root.model
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Your Daily Card Awaits")
            font: Theme.title2SerifSemibold
            color: Theme.hex("F5E6D3")
        }
        Text {
            x: 60
            width: parent.width - 120
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: qsTr("Focus on your intention, then click to shuffle and draw your card for the day.")
            font: Theme.body
            color: Theme.hex("D0C4B8")
        }

        Item {
            id: deck

            anchors.horizontalCenter: parent.horizontalCenter
            width: 260
            height: 420

            // The shuffle piles are built on the first shuffle, not at start-up, and then kept
            // so that finishing a shuffle never tears down the view that reports it.
            property bool washUsed: false
            property bool pileUsed: false

            Connections {
                target: root.model
                function onIsWashShufflingChanged() {
                    if (root.model.isWashShuffling)
                        deck.washUsed = true;
                }
                function onIsShufflingChanged() {
                    if (root.model.isShuffling)
                        deck.pileUsed = true;
                }
            }

            StateLoader {
                anchors.centerIn: parent
                wanted: deck.washUsed
                file: "DailyWashShuffle.qml"
                model: root.model
                visible: root.model.isWashShuffling
            }
            StateLoader {
                anchors.centerIn: parent
                wanted: deck.pileUsed
                file: "DailyPileShuffle.qml"
                model: root.model
                visible: root.model.isShuffling && !root.model.isWashShuffling
            }
            AbstractButton {
                id: deckButton

                objectName: "deckButton"
                anchors.centerIn: parent
                visible: !root.model.isShuffling && !root.model.isWashShuffling
                implicitWidth: CardStyle.metrics(CardSize.Large).width
                implicitHeight: CardStyle.metrics(CardSize.Large).height
                focusPolicy: Qt.StrongFocus
                Accessible.name: qsTr("Shuffle and draw")
                contentItem: CardBackView {
                    size: CardSize.Large
                }
                background: Rectangle {
                    visible: deckButton.visualFocus
                    anchors.fill: parent
                    anchors.margins: -4
                    radius: 18
                    color: "transparent"
                    border.color: Theme.hex("C4973B")
                    border.width: 2
                }
                onClicked: root.model.startShuffle()
            }
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 20
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Click to shuffle")
                font: Theme.subheadline
                color: Theme.hex("D0C4B8")
            }
            OutlinedCapsuleButton {
                objectName: "washShuffleButton"
                symbol: "wind"
                text: qsTr("Wash Shuffle")
                onClicked: root.model.startWashShuffle()
            }
        }
    }
}
