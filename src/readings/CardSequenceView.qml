pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Readings

// The cards of a reading one page at a time, starting at the card that was clicked. The
// chevrons in the toolbar, the left and right arrow keys and a two-finger sideways swipe page;
// a step forward brings the next page in from the right, a step back from the left.
NavigationPage {
    id: root

    required property PositionedCardList cards
    required property int startIndex

    readonly property bool onScreen: root.StackView.status === StackView.Active

    objectName: "cardSequenceView"
    navigationTitle: pager.hasCurrent ? root.cards.at(pager.currentIndex).position.name : ""
    focus: true
    activeFocusOnTab: true
    toolbarItems: [
        Row {
            spacing: 12

            PagingButton {
                objectName: "previousCardButton"
                symbol: "chevron.left"
                enabled: pager.canGoBack
                Accessible.name: qsTr("Previous card")
                onClicked: pager.previous()
            }
            ReadableText {
                objectName: "cardCounter"
                anchors.verticalCenter: parent.verticalCenter
                text: pager.counterText
                font: Theme.subheadline
                color: Theme.textSecondary
            }
            PagingButton {
                objectName: "nextCardButton"
                symbol: "chevron.right"
                enabled: pager.canGoForward
                Accessible.name: qsTr("Next card")
                onClicked: pager.next()
            }
        }
    ]

    Keys.onPressed: (event) => { event.accepted = pager.handleKey(event.key); }
    StackView.onActivated: root.forceActiveFocus()

    CardPager {
        id: pager

        objectName: "cardPager"
        count: root.cards.count
        startIndex: root.startIndex
    }

    SwipeDetector {
        active: root.onScreen
        onSwipeLeft: pager.next()
        onSwipeRight: pager.previous()
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    // The pages side by side; moving to another index slides it into view.
    ListView {
        id: pages

        objectName: "sequencePages"
        anchors.fill: parent
        orientation: ListView.Horizontal
        interactive: false
        clip: true
        model: root.cards
        currentIndex: pager.currentIndex
        highlightRangeMode: ListView.StrictlyEnforceRange
        preferredHighlightBegin: 0
        preferredHighlightEnd: width
        highlightMoveDuration: 250
        highlightMoveVelocity: -1
        cacheBuffer: 0
        // The first page is simply there; only later steps slide.
        Component.onCompleted: pages.positionViewAtIndex(pager.currentIndex, ListView.Beginning)

        delegate: CardSequencePage {
            width: pages.width
            height: pages.height
        }
    }
}
