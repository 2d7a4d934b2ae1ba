import QtQuick
import Quillmoor.Cards

// The root of a section whose screen has not been built yet: its title and an empty page.
NavigationPage {
    id: root

    // Every section root is given the store; this one has no use for it yet.
    property var modelContext

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
}
