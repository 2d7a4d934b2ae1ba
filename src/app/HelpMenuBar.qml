import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.App

// The window's menu bar: a Help menu whose one item opens the maker's website.
MenuBar {
    id: root

    background: Rectangle {
        implicitHeight: 28
        color: Theme.surfaceDeep
    }

    Menu {
        objectName: "helpMenu"
        title: qsTr("Help")

        MenuItem {
            objectName: "websiteMenuItem"
            text: qsTr("Quillmoor Website")
            enabled: AppState.hasWebsite
            onTriggered: AppState.openWebsite()
        }
    }
}
