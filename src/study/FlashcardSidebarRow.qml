import QtQuick
import Quillmoor.Ui

// One card of the practice deck in the sidebar: a dot, gold once the card has been shown, and
// its name, gold on the row of the card shown now.
Rectangle {
    id: root

    required property string cardId
    required property string name
    required property bool studied
    required property bool current

    signal chosen(string cardId)

    implicitHeight: 28
    color: root.current ? Theme.alpha(Theme.surface, 0.4) : "transparent"
    radius: 6
    Accessible.role: Accessible.ListItem
    Accessible.name: root.name
    Accessible.selected: root.current

    Row {
        x: 12
        width: root.width - 24
        anchors.verticalCenter: parent.verticalCenter
        spacing: 8

        Rectangle {
            objectName: "studiedDot"
            anchors.verticalCenter: parent.verticalCenter
            width: 8
            height: 8
            radius: 4
            color: root.studied ? Theme.accent : Theme.alpha(Theme.surface, 0.3)
        }
        Text {
            width: parent.width - 16
            text: root.name
            font: Theme.subheadline
            color: root.current ? Theme.accent : Theme.textPrimary
            elide: Text.ElideRight
            maximumLineCount: 1
        }
    }

    MouseArea {
        anchors.fill: parent
        onClicked: root.chosen(root.cardId)
    }
}
