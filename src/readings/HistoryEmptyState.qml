import QtQuick
import Quillmoor.Ui

// What the history says when it has no row to show.
Column {
    id: root

    required property string symbol
    required property string title
    required property string message

    objectName: "historyEmptyState"
    spacing: 16

    SymbolImage {
        anchors.horizontalCenter: parent.horizontalCenter
        name: root.symbol
        size: 48
        color: Theme.textSecondary
    }
    ReadableText {
        objectName: "emptyTitle"
        anchors.horizontalCenter: parent.horizontalCenter
        text: root.title
        font: Theme.title2SerifSemibold
        color: Theme.textSecondary
    }
    ReadableText {
        objectName: "emptyMessage"
        anchors.horizontalCenter: parent.horizontalCenter
        text: root.message
        font: Theme.body
        color: Theme.alpha(Theme.textSecondary, 0.7)
    }
}
