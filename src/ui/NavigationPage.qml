import QtQuick
import Quillmoor.Ui

// A screen inside a section's navigation stack. The stack's title bar shows `navigationTitle`
// and, at its right end, `toolbarItems` (declared by the screen, shown while it is on top).
Item {
    id: root

    property string navigationTitle
    property list<Item> toolbarItems
}
