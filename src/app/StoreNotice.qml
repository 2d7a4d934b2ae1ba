import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.App

// How a restore or an import went, at the top of the window and above any sheet, until the
// user closes it with the button or Escape.
Popup {
    id: root

    objectName: "storeNotice"
    parent: Overlay.overlay
    x: parent ? Math.round((parent.width - width) / 2) : 0
    y: 16
    width: parent ? Math.min(560, parent.width - 48) : 560
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: 16
    onClosed: AppState.dismissNotice()
    // Opened as soon as it lies in a window.
    Component.onCompleted: if (root.parent) root.open()

    background: Rectangle {
        color: Theme.surface
        radius: 10
        border.color: Theme.alpha(Theme.accent, 0.5)
    }

    Row {
        width: root.availableWidth
        spacing: 12

        ReadableText {
            objectName: "storeNoticeText"
            width: parent.width - closeButton.width - parent.spacing
            anchors.verticalCenter: parent.verticalCenter
            text: AppState.notice
            font: Theme.body
            color: Theme.textPrimary
            wrapMode: Text.Wrap
            Accessible.role: Accessible.AlertMessage
            Accessible.name: AppState.notice
        }
        TextButton {
            id: closeButton

            objectName: "storeNoticeCloseButton"
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Close")
            focus: true
            onClicked: root.close()
        }
    }
}
