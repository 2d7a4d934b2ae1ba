import QtQuick
import QtQuick.Controls
import Quillmoor.Cards

// The settings sheet: a modal overlay over the main window, closed with "Done" or Escape.
Popup {
    id: root

    property bool open: false

    objectName: "settingsSheet"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.max(450, Math.min(560, parent ? parent.width - 80 : 450))
    height: Math.max(400, Math.min(640, parent ? parent.height - 80 : 400))
    modal: true
    focus: true
    visible: root.open
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

    Item {
        anchors.fill: parent

        Item {
            id: titleBar

            anchors { left: parent.left; right: parent.right; top: parent.top }
            height: 52

            Text {
                anchors.centerIn: parent
                text: qsTr("Settings")
                font: Theme.title2SerifSemibold
                color: Theme.textPrimary
            }

            Button {
                id: done

                objectName: "settingsDoneButton"
                anchors { right: parent.right; rightMargin: Theme.defaultPadding; verticalCenter: parent.verticalCenter }
                text: qsTr("Done")
                flat: true
                contentItem: Text {
                    text: done.text
                    font: Theme.body
                    color: Theme.accent
                }
                Keys.onReturnPressed: done.clicked()
                Keys.onEnterPressed: done.clicked()
                background: Item {
                    Rectangle {
                        anchors.fill: parent
                        radius: 6
                        color: done.hovered ? Theme.alpha(Theme.surface, 0.5) : "transparent"
                    }
                    FocusRing {
                        control: done
                        radius: 8
                    }
                }
                onClicked: root.close()
            }
        }
    }
}
