import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// Every menu of the app: the window's dark background with a thin gold edge, so a menu reads
// as lying above the screen it opens over rather than melting into it.
Menu {
    padding: 4
    background: Rectangle {
        implicitWidth: 200
        implicitHeight: 24
        radius: 8
        color: Theme.background
        border.width: 1
        border.color: Theme.alpha(Theme.accent, 0.4)
    }
}
