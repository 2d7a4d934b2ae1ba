pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.App

// The settings sheet: a modal overlay over the main window, closed with "Done" or Escape. Its
// screen is built afresh each time it opens.
Popup {
    id: root

    // The window's content: its showSettings opens and closes the sheet.
    required property ContentViewModel content
    readonly property bool open: root.content.showSettings

    objectName: "settingsSheet"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.max(450, Math.min(560, parent ? parent.width - 80 : 450))
    height: Math.max(400, Math.min(680, parent ? parent.height - 60 : 400))
    modal: true
    focus: true
    visible: root.open
    onClosed: root.content.showSettings = false
    closePolicy: Popup.CloseOnEscape
    padding: 0

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.5)
    }

    background: Rectangle {
        color: Theme.background
        radius: 12
        border.color: Theme.surface
    }

    FocusScope {
        anchors.fill: parent
        focus: true

        Repeater {
            model: root.open ? 1 : 0

            delegate: SettingsView {
                width: root.width
                height: root.height
                focus: true
                onDismissed: root.close()
            }
        }
    }
}
