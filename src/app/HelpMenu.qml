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

    objectName: "helpMenu"
    y: root.parent ? root.parent.height : 0
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutsideParent

    MenuItem {
        objectName: "websiteMenuItem"
        text: qsTr("Quillmoor Website")
        enabled: AppState.hasWebsite
        onTriggered: AppState.openWebsite()
    }
    MenuSeparator {}
    MenuItem {
        objectName: "aboutMenuItem"
        text: qsTr("About Quillmoor Tarot")
        onTriggered: root.aboutRequested()
    }
}
