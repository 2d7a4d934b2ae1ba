pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.Journal

// The left column: month header, weekday header, the month grid and the mood legend.
Rectangle {
    id: root

    required property JournalCalendarModel model

    color: Theme.background

    Column {
        width: parent.width

        Item {
            width: parent.width
            height: 36 + 2 * Theme.defaultPadding

            ChevronButton {
                objectName: "previousMonthButton"
                x: Theme.defaultPadding
                anchors.verticalCenter: parent.verticalCenter
                symbol: "chevron.left"
                Accessible.name: qsTr("Previous Month")
                onClicked: root.model.showPreviousMonth()
            }
            ReadableText {
                objectName: "monthTitle"
                anchors.centerIn: parent
                text: root.model.monthTitle
                font: Theme.title3Serif
                color: Theme.textPrimary
            }
            ChevronButton {
                objectName: "nextMonthButton"
                anchors.right: parent.right
                anchors.rightMargin: Theme.defaultPadding
                anchors.verticalCenter: parent.verticalCenter
                symbol: "chevron.right"
                Accessible.name: qsTr("Next Month")
                onClicked: root.model.showNextMonth()
            }
        }

        Row {
            x: Theme.defaultPadding
            width: parent.width - 2 * Theme.defaultPadding
            bottomPadding: 8

            Repeater {
                model: root.model.daysOfWeek

                delegate: ReadableText {
                    required property string modelData

                    width: parent.width / 7
                    horizontalAlignment: Text.AlignHCenter
                    text: modelData
                    font: Theme.subheadline
                    color: Theme.textSecondary
                }
            }
        }

        MonthGrid {
            x: Theme.defaultPadding
            width: parent.width - 2 * Theme.defaultPadding
            model: root.model
        }

        MoodLegend {
            x: Theme.defaultPadding
            width: parent.width - 2 * Theme.defaultPadding
        }
    }
}
