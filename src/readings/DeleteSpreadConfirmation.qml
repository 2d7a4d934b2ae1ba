import QtQuick
import Quillmoor.Ui
import Quillmoor.Readings

// Asks before a designed spread is deleted, saying how many readings were made with it and
// that they stay as they are. Escape or "Keep" leaves it.
QuestionPopup {
    id: root

    property int row: -1

    // The spread of this row is to be deleted.
    signal confirmed(int row)

    function ask(row: int, question: string) {
        root.row = row;
        root.question = question;
        root.open();
    }

    objectName: "deleteSpread"
    textObjectName: "deleteSpreadQuestion"

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
