import QtQuick
import Quillmoor.Cards

// The root of a section whose screen has not been built yet: its title and an empty page.
NavigationPage {
    id: root

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
}
