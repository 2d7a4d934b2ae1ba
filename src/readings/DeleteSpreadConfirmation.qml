import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Readings

// Asks before a designed spread is deleted, saying how many readings were made with it and
// that they stay as they are. Escape or "Keep" leaves it.
Popup {
    id: root

    property string question
    property int row: -1

    // The spread of this row is to be deleted.
    signal confirmed(int row)

    function ask(row: int, question: string) {
        root.row = row;
        root.question = question;
        root.open();
    }

    objectName: "deleteSpreadConfirmation"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(440, (parent ? parent.width : 440) - 40)
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: 24

    Overlay.modal: Rectangle {
        color: Theme.alpha(Theme.background, 0.6)
    }

    background: Rectangle {
        color: Theme.background
        radius: 12
        border.color: Theme.alpha(Theme.accent, 0.4)
    }

    Column {
        width: parent.width
        spacing: 16

        Text {
            objectName: "deleteSpreadQuestion"
            width: parent.width
            text: root.question
            font: Theme.body
            color: Theme.textPrimary
            wrapMode: Text.WordWrap
        }
        Row {
            anchors.right: parent.right
            spacing: 8

            ChoiceChip {
                objectName: "deleteSpreadKeep"
                text: qsTr("Keep")
                focus: true
                onClicked: root.close()
            }
            ChoiceChip {
                objectName: "deleteSpreadConfirm"
                text: qsTr("Delete")
                onClicked: {
                    root.close();
                    root.confirmed(root.row);
                }
            }
        }
    }
}
