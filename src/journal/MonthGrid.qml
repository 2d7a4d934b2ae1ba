pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Journal

// The days of the displayed month in seven Sunday-first columns. One stop in the Tab order:
// the arrow keys move the selected day (and the month with it), Page Up and Page Down move a
// month, Home returns to today.
Control {
    id: root

    required property JournalCalendarModel model

    objectName: "monthGrid"
    focusPolicy: Qt.StrongFocus
    padding: 0
    implicitHeight: grid.implicitHeight
    Accessible.role: Accessible.Table
    Accessible.name: root.model.monthTitle

    Keys.onPressed: (event) => event.accepted = root.model.navigateByKey(event.key, event.modifiers)

    Grid {
        id: grid

        columns: 7
        rowSpacing: 4
        columnSpacing: 4

        Repeater {
            model: root.model.days

            delegate: DayCell {
                id: cell

                width: (root.width - 6 * grid.columnSpacing) / 7
                keyboardFocus: root.visualFocus
                onClicked: {
                    root.model.selectDay(cell.dayNumber);
                    root.forceActiveFocus(Qt.MouseFocusReason);
                }
            }
        }
    }
}
