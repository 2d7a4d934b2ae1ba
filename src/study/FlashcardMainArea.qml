pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Study

// The card being practised: paging chevrons with the counter, the card face (a click turns the
// meaning on or off), and under it either the hint or the meaning, which slides up from the
// bottom edge and fades in.
ScrollView {
    id: root

    required property FlashcardViewModel model

    objectName: "flashcardMainArea"
    contentWidth: availableWidth
    ScrollBar.vertical: PageScrollBar {}

    Column {
        id: column

        x: Theme.defaultPadding
        y: Theme.defaultPadding
        width: root.availableWidth - 2 * Theme.defaultPadding
        bottomPadding: Theme.defaultPadding
        spacing: 20

        Item {
            x: Theme.defaultPadding
            width: column.width - 2 * Theme.defaultPadding
            height: previousButton.height + 16

            FlashcardChevron {
                id: previousButton

                objectName: "previousCardButton"
                y: 16
                symbol: "chevron.left"
                enabled: root.model.canGoPrevious
                Accessible.name: qsTr("Previous Card")
                onClicked: root.model.previous()
            }
            ReadableText {
                objectName: "cardCounter"
                anchors { horizontalCenter: parent.horizontalCenter; verticalCenter: previousButton.verticalCenter }
                text: root.model.counterText
                font: Theme.subheadline
                color: Theme.textSecondary
            }
            FlashcardChevron {
                objectName: "nextCardButton"
                anchors.right: parent.right
                y: 16
                symbol: "chevron.right"
                enabled: root.model.canGoNext
                Accessible.name: qsTr("Next Card")
                onClicked: root.model.next()
            }
        }

        AbstractButton {
            id: cardButton
            Accessible.onPressAction: Accessibility.press(cardButton)

            objectName: "flashcardCard"
            anchors.horizontalCenter: parent.horizontalCenter
            width: face.width
            height: face.height
            focusPolicy: Qt.StrongFocus
            Accessible.name: root.model.cardAccessibleName
            Accessible.description: root.model.showMeaning ? qsTr("Hide the meaning") : qsTr("Reveal the meaning")
            onClicked: root.model.toggleMeaning()
            Keys.onReturnPressed: cardButton.clicked()
            Keys.onEnterPressed: cardButton.clicked()

            contentItem: Item {}
            background: FocusRing {}

            TarotCardView {
                decorative: true
                id: face

                card: root.model.currentCard
                size: CardSize.Large
                coversCaption: root.model.coversName
            }
        }

        ReadableText {
            objectName: "revealHint"
            visible: !root.model.showMeaning
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Click the card to reveal its meaning")
            font: Theme.subheadline
            color: Theme.textSecondary
        }

        FlashcardMeaningPanel {
            id: panel

            objectName: "flashcardMeaning"
            width: column.width
            card: root.model.currentCard
            visible: panel.opacity > 0
            opacity: root.model.showMeaning ? 1 : 0
            transform: Translate {
                y: root.model.showMeaning ? 0 : root.height

                Behavior on y {
                    enabled: root.model.animatesMeaning
                    NumberAnimation { duration: 300; easing.type: Easing.InOutQuad }
                }
            }

            Behavior on opacity {
                enabled: root.model.animatesMeaning
                NumberAnimation { duration: 300; easing.type: Easing.InOutQuad }
            }
        }
    }
}
