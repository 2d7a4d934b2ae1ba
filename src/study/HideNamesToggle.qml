import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Study

// "Hide Card Names" in the flashcard toolbar: while on, the card shown keeps its printed name
// covered until its meaning is revealed.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property FlashcardViewModel flashcards

    objectName: "hideNamesToggle"
    checkable: true
    checked: root.flashcards.hidesNames
    implicitHeight: 30
    leftPadding: 10
    rightPadding: 10
    focusPolicy: Qt.StrongFocus
    text: qsTr("Hide Card Names")
    Accessible.role: Accessible.CheckBox
    Accessible.name: root.text
    Accessible.checkable: true
    Accessible.checked: root.checked
    onToggled: root.flashcards.hidesNames = root.checked

    contentItem: Row {
        spacing: 6

        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            name: root.checked ? "checkmark" : "eye.slash"
            size: Theme.body.pixelSize + 2
            color: Theme.accent
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: root.text
            font: Theme.body
            color: Theme.textPrimary
        }
    }
    background: Rectangle {
        radius: 6
        color: Theme.alpha(root.checked ? Theme.accent : Theme.surface, root.checked ? 0.25 : (root.hovered ? 0.7 : 0.5))
        border.width: root.visualFocus ? 2 : 1
        border.color: Theme.alpha(Theme.accent, root.visualFocus ? 0.9 : 0.4)
    }
}
