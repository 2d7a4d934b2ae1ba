import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.App

// The window's menu bar: a Help menu with the maker's website and the about information.
MenuBar {
    id: root

    // The about sheet is read from its file the first time it is asked for, so it costs
    // nothing at start-up.
    property Popup about: null

    function showAbout() {
        if (!root.about)
            root.about = Qt.createComponent(Qt.resolvedUrl("AboutSheet.qml")).createObject(root.Window.window.contentItem) as Popup;
        root.about.open();
    }

    background: Rectangle {
        implicitHeight: 28
        color: Theme.surfaceDeep
    }

    delegate: MenuBarItem {
        id: title

        objectName: title.menu ? title.menu.objectName + "Title" : ""
        // Without hover tracking the bar lets go of its title whenever the menu closes: Qt 6.4
        // keeps a hovered title highlighted after Escape, with the pointer still over it, and
        // then needs two clicks to open the menu again.
        hoverEnabled: false
        // A Tab stop like every other control; Space or Return opens the menu.
        focusPolicy: Qt.TabFocus
        Keys.onReturnPressed: title.clicked()
        Keys.onEnterPressed: title.clicked()
        leftPadding: 12
        rightPadding: 12
        contentItem: Text {
            text: title.text
            font: Theme.body
            color: Theme.textPrimary
            verticalAlignment: Text.AlignVCenter
        }
        background: Item {
            Rectangle {
                anchors.fill: parent
                color: title.highlighted ? Theme.alpha(Theme.accent, 0.28) : "transparent"
            }
            Rectangle {
                anchors.fill: parent
                anchors.margins: 2
                visible: title.visualFocus
                color: "transparent"
                border.width: 2
                border.color: Theme.accent
            }
        }
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
        MenuSeparator {}
        MenuItem {
            objectName: "aboutMenuItem"
            text: qsTr("About Quillmoor Tarot")
            onTriggered: root.showAbout()
        }
    }


}
