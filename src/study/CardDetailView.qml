pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Study

// One card in full: the large face with the upright/reversed switch on the left; on the right
// the name, number and suit, the yes/no leaning, the keywords, the meaning and the imagery of
// the side shown, and the user's personal note, stored as it is typed.
Item {
    id: root

    required property tarotCard card
    required property ModelContext modelContext

    readonly property CardDetailModel detail: CardDetailModel {
        objectName: "cardDetailModel"
        card: root.card
        modelContext: root.modelContext
    }

    objectName: "cardDetailView"
    Component.onCompleted: root.detail.appear()

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    Item {
        id: cardColumn

        anchors { left: parent.left; top: parent.top; bottom: parent.bottom }
        width: 280 + 2 * Theme.defaultPadding

        Column {
            x: Theme.defaultPadding
            y: Theme.defaultPadding + 16
            width: 280
            spacing: 16

            TarotCardView {
                objectName: "detailCardFace"
                anchors.horizontalCenter: parent.horizontalCenter
                card: root.card
                isReversed: root.detail.showReversed
                size: CardSize.Large
                tappable: true
            }

            Row {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 8

                CardSideButton {
                    objectName: "uprightButton"
                    text: qsTr("Upright")
                    selected: !root.detail.showReversed
                    onClicked: root.detail.showReversed = false
                }
                CardSideButton {
                    objectName: "reversedButton"
                    text: qsTr("Reversed")
                    selected: root.detail.showReversed
                    onClicked: root.detail.showReversed = true
                }
            }
        }
    }

    Rectangle {
        id: divider

        anchors { left: cardColumn.right; top: parent.top; bottom: parent.bottom }
        width: 1
        color: Theme.alpha(Theme.accent, 0.4)
    }

    Flickable {
        id: scroller

        objectName: "cardDetailScroller"
        anchors { left: divider.right; right: parent.right; top: parent.top; bottom: parent.bottom }
        contentWidth: width
        contentHeight: panel.height + 32
        boundsBehavior: Flickable.StopAtBounds
        clip: true

        // Scrolls just enough to show `rect` (in the panel's coordinates) with a margin below.
        function reveal(rect: rect) {
            const wanted = Math.max(Math.min(scroller.contentY, rect.y), rect.y + rect.height + 24 - scroller.height);
            scroller.contentY = Math.max(0, Math.min(wanted, scroller.contentHeight - scroller.height));
        }

        ScrollBar.vertical: PageScrollBar {}

        CardDetailPanel {
            id: panel

            x: 24
            width: scroller.width - 24 - 32
            card: root.card
            detail: root.detail
            onCursorMoved: (rect) => { scroller.reveal(rect); }
        }
    }
}
