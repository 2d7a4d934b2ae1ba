import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Readings

// A question asked over the window before something is lost: its text and the answers given
// as the popup's children, laid out from the right. Escape closes it, answering nothing.
Popup {
    id: root

    property string question
    property string textObjectName: root.objectName + "Text"
    default property alias answers: answerRow.data

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

        ReadableText {
            objectName: root.textObjectName
            width: parent.width
            text: root.question
            font: Theme.body
            color: Theme.textPrimary
            wrapMode: Text.WordWrap
        }
        Flow {
            id: answerRow

            width: parent.width
            spacing: 8
            layoutDirection: Qt.RightToLeft
        }
    }
}
