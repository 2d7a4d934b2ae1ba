import QtQuick
import Quillmoor.Ui

// One position of a reading being written down: its name and what it asks, the card picked for
// it, whether it lay reversed, and why a card was refused there.
Column {
    id: root

    required property int index
    required property string name
    required property string description
    required property string cardName
    required property bool isReversed
    required property string problem

    readonly property alias picker: picker

    signal picked(string cardId)
    signal reversedToggled(bool reversed)

    spacing: 6

    ReadableText {
        width: root.width
        text: qsTr("%1. %2").arg(root.index + 1).arg(root.name)
        font: Theme.title3Serif
        color: Theme.textPrimary
        wrapMode: Text.Wrap
    }
    ReadableText {
        width: root.width
        visible: root.description.length > 0
        text: root.description
        font: Theme.subheadline
        color: Theme.textSecondary
        wrapMode: Text.Wrap
    }
    Row {
        width: root.width
        spacing: 12

        CardPickerField {
            id: picker

            objectName: "recordPosition" + root.index
            width: parent.width - reversed.width - parent.spacing
            cardName: root.cardName
            accessibleName: qsTr("Card at %1").arg(root.name)
            onPicked: (cardId) => root.picked(cardId)
        }
        ChoiceChip {
            id: reversed

            objectName: "recordReversed" + root.index
            text: qsTr("Reversed")
            checkable: true
            checked: root.isReversed
            Accessible.name: qsTr("%1 reversed").arg(root.name)
            onClicked: root.reversedToggled(reversed.checked)
        }
    }
    ReadableText {
        objectName: "recordProblem" + root.index
        width: root.width
        visible: root.problem.length > 0
        text: root.problem
        font: Theme.subheadline
        color: Theme.negative
        wrapMode: Text.Wrap
    }
}
