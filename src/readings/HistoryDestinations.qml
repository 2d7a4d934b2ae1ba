import QtQuick
import Quillmoor.Readings

// The screen the history pushes for a row, as a typed component the stack can build in a
// context of its own.
QtObject {
    readonly property Component readingDetail: Component {
        ReadingDetailView {}
    }
}
