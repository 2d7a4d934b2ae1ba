pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Readings

// Face-down cards fanned out from one point. Each card turns about the middle of its bottom
// edge to the angle the fan gives it; the picked card rises and grows a little and lies on top.
// Clicks (and Space on a focused card) are reported; the fan decides whether they pick.
Item {
    id: root

    required property FanSelection fan

    signal cardClicked(int index)

    objectName: "fanSelection"
    // Room for the widest spread of the arc, and above it for the picked card to rise.
    implicitWidth: 2 * (root.fan.cardHeight + root.fan.cardWidth / 2)
    implicitHeight: root.fan.cardHeight + 100

    Repeater {
        model: root.fan.cards

        delegate: AbstractButton {
            id: card
            Accessible.onPressAction: Accessibility.press(card)

            required property FanCard modelData

            objectName: "fanCard" + modelData.index
            x: (root.width - width) / 2
            y: (root.height - height) / 2
            width: root.fan.cardWidth
            height: root.fan.cardHeight
            z: modelData.stacking
            padding: 0
            focusPolicy: Qt.StrongFocus
            Accessible.name: qsTr("Face-down card %1 of %2").arg(modelData.index + 1).arg(root.fan.cardCount)
            transform: [
                Rotation {
                    origin.x: card.width / 2
                    origin.y: card.height
                    angle: card.modelData.angle
                },
                Translate {
                    y: -30 * card.modelData.lift
                },
                Scale {
                    origin.x: card.width / 2
                    origin.y: card.height / 2
                    xScale: 1 + 0.1 * card.modelData.lift
                    yScale: 1 + 0.1 * card.modelData.lift
                }
            ]
            onClicked: root.cardClicked(card.modelData.index)

            contentItem: CardBackView {
                size: CardSize.Medium
                width: root.fan.cardWidth
                height: root.fan.cardHeight
            }

            FocusRing {
                radius: 10
            }
        }
    }
}
