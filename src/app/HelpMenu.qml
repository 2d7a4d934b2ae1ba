import QtQuick
import QtQuick.Controls
import Quillmoor.App
import Quillmoor.Ui

// The Help menu: the maker's website and the about information. It drops down below its
// title, which it takes as its parent; a press on the title belongs to the title, which
// closes the menu itself.
PaletteMenu {
    id: root

    signal aboutRequested
    signal shortcutsRequested

    objectName: "helpMenu"
    y: root.parent ? root.parent.height : 0
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutsideParent

    MenuItem {

        id: websiteMenuItem

        objectName: "websiteMenuItem"

        Accessible.onPressAction: Accessibility.press(websiteMenuItem)
        text: qsTr("Quillmoor Website")
        enabled: AppState.hasWebsite
        onTriggered: AppState.openWebsite()
    }
    MenuItem {
        id: shortcutsMenuItem
        objectName: "shortcutsMenuItem"
        Accessible.onPressAction: Accessibility.press(shortcutsMenuItem)
        text: qsTr("Keyboard Shortcuts")
        onTriggered: root.shortcutsRequested()
    }
    MenuSeparator {}
    MenuItem {
        id: aboutMenuItem
        objectName: "aboutMenuItem"
        Accessible.onPressAction: Accessibility.press(aboutMenuItem)
        text: qsTr("About Quillmoor Tarot")
        onTriggered: root.aboutRequested()
    }
}
