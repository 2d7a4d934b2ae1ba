import QtQuick
import Quillmoor.Ui

// The plum capsule that marks a card drawn reversed.
Rectangle {
    id: root

    objectName: "reversedBadge"
    implicitWidth: badge.implicitWidth + 16
    implicitHeight: badge.implicitHeight + 6
    radius: height / 2
    color: Theme.reversedBadge

    Row {
        id: badge

        anchors.centerIn: parent
        spacing: 4

        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            name: "arrow.trianglehead.2.counterclockwise.rotate.90"
            size: Theme.textStyle(Theme.Caption2, false).pixelSize
            color: Theme.textPrimary
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Reversed")
            font: Theme.subheadline
            color: Theme.textPrimary
        }
    }
}
