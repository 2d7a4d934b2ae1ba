import QtQuick
import Quillmoor.Ui

// A row that only shows a value: the label on the left, the value on the right.
Item {
    id: root

    required property string label
    required property string value
    property bool divider: false

    implicitHeight: 40

    SettingsDivider {
        visible: root.divider
    }

    ReadableText {
        anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
        text: root.label
        font: Theme.body
        color: Theme.textPrimary
    }

    ReadableText {
        anchors { right: parent.right; rightMargin: 12; verticalCenter: parent.verticalCenter }
        text: root.value
        font: Theme.body
        color: Theme.textSecondary
    }

    Accessible.role: Accessible.StaticText
    Accessible.name: root.label + ": " + root.value
}
