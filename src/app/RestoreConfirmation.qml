import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.App

// Asks before a backup replaces the data in use, saying what each holds. A modal overlay;
// Escape or "Cancel" leaves everything as it is.
Popup {
    id: root

    property string title
    property string detail
    property string path

    function ask(title: string, detail: string, path: string) {
        root.title = title;
        root.detail = detail;
        root.path = path;
        root.open();
    }

    objectName: "restoreConfirmation"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 440
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: 24

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.5)
    }

    background: Rectangle {
        color: Theme.background
        radius: 12
        border.color: Theme.alpha(Theme.accent, 0.4)
    }

    Column {
        width: parent.width
        spacing: 12

        ReadableText {
            width: parent.width
            text: qsTr("Restore the backup from %1?").arg(root.title)
            font: Theme.title3Serif
            color: Theme.textPrimary
            wrapMode: Text.WordWrap
        }
        ReadableText {
            objectName: "restoreConfirmationText"
            width: parent.width
            text: qsTr("It holds %1. Your data as it is now is replaced by it, but not lost: it is kept in a "
                       + "file beside it, and the window then opens on the backup.").arg(root.detail)
            font: Theme.body
            color: Theme.textSecondary
            wrapMode: Text.WordWrap
        }
        Row {
            anchors.right: parent.right
            spacing: 8

            TextButton {
                objectName: "restoreCancelButton"
                text: qsTr("Cancel")
                focus: true
                onClicked: root.close()
            }
            TextButton {
                objectName: "restoreConfirmButton"
                text: qsTr("Restore")
                onClicked: {
                    root.close();
                    AppState.restoreBackup(root.path);
                }
            }
        }
    }
}
