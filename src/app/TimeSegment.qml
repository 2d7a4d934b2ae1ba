import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.App

// One part of the reminder time picker (hours, minutes or AM/PM), highlighted while it has the
// keyboard focus. Up and Down step it; digits and letters are typed into it.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property SettingsViewModel model
    required property int segment

    anchors.verticalCenter: parent ? parent.verticalCenter : undefined
    implicitWidth: root.implicitContentWidth + 6
    implicitHeight: 22
    focusPolicy: Qt.StrongFocus
    Accessible.role: Accessible.SpinBox
    Accessible.description: root.text

    Keys.onUpPressed: root.model.stepReminderTime(root.segment, 1)
    Keys.onDownPressed: root.model.stepReminderTime(root.segment, -1)
    Keys.onPressed: event => {
        if (root.model.typeReminderKey(root.segment, event.text))
            event.accepted = true
    }

    contentItem: Text {
        text: root.text
        font: Theme.body
        color: root.activeFocus ? Theme.background : Theme.textPrimary
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    background: Rectangle {
        radius: 4
        color: root.activeFocus ? Theme.accent : "transparent"
    }
}
