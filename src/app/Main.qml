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
    color: Theme.hex("1A1A2E")

    // Always the dark scheme, whatever the desktop uses.
    palette.window: Theme.hex("1A1A2E")
    palette.windowText: Theme.hex("F5E6D3")
    palette.base: Theme.hex("241845")
    palette.alternateBase: Theme.hex("2D1B69")
    palette.text: Theme.hex("F5E6D3")
    palette.button: Theme.hex("2D1B69")
    palette.buttonText: Theme.hex("F5E6D3")
    palette.highlight: Theme.hex("C4973B")
    palette.highlightedText: Theme.hex("1A1A2E")
    palette.mid: Theme.hex("2D1B69")
    palette.light: Theme.hex("2D1B69", 0.6)
    palette.dark: Theme.hex("1A0F3D")
    palette.placeholderText: Theme.hex("D0C4B8", 0.6)
    palette.toolTipBase: Theme.hex("241845")
    palette.toolTipText: Theme.hex("F5E6D3")

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
        StoreErrorView {}
    }
}
