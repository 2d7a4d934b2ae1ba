pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.App

// "Reminder Time" with a picker of hours and minutes (and AM/PM where the locale uses it). Tab
// moves between the parts, the arrow keys change the focused part and digits type it; the
// small stepper changes the part used last.
Item {
    id: root

    required property SettingsViewModel model
    property int activeSegment: SettingsViewModel.Hour

    signal focusMoved(item: Item)

    objectName: "reminderTimeRow"
    implicitHeight: 44

    SettingsDivider {}

    ReadableText {
        anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
        text: qsTr("Reminder Time")
        font: Theme.body
        color: Theme.textPrimary
    }

    Row {
        anchors { right: parent.right; rightMargin: 12; verticalCenter: parent.verticalCenter }
        spacing: 4

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: fields.width + 10
            height: 28
            radius: 6
            color: Theme.alpha(Theme.background, 0.7)
            border.color: Theme.alpha(Theme.textSecondary, 0.3)

            Row {
                id: fields

                anchors.centerIn: parent

                TimeSegment {
                    id: hour

                    objectName: "reminderHour"
                    model: root.model
                    segment: SettingsViewModel.Hour
                    text: root.model.hourText
                    Accessible.name: qsTr("Hour")
                    KeyNavigation.right: minute
                    onActiveFocusChanged: if (activeFocus) { root.activeSegment = segment; root.focusMoved(root) }
                }
                ReadableText {
                    anchors.verticalCenter: parent.verticalCenter
                    text: ":"
                    font: Theme.body
                    color: Theme.textPrimary
                }
                TimeSegment {
                    id: minute

                    objectName: "reminderMinute"
                    model: root.model
                    segment: SettingsViewModel.Minute
                    text: root.model.minuteText
                    Accessible.name: qsTr("Minute")
                    KeyNavigation.left: hour
                    KeyNavigation.right: period.visible ? period : null
                    onActiveFocusChanged: if (activeFocus) { root.activeSegment = segment; root.focusMoved(root) }
                }
                Item {
                    visible: period.visible
                    width: 4
                    height: 1
                }
                TimeSegment {
                    id: period

                    objectName: "reminderPeriod"
                    visible: !root.model.uses24HourClock
                    model: root.model
                    segment: SettingsViewModel.Period
                    text: root.model.periodText
                    Accessible.name: qsTr("AM or PM")
                    KeyNavigation.left: minute
                    onActiveFocusChanged: if (activeFocus) { root.activeSegment = segment; root.focusMoved(root) }
                }
            }
        }

        Column {
            anchors.verticalCenter: parent.verticalCenter

            Repeater {
                model: [1, -1]

                delegate: AbstractButton {
                    id: step
                    Accessible.onPressAction: Accessibility.press(step)

                    required property int modelData

                    objectName: modelData > 0 ? "reminderStepUp" : "reminderStepDown"
                    width: 16
                    height: 13
                    focusPolicy: Qt.NoFocus
                    autoRepeat: true
                    Accessible.name: modelData > 0 ? qsTr("Later") : qsTr("Earlier")
                    contentItem: SymbolImage {
                        name: "chevron.right"
                        size: 12
                        rotation: step.modelData > 0 ? -90 : 90
                        color: step.pressed ? Theme.textPrimary : Theme.textSecondary
                    }
                    onClicked: root.model.stepReminderTime(root.activeSegment, modelData)
                }
            }
        }
    }
}
