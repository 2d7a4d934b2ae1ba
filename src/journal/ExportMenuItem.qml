pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// One entry of the export menu: a symbol and its label.
MenuItem {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property string symbol

    Accessible.name: root.text
    contentItem: Row {
        spacing: 8

        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            name: root.symbol
            size: 16
            color: Theme.accent
        }
        Text {
            text: root.text
            font: Theme.body
            color: Theme.textPrimary
        }
    }
    background: Rectangle {
        implicitWidth: 212
        implicitHeight: 32
        radius: 6
        color: root.highlighted ? Theme.alpha(Theme.accent, 0.25) : "transparent"
    }
}
