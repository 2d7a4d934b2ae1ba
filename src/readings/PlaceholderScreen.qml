import QtQuick
import QtQuick.Controls
import Quillmoor.Cards

// A pushed screen whose content is not built yet: its title over the background.
NavigationPage {
    id: root

    focus: true
    activeFocusOnTab: true
    StackView.onActivated: root.forceActiveFocus()

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }
}
