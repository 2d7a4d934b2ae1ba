pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Journal

// The right side: the selected day, with or without an entry, in a scrolling area.
ScrollView {
    id: root

    required property JournalCalendarModel model

    objectName: "dayPanel"
    contentWidth: availableWidth
    ScrollBar.vertical: PageScrollBar {}

    // Only the layout for the day as it is gets built.
    Column {
        width: root.availableWidth

        Repeater {
            model: root.model.selectedEntry ? 1 : 0

            delegate: EntryPanel {
                x: 24
                width: root.availableWidth - 24 - 32
                model: root.model
            }
        }
        Repeater {
            model: root.model.selectedEntry ? 0 : 1

            delegate: EmptyDayPanel {
                x: Theme.defaultPadding
                width: root.availableWidth - 2 * Theme.defaultPadding
                model: root.model
            }
        }
    }
}
