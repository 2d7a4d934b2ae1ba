import QtQuick
import Quillmoor.Ui

// A screen inside a section's navigation stack. The stack's title bar shows `navigationTitle`
// and, at its right end, `toolbarItems` (declared by the screen, shown while it is on top).
Item {
    id: root

    property string navigationTitle
    property list<Item> toolbarItems
    // While set, going back asks the screen first (askToLeave) instead of leaving it: it holds
    // work not yet saved.
    property bool holdsBack: false

    // A screen reader meets the screen as a pane named by its title (flows name it by their
    // phase instead); the stack gives it the focus when it is pushed, so its name is read.
    Accessible.role: Accessible.Pane
    Accessible.name: root.navigationTitle

    // Asks the window to open a record in the section it lives in: a destination as the
    // search results give one ({ kind: "journal", day: "2026-03-01" }, ...).
    signal openRequested(var destination)

    // Called instead of going back while holdsBack is set; the screen leaves itself, or not.
    function askToLeave() {
    }
}
