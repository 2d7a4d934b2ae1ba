import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quillmoor.Ui
import Quillmoor.Readings

// A spread of the user's design in the menu: the entry that lays it out, and beside it the
// ways to change or delete it.
Item {
    id: root

    required property string name
    required property string summary
    required property string cardCountText

    signal drawClicked
    signal editClicked
    signal deleteClicked

    implicitHeight: entry.implicitHeight

    AbstractButton {
        id: entry

        objectName: root.objectName + "Draw"
        width: root.width - actions.width - 8
        focusPolicy: Qt.StrongFocus
        padding: Theme.defaultPadding
        Accessible.name: root.name
        Accessible.description: root.summary
        onClicked: root.drawClicked()

        background: Rectangle {
            radius: 12
            color: entry.hovered ? Theme.alpha(Theme.surface, 0.45) : Theme.alpha(Theme.surface, 0.3)
        }

        FocusRing {
            radius: 16
        }

        contentItem: RowLayout {
            spacing: 16

            Rectangle {
                Layout.alignment: Qt.AlignVCenter
                implicitWidth: 44
                implicitHeight: 44
                radius: 22
                color: Theme.alpha(Theme.surface, 0.5)

                SymbolImage {
                    anchors.centerIn: parent
                    name: "square.grid.3x3"
                    size: Theme.title2SerifSemibold.pixelSize
                    color: Theme.accent
                }
            }
            ColumnLayout {
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignVCenter
                spacing: 4

                Text {
                    Layout.fillWidth: true
                    text: root.name
                    font: Theme.title3Serif
                    color: Theme.textPrimary
                    elide: Text.ElideRight
                }
                Text {
                    Layout.fillWidth: true
                    visible: root.summary.length > 0
                    text: root.summary
                    font: Theme.subheadline
                    color: Theme.textSecondary
                    wrapMode: Text.WordWrap
                }
                Text {
                    text: root.cardCountText
                    font: Theme.subheadline
                    color: Theme.alpha(Theme.accent, 0.7)
                }
            }
            SymbolImage {
                Layout.alignment: Qt.AlignVCenter
                name: "chevron.right"
                color: Theme.textSecondary
            }
        }
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
            Accessible.name: qsTr("Edit %1").arg(root.name)
            onClicked: root.editClicked()
        }
        ChoiceChip {
            id: deleteChip

            objectName: root.objectName + "Delete"
            text: qsTr("Delete")
            Accessible.name: qsTr("Delete %1").arg(root.name)
            onClicked: root.deleteClicked()
        }
    }
}
