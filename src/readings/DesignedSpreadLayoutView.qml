pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Readings

// The cards of a spread of the user's design, laid out as designed and scaled to the room given,
// each with its number. DesignedSpreadLayout works out every place; this view only puts the
// cards there. Clicking a card reports its index.
Item {
    id: root

    required property PositionedCardList cards
    // The room the drawing should fit: the view's width and at most this height.
    property real availableHeight: 400

    signal cardTapped(int index)

    objectName: "designedSpreadLayout"
    implicitHeight: layout.drawnHeight

    DesignedSpreadLayout {
        id: layout

        objectName: "designedLayoutModel"
        availableWidth: root.width
        availableHeight: root.availableHeight
        cards: root.cards
    }

    Repeater {
        model: layout

        delegate: Item {
            id: entry

            required property int cardIndex
            required property tarotCard card
            required property bool isReversed
            required property real cardRotation
            required property real centreX
            required property real centreY
            required property string accessibleName

            // The larger face where the card is drawn large, so its picture stays sharp.
            readonly property int faceSize: layout.cardWidth > CardStyle.metrics(CardSize.Small).width * 1.2
                                            ? CardSize.Medium : CardSize.Small
            readonly property real faceScale: layout.cardWidth / CardStyle.metrics(entry.faceSize).width

            x: entry.centreX
            y: entry.centreY
            // Later positions lie on earlier ones, as a card laid across another does.
            z: entry.cardIndex

            AbstractButton {
                id: cardButton
                Accessible.onPressAction: Accessibility.press(cardButton)

                objectName: "designedCard" + entry.cardIndex
                x: -width / 2
                y: -height / 2
                width: layout.cardWidth
                height: layout.cardHeight
                rotation: entry.cardRotation
                focusPolicy: Qt.StrongFocus
                Accessible.name: entry.accessibleName
                Accessible.description: entry.card.artDescription
                onClicked: root.cardTapped(entry.cardIndex)

                contentItem: Item {
                    TarotCardView {
                        decorative: true
                        anchors.centerIn: parent
                        scale: entry.faceScale
                        card: entry.card
                        isReversed: entry.isReversed
                        size: entry.faceSize
                    }
                }

                Rectangle {
                    objectName: "designedBadge" + entry.cardIndex
                    z: 5
                    x: 4
                    y: 4
                    width: 22
                    height: 22
                    radius: 11
                    color: Theme.accent
                    Accessible.ignored: true

                    Text {
                        anchors.centerIn: parent
                        text: entry.cardIndex + 1
                        font: Theme.textStyle(Theme.Caption, false, Font.Bold)
                        color: Theme.textOn(Theme.accent)
                    }
                }

                FocusRing {
                    radius: 10
                }
            }
        }
    }
}
