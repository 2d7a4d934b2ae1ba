import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A button row: an optional gold symbol and a text on the left, a muted symbol at the right end.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    property string symbol: ""
    property color textColor: Theme.textPrimary
    required property string trailingSymbol
    property real trailingSize: 13
    property bool divider: false

    implicitHeight: 40
    opacity: enabled ? 1 : 0.5
    leftPadding: 12
    rightPadding: 12
    focusPolicy: Qt.StrongFocus
    Accessible.role: Accessible.Link
    Accessible.name: root.text
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    contentItem: Item {
        Row {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 8

            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                visible: root.symbol !== ""
                name: root.symbol !== "" ? root.symbol : "envelope"
                size: 15
                color: Theme.accent
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: root.text
                font: Theme.body
                color: root.textColor
            }
        }
        SymbolImage {
            anchors { right: parent.right; verticalCenter: parent.verticalCenter }
            visible: root.trailingSymbol !== ""
            name: root.trailingSymbol !== "" ? root.trailingSymbol : "chevron.right"
            size: root.trailingSize
            color: Theme.textSecondary
        }
    }

    background: Rectangle {
        radius: 8
        color: root.down ? Theme.alpha(Theme.surface, 0.6) : root.hovered ? Theme.alpha(Theme.surface, 0.35) : "transparent"

        SettingsDivider {
            visible: root.divider
        }
        // The keyboard focus ring, drawn inside the row so the panel's edge does not cut it.
        Rectangle {
            anchors { fill: parent; margins: 1 }
            visible: root.visualFocus
            radius: 7
            color: "transparent"
            border.color: Theme.accent
            border.width: 2
        }
    }
}
