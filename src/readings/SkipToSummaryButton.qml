import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// "Skip to Summary": gold symbol and text in a thin gold capsule outline.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    objectName: "skipToSummaryButton"
    text: qsTr("Skip to Summary")
    leftPadding: 20
    rightPadding: 20
    topPadding: 10
    bottomPadding: 10
    focusPolicy: Qt.StrongFocus
    Accessible.name: root.text

    contentItem: Row {
        spacing: 6

        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            name: "arrow.down.to.line"
            size: Theme.body.pixelSize
            color: Theme.accent
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: root.text
            font: Theme.body
            color: Theme.accent
        }
    }
    background: Rectangle {
        radius: height / 2
        color: root.down ? Theme.alpha(Theme.accent, 0.15) : root.hovered ? Theme.alpha(Theme.accent, 0.08) : "transparent"
        border.width: root.visualFocus ? 2 : 1
        border.color: Theme.alpha(Theme.accent, root.visualFocus ? 0.9 : 0.4)
    }
}
