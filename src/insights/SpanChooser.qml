pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.Insights

// The span of time and the kinds of draw the insights count.
Column {
    id: root

    required property InsightsModel model

    spacing: 12

    Flow {
        width: root.width
        spacing: 8

        Repeater {
            model: root.model.spanNames

            delegate: ChoiceChip {
                required property int index
                required property string modelData

                objectName: "span" + index
                text: modelData
                checked: root.model.span === index
                onClicked: root.model.span = index
            }
        }
    }
    Row {
        visible: root.model.span === InsightsModel.Dates
        spacing: 12

        FormTextField {
            objectName: "firstDate"
            width: 160
            placeholderText: "yyyy-MM-dd"
            accessibleName: qsTr("From")
            text: root.model.firstDate
            problem: root.model.dateProblem
            onEdited: text => root.model.firstDate = text
            field.onEditingFinished: root.model.finishDates()
        }
        FormTextField {
            objectName: "lastDate"
            width: 160
            placeholderText: "yyyy-MM-dd"
            accessibleName: qsTr("To")
            text: root.model.lastDate
            onEdited: text => root.model.lastDate = text
            field.onEditingFinished: root.model.finishDates()
        }
    }
    Flow {
        width: root.width
        spacing: 8

        ChoiceChip {
            objectName: "countDailyCards"
            checkable: true
            text: qsTr("Daily Cards")
            checked: root.model.dailyCards
            onToggled: root.model.dailyCards = checked
        }
        ChoiceChip {
            objectName: "countDealtReadings"
            checkable: true
            text: qsTr("Dealt Readings")
            checked: root.model.dealtReadings
            onToggled: root.model.dealtReadings = checked
        }
        ChoiceChip {
            objectName: "countRecordedReadings"
            checkable: true
            text: qsTr("Recorded Readings")
            checked: root.model.recordedReadings
            onToggled: root.model.recordedReadings = checked
        }
    }
}
