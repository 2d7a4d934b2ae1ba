import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.App

// The one main window: the navigation shell when the store opened, otherwise the error screen.
ApplicationWindow {
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

    menuBar: HelpMenuBar {}

    Loader {
        anchors.fill: parent
        sourceComponent: AppState.storeReady ? contentComponent : errorComponent
    }

    Component {
        id: contentComponent
        ContentView {}
    }

    Component {
        id: errorComponent
        StoreErrorView {
            reason: AppState.storeError
        }
    }
}
