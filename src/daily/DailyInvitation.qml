pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Daily

// Before today's draw: the invitation, the deck to click and the two shuffles. Centred when it
// fits; at small window sizes it scrolls, and keyboard focus scrolls along.
Item {
    id: root

    required property DailyCardViewModel model

    // The deck shrinks (to at most 70 %) rather than push the shuffle buttons below the
    // window's edge: the smallest window shows every part of the invitation at once.
    readonly property real deckFullHeight: CardStyle.metrics(CardSize.Large).height + 24
    readonly property real otherHeight: header.height + title.height + line.height + actions.height +
                                        4 * column.spacing + 2 * Theme.defaultPadding
    readonly property real deckScale: Math.max(0.7, Math.min(1, (flick.height - root.otherHeight) / root.deckFullHeight))

    objectName: "dailyInvitation"

    Flickable {
        id: flick

        objectName: "invitationScroll"
        anchors.fill: parent
        contentWidth: width
        contentHeight: Math.max(height, column.height + 2 * Theme.defaultPadding)
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        ScrollBar.vertical: PageScrollBar {}

        Column {
            id: column

            x: (flick.width - width) / 2
            y: Math.max(Theme.defaultPadding, (flick.height - height) / 2)
            width: Math.min(flick.width - 2 * Theme.defaultPadding, 720)
            spacing: flick.height < 760 ? 18 : 32

            HeaderBand {
                id: header

                anchors.horizontalCenter: parent.horizontalCenter
                width: Math.min(implicitWidth + 160, parent.width)
                model: root.model
            }
            ReadableText {
                id: title

                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("Your Daily Card Awaits")
                Accessible.role: Accessible.Heading
                font: Theme.title2SerifSemibold
                color: Theme.textPrimary
            }
            ReadableText {
                id: line

                x: 60
                width: parent.width - 120
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                text: qsTr("Focus on your intention, then click to shuffle and draw your card for the day.")
                font: Theme.body
                color: Theme.textSecondary
            }

            Item {
                anchors.horizontalCenter: parent.horizontalCenter
                width: 260 * root.deckScale
                height: root.deckFullHeight * root.deckScale

                Item {
                    id: deck

                    anchors.centerIn: parent
                    width: 260
                    height: root.deckFullHeight
                    scale: root.deckScale

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
                        Accessible.onPressAction: Accessibility.press(deckButton)

                        objectName: "deckButton"
                        anchors.centerIn: parent
                        visible: root.model.phase === DailyCardViewModel.Invitation
                        implicitWidth: CardStyle.metrics(CardSize.Large).width
                        implicitHeight: CardStyle.metrics(CardSize.Large).height
                        focusPolicy: Qt.StrongFocus
                        focus: true
                        Accessible.role: Accessible.Button
                        Accessible.name: qsTr("Shuffle and draw")
                        Keys.onReturnPressed: deckButton.clicked()
                        Keys.onEnterPressed: deckButton.clicked()
                        contentItem: CardBackView {
                            size: CardSize.Large
                        }
                        background: FocusRing {
                            radius: CardStyle.metrics(CardSize.Large).cornerRadius + 4
                        }
                        onClicked: root.model.shuffle()
                    }
                }
            }

            Row {
                id: actions

                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 20
                ReadableText {
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

    FocusScroller {
        flickable: flick
    }
}
