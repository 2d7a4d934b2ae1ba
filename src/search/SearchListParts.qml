import QtQuick
import Quillmoor.Search

// The heading of each kind as a component the results list builds in a context of its own.
QtObject {
    readonly property Component sectionHeading: Component {
        SearchSectionHeading {}
    }
}
