import QtQuick
import Quillmoor.Ui

// What the library shows when no card matches.
Column {
    spacing: 12

    SymbolImage {
        anchors.horizontalCenter: parent.horizontalCenter
        name: "magnifyingglass"
        size: Theme.textStyle(Theme.Title, false).pixelSize
        color: Theme.textSecondary
    }

    ReadableText {
        text: qsTr("No cards found")
        font: Theme.body
        color: Theme.textSecondary
    }
}
