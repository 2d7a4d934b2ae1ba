import QtQuick
import Quillmoor.Study

// The screen the library pushes, as a typed component. It lives in a file of its own because
// the stack builds it in a context of its own.
QtObject {
    readonly property Component cardDetailPager: Component {
        CardDetailPagerView {}
    }
}
