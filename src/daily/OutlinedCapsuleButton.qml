import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A quiet action: symbol and text in gold over a thin gold capsule outline. Space and Return
// click it.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property string symbol

    leftPadding: 16
    rightPadding: 16
    topPadding: 8
    bottomPadding: 8
    focusPolicy: Qt.StrongFocus
    Accessible.role: Accessible.Button
    Accessible.name: root.text
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    contentItem: Row {
        spacing: 6
        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            name: root.symbol
            size: 14
            color: Theme.accent
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: root.text
            font: Theme.body
            color: Theme.accent
        }
    }
    background: Item {
        Rectangle {
            anchors.fill: parent
            radius: height / 2
            color: root.down ? Theme.alpha(Theme.accent, 0.15) : root.hovered ? Theme.alpha(Theme.accent, 0.08) : "transparent"
            border.width: 1
            border.color: Theme.alpha(Theme.accent, 0.4)
        }
        FocusRing {
            control: root
            radius: height / 2
        }
    }
}
