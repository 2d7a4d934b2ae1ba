pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Study

// Pages through the cards the library showed, one card in full at a time, with the chevrons in
// the title bar, the left and right arrow keys and a sideways two-finger swipe. A step forward
// slides the next card in from the right, a step back from the left; every card shown is a
// fresh detail screen, upright, with its own note.
NavigationPage {
    id: root

    required property list<string> cardIds
    required property int startIndex
    required property ModelContext modelContext

    readonly property bool onScreen: root.StackView.status === StackView.Active
    readonly property CardDetailDestinations destinations: CardDetailDestinations {}
    readonly property CardDetailPagerModel pager: CardDetailPagerModel {
        objectName: "cardDetailPager"
        cardIds: root.cardIds
        startIndex: root.startIndex
    }

    function showCurrent(immediate: bool) {
        if (!root.pager.hasCurrent) {
            pages.clear();
            return;
        }
        const properties = { card: root.pager.currentCard, modelContext: root.modelContext };
        if (pages.depth === 0)
            pages.push(root.destinations.cardDetail, properties, StackView.Immediate);
        else
            pages.replace(root.destinations.cardDetail, properties, immediate ? StackView.Immediate : StackView.ReplaceTransition);
    }

    objectName: "cardDetailPagerView"
    navigationTitle: root.pager.hasCurrent ? root.pager.currentCard.name : ""
    focus: true
    toolbarItems: [
        Row {
            visible: root.pager.hasCurrent
            spacing: 12

            CardDetailChevron {
                objectName: "previousCardButton"
                symbol: "chevron.left"
                enabled: root.pager.canGoBack
                Accessible.name: qsTr("Previous card")
                onClicked: root.pager.previous()
            }
            ReadableText {
                objectName: "cardPosition"
                anchors.verticalCenter: parent.verticalCenter
                text: root.pager.positionText
                font: Theme.subheadline
                color: Theme.textSecondary
            }
            CardDetailChevron {
                objectName: "nextCardButton"
                symbol: "chevron.right"
                enabled: root.pager.canGoForward
                Accessible.name: qsTr("Next card")
                onClicked: root.pager.next()
            }
        }
    ]

    Keys.onPressed: (event) => { event.accepted = root.pager.hasCurrent && root.pager.handleKey(event.key); }
    StackView.onActivated: root.forceActiveFocus()
    Component.onCompleted: root.showCurrent(true)

    Connections {
        target: root.pager

        function onCurrentIndexChanged() {
            root.showCurrent(false);
        }
    }

    SwipeDetector {
        active: root.onScreen && root.pager.hasCurrent
        onSwipeLeft: root.pager.next()
        onSwipeRight: root.pager.previous()
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    StackView {
        id: pages

        objectName: "cardDetailPages"
        anchors.fill: parent
        clip: true

        replaceEnter: Transition {
            XAnimator {
                from: (root.pager.navigatingForward ? 1 : -1) * pages.width
                to: 0
                duration: 250
                easing.type: Easing.InOutQuad
            }
        }
        replaceExit: Transition {
            XAnimator {
                from: 0
                to: (root.pager.navigatingForward ? -1 : 1) * pages.width
                duration: 250
                easing.type: Easing.InOutQuad
            }
        }
    }
}
