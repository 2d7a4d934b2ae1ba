pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.App
import Quillmoor.Ui

// Every key the app answers to, listed from the Help menu. A modal overlay closed with "Done"
// or Escape; each row is read as its keys and what they do.
Popup {
    id: root

    objectName: "keyboardShortcutsSheet"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(560, parent ? parent.width - 48 : 560)
    height: Math.min(implicitHeight, parent ? parent.height - 48 : implicitHeight)
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
        border.color: Theme.surface
    }

    Flickable {
        id: sheetContent

        objectName: "keyboardShortcutsContent"
        anchors.fill: parent
        implicitHeight: column.implicitHeight
        contentHeight: column.implicitHeight
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: PageScrollBar {}

        Column {
            id: column

            width: sheetContent.width
            spacing: 10

            ReadableText {
                text: qsTr("Keyboard Shortcuts")
                font: Theme.title2SerifSemibold
                color: Theme.textPrimary
                Accessible.role: Accessible.Heading
            }
            Repeater {
                model: KeyboardShortcuts.entries

                delegate: Item {
                    id: entry

                    required property var modelData
                    required property int index

                    objectName: "shortcutRow" + entry.index
                    width: column.width
                    height: Math.max(keys.implicitHeight, action.implicitHeight)
                    Accessible.role: Accessible.StaticText
                    Accessible.name: entry.modelData.keys + ": " + entry.modelData.action

                    Text {
                        id: keys

                        width: Math.round(entry.width * 0.38)
                        text: entry.modelData.keys
                        font.family: Theme.body.family
                        font.pixelSize: Theme.body.pixelSize
                        font.weight: Font.DemiBold
                        color: Theme.accent
                        wrapMode: Text.WordWrap
                    }
                    Text {
                        id: action

                        x: keys.width + 12
                        width: entry.width - x
                        text: entry.modelData.action
                        font: Theme.body
                        color: Theme.textPrimary
                        wrapMode: Text.WordWrap
                    }
                }
            }
            TextButton {
                objectName: "shortcutsDoneButton"
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("Done")
                focus: true
                onClicked: root.close()
            }
        }
    }
}
