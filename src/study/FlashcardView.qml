pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Study

// Flashcard practice: a sidebar with the progress and the dealt deck, and the card being
// practised. The arrow keys and a horizontal swipe page, Space reveals the meaning. Every visit
// deals a new deck of all cards; the filter menu in the toolbar starts over with one group.
NavigationPage {
    id: root

    readonly property FlashcardViewModel model: FlashcardViewModel {
        objectName: "flashcardModel"
    }

    objectName: "flashcardView"
    navigationTitle: qsTr("Flashcard Practice")
    toolbarItems: [
        HideNamesToggle {
            flashcards: root.model
        },
        FlashcardFilterPicker {
            flashcards: root.model
        }
    ]
    focus: true

    // Dealt as the screen starts to appear, so the deck slides in already laid out.
    StackView.onActivating: {
        root.model.appear();
        root.forceActiveFocus();
    }

    Keys.onLeftPressed: (event) => {
        root.model.previous();
        event.accepted = true;
    }
    Keys.onRightPressed: (event) => {
        root.model.next();
        event.accepted = true;
    }
    Keys.onSpacePressed: (event) => {
        if (root.model.hasCurrentCard)
            root.model.toggleMeaning();
        event.accepted = true;
    }

    SwipeDetector {
        active: root.StackView.status === StackView.Active
        onSwipeLeft: root.model.next()
        onSwipeRight: root.model.previous()
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    Column {
        objectName: "noCardsMessage"
        visible: root.model.cardCount === 0
        anchors.centerIn: parent
        spacing: 12

        ReadableText {
            text: qsTr("No cards available")
            font: Theme.body
            color: Theme.textSecondary
        }
    }

    // The practice itself is built only when there are cards to practise.
    Repeater {
        model: root.model.cardCount > 0 ? 1 : 0

        delegate: Row {
            width: root.width
            height: root.height

            FlashcardSidebar {
                width: 220
                height: parent.height
                model: root.model
            }
            Rectangle {
                width: 1
                height: parent.height
                color: Theme.alpha(Theme.accent, 0.4)
            }
            FlashcardMainArea {
                width: parent.width - 221
                height: parent.height
                model: root.model
            }
        }
    }
}
