import QtQuick
import Quillmoor.Ui
import Quillmoor.Readings

// The question: an invitation, the optional question field and the button that shuffles.
Item {
    id: root

    required property YesNoReadingModel model

    objectName: "yesNoQuestion"

    Column {
        id: column

        anchors.centerIn: parent
        width: root.width - 2 * Theme.defaultPadding
        spacing: 24

        ReadableText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Ask Your Question")
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
        }
        ReadableText {
            width: column.width
            text: qsTr("Focus on a yes or no question.\nHold it in your mind, or type it below.")
            font: Theme.body
            color: Theme.textSecondary
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
        Column {
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(column.width, 500)
            spacing: 6

            ReadableText {
                text: qsTr("Your Question")
                font: Theme.subheadline
                color: Theme.accent
            }
            QuestionField {
                objectName: "question"
                width: parent.width
                text: root.model.questionText
                onEdited: (text) => { root.model.questionText = text; }
            }
        }
        CapsuleButton {
            objectName: "shuffleDeckButton"
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Shuffle the Deck")
            onClicked: root.model.shuffleDeck()
        }
    }
}
