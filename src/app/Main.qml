import QtQuick
import Quillmoor.Ui
import Quillmoor.App

// The one main window: the navigation shell when the store opened, otherwise the error screen.
// The window's frame (menu bar, sidebar) is built from Qt Quick alone, so the first frame does
// not wait for the controls library; the screens that use it are built just after.
Window {
    id: root

    width: 1200
    height: 800
    minimumWidth: AppState.storeReady ? 1000 : 500
    minimumHeight: AppState.storeReady ? 700 : 300
    visible: true
    title: "Quillmoor Tarot"
    color: Theme.background

    // Always the dark scheme, whatever the desktop uses.
    palette.window: Theme.background
    palette.windowText: Theme.textPrimary
    palette.base: Theme.faceTop
    palette.alternateBase: Theme.surface
    palette.text: Theme.textPrimary
    palette.button: Theme.surface
    palette.buttonText: Theme.textPrimary
    palette.highlight: Theme.accent
    palette.highlightedText: Theme.background
    palette.mid: Theme.surface
    palette.light: Theme.alpha(Theme.surface, 0.6)
    palette.dark: Theme.surfaceDeep
    palette.placeholderText: Theme.alpha(Theme.textSecondary, 0.6)
    palette.toolTipBase: Theme.faceTop
    palette.toolTipText: Theme.textPrimary

    // The desktop's standard quit key (Ctrl+Q) closes the window, which ends the app.
    Shortcut {
        sequence: "Ctrl+Q"
        context: Qt.ApplicationShortcut
        onActivated: root.close()
    }

    HelpMenuBar {
        id: menuBar

        anchors { left: parent.left; right: parent.right; top: parent.top }
    }

    // The error screen is read from its file only when the store cannot be used.
    Loader {
        id: body

        function show() {
            body.source = "";
            body.sourceComponent = null;
            // While a backup is put in place the window shows neither the old data nor an error.
            if (AppState.restoring)
                return;
            if (AppState.storeReady)
                body.sourceComponent = contentComponent;
            else
                body.setSource(Qt.resolvedUrl("StoreErrorView.qml"), { reason: AppState.storeError });
        }

        anchors { left: parent.left; right: parent.right; top: menuBar.bottom; bottom: parent.bottom }
        Component.onCompleted: body.show()

        Connections {
            target: AppState

            function onStoreReadyChanged() {
                body.show();
            }
            function onRestoringChanged() {
                body.show();
            }
        }
    }

    Component {
        id: contentComponent
        ContentView {}
    }

    // Read from its file only when there is something to tell, so start-up never waits for it.
    Loader {
        active: AppState.notice !== ""
        source: "StoreNotice.qml"
    }
}
