import QtQuick
import Quillmoor.Ui

// One snapshot in the settings list: when it was taken above, what it holds below.
Item {
    id: root

    required property string title
    required property string detail
    property bool divider: false

    implicitHeight: lines.implicitHeight + 16

    SettingsDivider {
        visible: root.divider
    }

    Column {
        id: lines

        anchors { left: parent.left; right: parent.right; margins: 12; verticalCenter: parent.verticalCenter }
        spacing: 2

        Text {
            objectName: "backupTitle"
            width: parent.width
            text: root.title
            font: Theme.body
            color: Theme.textPrimary
            wrapMode: Text.Wrap
        }
        Text {
            objectName: "backupDetail"
            width: parent.width
            text: root.detail
            font: Theme.subheadline
            color: Theme.textSecondary
            wrapMode: Text.Wrap
        }
    }

    Accessible.role: Accessible.StaticText
    Accessible.name: root.title + ": " + root.detail
}
