pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Readings

// The ten cards of a Celtic Cross in their cross-and-staff pattern, each with its number.
// Where each card goes is worked out by CelticCrossLayout; this view only puts them there.
// Clicking a card reports its index.
Item {
    id: root

    required property PositionedCardList cards
    property int revealedCount: 10

    signal cardTapped(int index)

    objectName: "celticCrossLayout"
    implicitHeight: layout.drawnHeight

    CelticCrossLayout {
        id: layout

        width: root.width
        cards: root.cards
        revealedCount: root.revealedCount
    }

    Repeater {
        model: layout

        // A point at the card's centre; the card is centred on it.
        delegate: Item {
            id: entry

            required property int cardIndex
            required property tarotCard card
            required property bool isReversed
            required property real cardRotation
            required property real centreX
            required property real centreY
            required property int stacking
            required property string accessibleName

            x: entry.centreX
            y: entry.centreY
            z: entry.stacking
            // The card is drawn once it has grown to a third of its size (about 40 ms in, still
            // nearly transparent): Qt's software rasteriser can read past the end of a picture it
            // shrinks more than that, turned, and crash.
            visible: entry.scale >= 0.3

            ParallelAnimation {
                running: true

                NumberAnimation { target: entry; property: "scale"; from: 0.00001; to: 1; duration: 350; easing.type: Easing.OutCubic }
                NumberAnimation { target: entry; property: "opacity"; from: 0; to: 1; duration: 350 }
            }

            AbstractButton {
                id: cardButton
                Accessible.onPressAction: Accessibility.press(cardButton)

                objectName: "crossCard" + entry.cardIndex
                x: -width / 2
                y: -height / 2
                width: CardStyle.metrics(CardSize.Small).width
                height: CardStyle.metrics(CardSize.Small).height
                rotation: entry.cardRotation
                focusPolicy: Qt.StrongFocus
                Accessible.name: entry.accessibleName
                Accessible.description: entry.card.artDescription
                onClicked: root.cardTapped(entry.cardIndex)

                contentItem: TarotCardView {
                    decorative: true
                    card: entry.card
                    isReversed: entry.isReversed
                    size: CardSize.Small
                }

                FocusRing {
                    radius: 10
                }
            }
        }
    }

    // The number badges lie above every card, so the crossing card never covers the centre
    // card's number.
    Repeater {
        model: layout

        delegate: Rectangle {
            id: badge

            required property int cardIndex
            required property real centreX
            required property real centreY
            required property real badgeX
            required property real badgeY

            objectName: "crossBadge" + badge.cardIndex
            x: badge.centreX + badge.badgeX - width / 2
            y: badge.centreY + badge.badgeY - height / 2
            z: 10
            width: layout.badgeDiameter
            height: layout.badgeDiameter
            radius: width / 2
            color: Theme.accent
            Accessible.ignored: true

            NumberAnimation on opacity { from: 0; to: 1; duration: 350 }

            Text {
                anchors.centerIn: parent
                text: badge.cardIndex + 1
                font: Theme.textStyle(Theme.Caption, false, Font.Bold)
                color: Theme.textOn(Theme.accent)
            }
            TapHandler {
                onTapped: root.cardTapped(badge.cardIndex)
            }
        }
    }
}
