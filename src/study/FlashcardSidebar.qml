pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Study

// The practice deck at a glance: how many cards have been shown, and every card in dealt order
// with the current one highlighted and kept in the middle of the list.
Rectangle {
    id: root

    required property FlashcardViewModel model

    // Keeps the current card's row centred; called after every change of position.
    function centreCurrentRow() {
        if (root.model.currentIndex >= 0 && root.model.currentIndex < list.count)
            list.positionViewAtIndex(root.model.currentIndex, ListView.Center);
    }

    objectName: "flashcardSidebar"
    color: Theme.background

    Column {
        id: progress

        width: parent.width
        padding: Theme.defaultPadding
        spacing: 4

        ProgressBar {
            id: bar

            objectName: "studyProgress"
            width: progress.width - 2 * Theme.defaultPadding
            from: 0
            to: Math.max(1, root.model.cardCount)
            value: root.model.studiedCount
            background: Rectangle {
                implicitHeight: 4
                radius: 2
                color: Theme.alpha(Theme.textSecondary, 0.2)
            }
            contentItem: Item {
                implicitHeight: 4
                Rectangle {
                    width: bar.visualPosition * parent.width
                    height: parent.height
                    radius: 2
                    color: Theme.accent
                }
            }
        }
        ReadableText {
            objectName: "progressText"
            text: root.model.progressText
            font: Theme.subheadline
            color: Theme.textSecondary
        }
    }

    Rectangle {
        id: divider

        anchors.top: progress.bottom
        width: parent.width
        height: 1
        color: Theme.alpha(Theme.accent, 0.4)
    }

    ListView {
        id: list

        objectName: "flashcardList"
        anchors { top: divider.bottom; left: parent.left; right: parent.right; bottom: parent.bottom }
        anchors.margins: 4
        clip: true
        model: root.model.deck
        keyNavigationEnabled: false
        activeFocusOnTab: true
        boundsBehavior: Flickable.StopAtBounds
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Cards")
        Keys.onUpPressed: root.model.previous()
        Keys.onDownPressed: root.model.next()
        ScrollBar.vertical: PageScrollBar {}

        delegate: FlashcardSidebarRow {
            width: ListView.view.width
            onChosen: (cardId) => root.model.select(cardId)
        }

        Rectangle {
            anchors.fill: parent
            visible: list.activeFocus
            color: "transparent"
            border.color: Theme.accent
            border.width: 2
            radius: 4
        }
    }

    Connections {
        target: root.model

        function onDeckChanged() {
            root.centreCurrentRow();
        }
    }

    Component.onCompleted: root.centreCurrentRow()
}
