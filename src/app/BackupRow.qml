import QtQuick
import Quillmoor.Ui

// One snapshot in the settings list: when it was taken above, what it holds below, and the
// button that asks to restore it.
Item {
    id: root

    required property string title
    required property string detail
    required property string path
    property bool divider: false

    signal restoreRequested()
    // The keyboard reached the row's button.
    signal focusMoved(item: Item)

    implicitHeight: Math.max(lines.implicitHeight, restoreButton.implicitHeight) + 16

    SettingsDivider {
        visible: root.divider
    }

    Column {
        id: lines

        anchors { left: parent.left; right: restoreButton.left; margins: 12; verticalCenter: parent.verticalCenter }
        spacing: 2

        ReadableText {
            objectName: "backupTitle"
            width: parent.width
            text: root.title
            font: Theme.body
            color: Theme.textPrimary
            wrapMode: Text.Wrap
        }
        ReadableText {
            objectName: "backupDetail"
            width: parent.width
            text: root.detail
            font: Theme.subheadline
            color: Theme.textSecondary
            wrapMode: Text.Wrap
        }
    }

    TextButton {
        id: restoreButton

        objectName: "restoreBackupButton"
        anchors { right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
        text: qsTr("Restore…")
        Accessible.name: qsTr("Restore the backup from %1").arg(root.title)
        onClicked: root.restoreRequested()
        onActiveFocusChanged: if (activeFocus) root.focusMoved(restoreButton)
    }

    Accessible.role: Accessible.StaticText
    Accessible.name: root.title + ": " + root.detail
}
