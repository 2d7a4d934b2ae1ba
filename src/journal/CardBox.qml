pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui

// The day's card: the small face (Space or Return opens it full screen, as a click does), its
// name and, when it was drawn reversed, the badge.
Rectangle {
    id: root

    required property tarotCard card
    required property bool isReversed

    implicitHeight: row.implicitHeight + 2 * Theme.defaultPadding
    radius: 12
    color: Theme.alpha(Theme.surface, 0.3)

    Row {
        id: row

        x: Theme.defaultPadding
        y: Theme.defaultPadding
        spacing: 12

        AbstractButton {
            id: cardButton
            Accessible.onPressAction: Accessibility.press(cardButton)

            objectName: "dayCardButton"
            width: face.width
            height: face.height
            focusPolicy: Qt.TabFocus
            Keys.onReturnPressed: cardButton.clicked()
            Keys.onEnterPressed: cardButton.clicked()
            Accessible.name: root.isReversed ? qsTr("%1, reversed").arg(root.card.name) : root.card.name
            Accessible.description: root.card.artDescription
            onClicked: face.showFullScreen = true

            TarotCardView {
                decorative: true
                id: face

                objectName: "dayCardFace"
                card: root.card
                isReversed: root.isReversed
                size: CardSize.Small
                tappable: true
            }
            background: FocusRing {}
        }

        Column {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 4

            ReadableText {
                text: qsTr("Daily Card")
                font: Theme.subheadline
                color: Theme.accent
            }
            ReadableText {
                objectName: "dayCardName"
                text: root.card.name
                font: Theme.title3Serif
                color: Theme.textPrimary
            }
            Rectangle {
                objectName: "reversedBadge"
                visible: root.isReversed
                width: badge.implicitWidth + 16
                height: badge.implicitHeight + 6
                radius: height / 2
                color: Theme.reversedBadge

                Row {
                    id: badge

                    anchors.centerIn: parent
                    spacing: 4

                    SymbolImage {
                        anchors.verticalCenter: parent.verticalCenter
                        name: "arrow.trianglehead.2.counterclockwise.rotate.90"
                        size: 10
                        color: Theme.textPrimary
                    }
                    ReadableText {
                        text: qsTr("Reversed")
                        font: Theme.subheadline
                        color: Theme.textPrimary
                    }
                }
            }
        }
    }
}
