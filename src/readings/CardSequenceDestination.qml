import QtQuick
import Quillmoor.Readings

// The card sequence that the reading screens push when a card is clicked, as a typed
// component the stack can build in a context of its own.
QtObject {
    readonly property Component cardSequence: Component {
        CardSequenceView {}
    }
}
