import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// Says that a reading was deleted and offers to take it back (Ctrl+Z does the same).
Rectangle {
    id: root

    signal undoRequested

    objectName: "undoDeleteBar"
    implicitWidth: row.implicitWidth + 2 * Theme.defaultPadding
    implicitHeight: row.implicitHeight + 16
    radius: height / 2
    color: Theme.surface
    border.width: 1
    border.color: Theme.alpha(Theme.accent, 0.4)

    Row {
        id: row

        anchors.centerIn: parent
        spacing: 12

        ReadableText {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Reading deleted")
            font: Theme.body
            color: Theme.textPrimary
        }
        AbstractButton {
            id: undo
            Accessible.onPressAction: Accessibility.press(undo)

            objectName: "undoDeleteButton"
            anchors.verticalCenter: parent.verticalCenter
            padding: 6
            focusPolicy: Qt.StrongFocus
            Accessible.name: qsTr("Undo")
            onClicked: root.undoRequested()

            contentItem: Text {
                text: qsTr("Undo")
                font: Theme.textStyle(Theme.Body, false, Font.Bold)
                color: Theme.accent
            }
            background: Rectangle {
                radius: 6
                color: undo.hovered ? Theme.alpha(Theme.accent, 0.15) : "transparent"
            }

            FocusRing {
                radius: 8
            }
        }
    }
}
