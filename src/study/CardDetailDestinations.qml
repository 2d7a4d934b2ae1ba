import QtQuick
import Quillmoor.Study

// The page the detail pager shows for each card, as a typed component for its stack.
QtObject {
    readonly property Component cardDetail: Component {
        CardDetailView {}
    }
}
