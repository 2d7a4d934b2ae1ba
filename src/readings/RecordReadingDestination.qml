import QtQuick
import Quillmoor.Readings

// The screen that writes a reading down, or edits one, as a typed component of its own: the
// detail screen pushes it, and the other destinations hold the detail screen.
QtObject {
    readonly property Component recordReading: Component {
        RecordReadingView {}
    }
}
