pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Study

// The "Filter" pop-up menu of the flashcard toolbar: one entry per group of cards.
ComboBox {
    id: root

    required property FlashcardViewModel flashcards

    objectName: "flashcardFilter"
    implicitWidth: 150
    implicitHeight: 30
    model: root.flashcards.filterLabels
    currentIndex: root.flashcards.filter
    font: Theme.body
    focusPolicy: Qt.StrongFocus
    Accessible.name: qsTr("Filter")
    onActivated: (index) => root.flashcards.selectFilter(index)

    contentItem: Text {
        leftPadding: 10
        rightPadding: root.indicator.width + 6
        text: root.displayText
        font: root.font
        color: Theme.textPrimary
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    indicator: SymbolImage {
        x: root.width - width - 8
        y: (root.height - height) / 2
        name: "chevron.up.chevron.down"
        size: Theme.subheadline.pixelSize
        color: Theme.accent
    }
    background: Rectangle {
        radius: 6
        color: Theme.alpha(Theme.surface, root.hovered || root.pressed ? 0.7 : 0.5)
        border.width: root.visualFocus ? 2 : 1
        border.color: Theme.alpha(Theme.accent, root.visualFocus ? 0.9 : 0.4)
    }
    delegate: ItemDelegate {
        id: entry
        Accessible.onPressAction: Accessibility.press(entry)

        required property string modelData
        required property int index

        width: ListView.view ? ListView.view.width : implicitWidth
        highlighted: root.highlightedIndex === entry.index
        contentItem: Text {
            text: entry.modelData
            font: root.font
            color: entry.index === root.currentIndex ? Theme.accent : Theme.textPrimary
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            color: entry.highlighted ? Theme.alpha(Theme.surface, 0.8) : "transparent"
        }
    }
    popup.background: Rectangle {
        radius: 6
        color: Theme.faceTop
        border.color: Theme.alpha(Theme.accent, 0.4)
    }
}
