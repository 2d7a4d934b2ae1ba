import QtQuick
import Quillmoor.Ui
import Quillmoor.App

// The window's menu bar: a Help menu with the maker's website, the keyboard shortcuts and the
// about information. The menu and the sheets are read from their files the first time they are asked for, so
// they cost nothing at start-up.
Rectangle {
    id: root

    // Untyped, so that compiling the bar does not load the controls library the menu and the
    // sheet are made of.
    property var menu: null
    property var about: null
    property var shortcuts: null

    function toggleMenu() {
        if (!root.menu) {
            root.menu = Qt.createComponent(Qt.resolvedUrl("HelpMenu.qml")).createObject(title);
            root.menu.aboutRequested.connect(root.showAbout);
            root.menu.shortcutsRequested.connect(root.showShortcuts);
        }
        if (root.menu.visible)
            root.menu.close();
        else
            root.menu.open();
    }

    function showAbout() {
        if (!root.about)
            root.about = Qt.createComponent(Qt.resolvedUrl("AboutSheet.qml")).createObject(root.Window.window.contentItem);
        root.about.open();
    }

    function showShortcuts() {
        if (!root.shortcuts)
            root.shortcuts = Qt.createComponent(Qt.resolvedUrl("KeyboardShortcutsSheet.qml")).createObject(root.Window.window.contentItem);
        root.shortcuts.open();
    }

    implicitHeight: 28
    color: Theme.surfaceDeep

    ShellControl {
        id: title

        readonly property bool highlighted: root.menu !== null && root.menu.visible

        objectName: "helpMenuTitle"
        height: parent.height
        width: label.implicitWidth + 24
        Accessible.role: Accessible.MenuItem
        Accessible.name: label.text
        Accessible.onPressAction: root.toggleMenu()
        onClicked: root.toggleMenu()

        Rectangle {
            anchors.fill: parent
            color: title.highlighted ? Theme.alpha(Theme.accent, 0.28) : "transparent"
        }
        ShellFocusRing {
            control: title
        }
        ReadableText {
            id: label

            anchors.centerIn: parent
            text: qsTr("Help")
            font: Theme.body
            color: Theme.textPrimary
        }
    }
}
