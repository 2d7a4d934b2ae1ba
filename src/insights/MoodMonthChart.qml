pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store

// The moods of each month, as a strip of stacked bars or, switched to the table, one line a
// month. Either is one stop for Tab: the arrows move from month to month, Return or a click
// opens the journal on that month, and a screen reader hears the month under the focus.
Column {
    id: root

    required property var months
    property bool asTable: false

    signal monthChosen(int index)

    spacing: 8

    ChoiceChip {
        objectName: "moodsAsTable"
        checkable: true
        text: qsTr("Show as Table")
        checked: root.asTable
        onToggled: root.asTable = checked
    }
    ListView {
        id: bars

        objectName: "moodMonthBars"
        visible: !root.asTable
        width: root.width
        height: 180
        orientation: ListView.Horizontal
        clip: true
        model: root.months
        activeFocusOnTab: visible
        keyNavigationEnabled: true
        currentIndex: count - 1
        highlightMoveDuration: 0
        boundsBehavior: Flickable.StopAtBounds
        readonly property real barWidth: Math.max(12, width / Math.max(1, count))
        readonly property bool scrolls: barWidth * count > width + 0.5

        // A long span opens on its newest months.
        onCountChanged: {
            bars.currentIndex = bars.count - 1;
            bars.positionViewAtEnd();
        }
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Moods by month")
        Accessible.description: currentItem ? (currentItem as MoodMonthBar)?.accessibleName ?? "" : ""
        Keys.onReturnPressed: root.monthChosen(bars.currentIndex)
        Keys.onEnterPressed: root.monthChosen(bars.currentIndex)
        ScrollBar.horizontal: PageScrollBar {}

        delegate: MoodMonthBar {
            required property int index
            required property var modelData

            width: bars.barWidth
            // Room under the labels for the scroll bar.
            height: bars.height - (bars.scrolls ? 12 : 0)
            month: modelData
            current: ListView.isCurrentItem && bars.activeFocus
            onClicked: {
                bars.currentIndex = index;
                root.monthChosen(index);
            }
        }
    }
    ListView {
        id: table

        objectName: "moodMonthTable"
        visible: root.asTable
        width: root.width
        height: Math.min(contentHeight, 320)
        clip: true
        model: root.months
        activeFocusOnTab: visible
        keyNavigationEnabled: true
        highlightMoveDuration: 0
        boundsBehavior: Flickable.StopAtBounds
        Accessible.role: Accessible.Table
        Accessible.name: qsTr("Moods by month")
        Keys.onReturnPressed: root.monthChosen(table.currentIndex)
        Keys.onEnterPressed: root.monthChosen(table.currentIndex)
        ScrollBar.vertical: PageScrollBar {}

        delegate: Rectangle {
            id: line

            required property int index
            required property var modelData

            width: table.width
            height: 28
            radius: 6
            color: ListView.isCurrentItem && table.activeFocus ? Theme.alpha(Theme.accent, 0.2) : "transparent"
            border.width: ListView.isCurrentItem && table.activeFocus ? 2 : 0
            border.color: Theme.accent
            Accessible.role: Accessible.Row
            Accessible.name: line.modelData.accessibleName

            Text {
                id: monthName

                anchors { left: parent.left; leftMargin: 8; verticalCenter: parent.verticalCenter }
                width: 140
                text: line.modelData.label
                font: Theme.body
                color: Theme.textPrimary
            }
            Text {
                anchors { left: monthName.right; right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
                text: line.modelData.moodsText
                font: Theme.subheadline
                color: Theme.textSecondary
                elide: Text.ElideRight
            }
            MouseArea {
                anchors.fill: parent
                onClicked: {
                    table.currentIndex = line.index;
                    root.monthChosen(line.index);
                }
            }
        }
    }
    // Which colour is which mood.
    Flow {
        width: root.width
        spacing: 12

        Repeater {
            model: MoodPalette.moods

            delegate: Row {
                id: key

                required property string modelData

                spacing: 4
                Accessible.ignored: true

                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 10
                    height: 10
                    radius: 5
                    color: MoodPalette.color(key.modelData)
                }
                Text {
                    text: key.modelData
                    font: Theme.subheadline
                    color: Theme.textSecondary
                }
            }
        }
    }
}
