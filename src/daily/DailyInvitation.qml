pragma ComponentBehavior: Bound
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
            color: Theme.textPrimary
        }
        Text {
            x: 60
            width: parent.width - 120
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: qsTr("Focus on your intention, then click to shuffle and draw your card for the day.")
            font: Theme.body
            color: Theme.textSecondary
        }

        Item {
            id: deck

            anchors.horizontalCenter: parent.horizontalCenter
            width: 260
            height: 420

            // A shuffle view is built only while its shuffle runs.
            Repeater {
                model: root.model.isShuffling ? 1 : 0
                delegate: ShuffleAnimationView {
                    objectName: "pileShuffle"
                    anchors.centerIn: parent
                    choreography: root.model.pileChoreography
                }
            }
            Repeater {
                model: root.model.isWashShuffling ? 1 : 0
                delegate: WashShuffleView {
                    objectName: "washShuffle"
                    anchors.centerIn: parent
                    choreography: root.model.washChoreography
                }
            }
            AbstractButton {
                id: deckButton

                objectName: "deckButton"
                anchors.centerIn: parent
                visible: root.model.phase === DailyCardViewModel.Invitation
                implicitWidth: CardStyle.metrics(CardSize.Large).width
                implicitHeight: CardStyle.metrics(CardSize.Large).height
                focusPolicy: Qt.StrongFocus
                focus: true
                Accessible.name: qsTr("Shuffle and draw")
                contentItem: CardBackView {
                    size: CardSize.Large
                }
                background: FocusRing {
                    radius: 18
                }
                onClicked: root.model.shuffle()
            }
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 20
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Click to shuffle")
                font: Theme.subheadline
                color: Theme.textSecondary
            }
            OutlinedCapsuleButton {
                objectName: "washShuffleButton"
                symbol: "wind"
                text: qsTr("Wash Shuffle")
                onClicked: root.model.washShuffle()
            }
        }
    }
}
