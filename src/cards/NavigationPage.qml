import QtQuick
import Quillmoor.Cards

// A screen inside a section's navigation stack. The stack's title bar shows `navigationTitle`
// and, at its right end, the items of `toolbar`.
Item {
    id: root

    property string navigationTitle
    property Component toolbar: null
}
