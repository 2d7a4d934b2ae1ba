import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Readings

// A spread of the user's design in the menu: the same entry the built-in spreads have, which
// lays it out, and beside it the ways to change or delete it.
Item {
    id: root

    required property spreadMenuItem item

    signal drawClicked
    signal editClicked
    signal deleteClicked

    implicitHeight: entry.implicitHeight

    SpreadMenuItem {
        id: entry

        objectName: root.objectName + "Draw"
        width: root.width - actions.width - 8
        item: root.item
        onClicked: root.drawClicked()
    }
    Column {
        id: actions

        anchors.right: parent.right
        anchors.verticalCenter: entry.verticalCenter
        spacing: 8

        ChoiceChip {
            objectName: root.objectName + "Edit"
            width: Math.max(implicitWidth, deleteChip.implicitWidth)
            text: qsTr("Edit")
            Accessible.name: qsTr("Edit %1").arg(root.item.spread.name)
            onClicked: root.editClicked()
        }
        ChoiceChip {
            id: deleteChip

            objectName: root.objectName + "Delete"
            text: qsTr("Delete")
            Accessible.name: qsTr("Delete %1").arg(root.item.spread.name)
            onClicked: root.deleteClicked()
        }
    }
}
