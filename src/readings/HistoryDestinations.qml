import QtQuick
import Quillmoor.Ui
import Quillmoor.Readings

// The screen the history pushes for a row, and the heading over each month of rows, as typed
// components the stack and the list can build in contexts of their own.
QtObject {
    readonly property Component readingDetail: Component {
        ReadingDetailView {}
    }
    readonly property Component monthHeading: Component {
        MonthHeading {
            x: Theme.defaultPadding
            width: parent ? parent.width - 2 * Theme.defaultPadding : 0
        }
    }
}
