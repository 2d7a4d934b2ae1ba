import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quillmoor.Ui

// A way from the menu to a screen of its own: every stored reading, by default.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    property string symbolName: "clock.arrow.circlepath"

    text: qsTr("Reading History")
    focusPolicy: Qt.StrongFocus
    padding: Theme.defaultPadding
    Accessible.name: root.text

    background: Rectangle {
        radius: 12
        color: root.hovered ? Theme.alpha(Theme.surface, 0.45) : Theme.alpha(Theme.surface, 0.3)
    }

    FocusRing {
        radius: 16
    }

    contentItem: RowLayout {
        spacing: 8

        SymbolImage {
            name: root.symbolName
            size: Theme.body.pixelSize + 2
            color: Theme.accent
        }
        Text {
            Layout.fillWidth: true
            text: root.text
            font: Theme.body
            color: Theme.textPrimary
        }
        SymbolImage {
            name: "chevron.right"
            color: Theme.textSecondary
        }
    }
}
