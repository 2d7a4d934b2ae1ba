import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Readings

// One position of a spread being designed: its number in the reading order, its name, what it
// asks, and the ways to move it in the order, turn it or remove it.
Rectangle {
    id: root

    required property SpreadEditorModel editor
    required property int index
    required property int number
    required property string positionName
    required property string positionDescription
    required property real layoutRotation
    required property string problem

    readonly property alias nameField: nameField

    objectName: "designPosition" + root.index
    implicitHeight: content.implicitHeight + 24
    radius: 10
    color: root.editor.selectedIndex === root.index ? Theme.alpha(Theme.accent, 0.12) : Theme.alpha(Theme.surface, 0.2)

    Row {
        id: content

        x: 12
        y: 12
        width: root.width - 24
        spacing: 12

        Rectangle {
            width: 28
            height: 28
            radius: 14
            color: Theme.accent

            ReadableText {
                anchors.centerIn: parent
                text: root.number
                font: Theme.subheadlineSerifSemibold
                color: Theme.background
            }
        }
        Column {
            width: content.width - 40
            spacing: 8

            FormTextField {
                id: nameField

                objectName: "designPositionName" + root.index
                width: parent.width
                text: root.positionName
                placeholderText: qsTr("Name of position %1").arg(root.number)
                accessibleName: qsTr("Name of position %1").arg(root.number)
                problem: root.problem
                maximumLength: 60
                onEdited: (text) => root.editor.setPositionName(root.index, text)
                field.onActiveFocusChanged: if (nameField.field.activeFocus) root.editor.selectedIndex = root.index
            }
            FormTextField {
                objectName: "designPositionMeaning" + root.index
                width: parent.width
                text: root.positionDescription
                placeholderText: qsTr("What this position asks")
                accessibleName: qsTr("What position %1 asks").arg(root.number)
                maximumLength: 200
                onEdited: (text) => root.editor.setPositionDescription(root.index, text)
            }
            Flow {
                width: parent.width
                spacing: 8

                ChoiceChip {
                    objectName: "designEarlier" + root.index
                    text: qsTr("Earlier")
                    enabled: root.index > 0
                    opacity: enabled ? 1 : 0.4
                    Accessible.name: qsTr("Move position %1 earlier").arg(root.number)
                    onClicked: root.editor.reorder(root.index, -1)
                }
                ChoiceChip {
                    objectName: "designLater" + root.index
                    text: qsTr("Later")
                    enabled: root.index < root.editor.count - 1
                    opacity: enabled ? 1 : 0.4
                    Accessible.name: qsTr("Move position %1 later").arg(root.number)
                    onClicked: root.editor.reorder(root.index, 1)
                }
                ChoiceChip {
                    objectName: "designTurn" + root.index
                    text: root.layoutRotation === 0 ? qsTr("Turn across") : qsTr("Turn upright")
                    Accessible.name: qsTr("Turn position %1").arg(root.number)
                    onClicked: root.editor.rotate(root.index)
                }
                ChoiceChip {
                    objectName: "designRemove" + root.index
                    text: qsTr("Remove")
                    Accessible.name: qsTr("Remove position %1").arg(root.number)
                    onClicked: root.editor.removePosition(root.index)
                }
            }
        }
    }
}
