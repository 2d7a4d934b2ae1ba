pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Readings

// Designing a spread of one's own, or changing one: its name and description, a built-in spread
// to start from, the layout to place the cards on, and the positions in reading order.
// Ctrl+Z undoes a change and Ctrl+Shift+Z brings it back; saving goes back to the menu.
NavigationPage {
    id: root

    property ModelContext modelContext: null
    // The design to change; none for a new one.
    property Spread spread: null

    readonly property alias editor: editorModel

    objectName: "spreadEditorView"
    navigationTitle: editorModel.isEditing ? qsTr("Edit Spread") : qsTr("New Spread")
    holdsBack: editorModel.hasUnsavedChanges

    function askToLeave() {
        leaveQuestion.open();
    }

    function save() {
        if (editorModel.save())
            root.StackView.view.pop();
        else if (editorModel.nameProblem.length > 0)
            nameField.field.forceActiveFocus(Qt.TabFocusReason);
    }

    Component.onCompleted: firstFocus.start()

    Timer {
        id: firstFocus

        interval: 0
        onTriggered: nameField.field.forceActiveFocus(Qt.TabFocusReason)
    }

    // Going back with changes not saved asks first; Escape or "Keep Editing" stays.
    QuestionPopup {
        id: leaveQuestion

        objectName: "leaveEditor"
        question: qsTr("Leave without saving? The changes to this spread will be lost.")

        ChoiceChip {
            objectName: "leaveEditorKeep"
            text: qsTr("Keep Editing")
            focus: true
            onClicked: leaveQuestion.close()
        }
        ChoiceChip {
            objectName: "leaveEditorDiscard"
            text: qsTr("Discard Changes")
            onClicked: {
                leaveQuestion.close();
                root.StackView.view.pop();
            }
        }
        ChoiceChip {
            objectName: "leaveEditorSave"
            text: qsTr("Save Spread")
            onClicked: {
                leaveQuestion.close();
                root.save();
            }
        }
    }

    SpreadEditorModel {
        id: editorModel

        objectName: "spreadEditorModel"
        modelContext: root.modelContext
        spread: root.spread
    }

    Shortcut {
        sequences: ["Ctrl+Z"]
        enabled: root.StackView.status === StackView.Active
        onActivated: editorModel.undo()
    }
    Shortcut {
        sequences: ["Ctrl+Shift+Z", "Ctrl+Y"]
        enabled: root.StackView.status === StackView.Active
        onActivated: editorModel.redo()
    }

    FocusScroller {
        flickable: scroll.contentItem
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    ScrollView {
        id: scroll

        objectName: "spreadEditorScroll"
        anchors.fill: parent
        contentWidth: availableWidth
        ScrollBar.vertical: PageScrollBar {}

        Column {
            id: column

            x: (scroll.availableWidth - width) / 2
            width: Math.min(scroll.availableWidth, 900) - 2 * Theme.defaultPadding
            topPadding: Theme.defaultPadding
            bottomPadding: 32
            spacing: 16

            ReadableText {
                width: column.width
                text: qsTr("Name your spread, add up to 15 positions and place each card where it belongs. The order of the positions is the order you read them in.")
                font: Theme.body
                color: Theme.textSecondary
                wrapMode: Text.Wrap
            }
            Flow {
                width: column.width
                spacing: 10
                visible: !editorModel.isEditing

                ReadableText {
                    height: 34
                    verticalAlignment: Text.AlignVCenter
                    text: qsTr("Start from")
                    font: Theme.subheadline
                    color: Theme.textSecondary
                }
                Repeater {
                    model: editorModel.startingPoints

                    delegate: ChoiceChip {
                        required property var modelData

                        objectName: "designStart_" + modelData.id
                        text: modelData.name
                        Accessible.name: qsTr("Start from %1").arg(modelData.name)
                        onClicked: editorModel.startFrom(modelData.id)
                    }
                }
            }
            FormTextField {
                id: nameField

                objectName: "designName"
                width: column.width
                text: editorModel.name
                placeholderText: qsTr("Name of the spread")
                accessibleName: qsTr("Name of the spread")
                problem: editorModel.nameProblem
                maximumLength: 80
                onEdited: (text) => { editorModel.name = text; }
            }
            FormTextField {
                objectName: "designDescription"
                width: column.width
                text: editorModel.description
                placeholderText: qsTr("A line about what it is for (optional)")
                accessibleName: qsTr("Description of the spread")
                maximumLength: 200
                onEdited: (text) => { editorModel.description = text; }
            }

            ReadableText {
                text: qsTr("Layout")
                font: Theme.title3Serif
                color: Theme.accent
            }
            ReadableText {
                width: column.width
                text: qsTr("Drag a card, or Tab to it and use the arrow keys; hold Shift for a fine step. R turns it across, Delete removes it.")
                font: Theme.subheadline
                color: Theme.textSecondary
                wrapMode: Text.Wrap
            }
            SpreadDesignCanvas {
                id: canvas

                width: column.width
                height: implicitHeight
                editor: editorModel
            }
            ReadableText {
                objectName: "designLayoutProblem"
                width: column.width
                visible: text.length > 0
                text: editorModel.layoutProblem
                font: Theme.subheadline
                color: Theme.negative
                wrapMode: Text.Wrap
            }
            Flow {
                width: column.width
                spacing: 10

                ChoiceChip {
                    objectName: "designAdd"
                    text: qsTr("Add Position")
                    enabled: editorModel.canAdd
                    opacity: enabled ? 1 : 0.4
                    onClicked: {
                        if (editorModel.addPosition())
                            addedFocus.start();
                    }
                }
                ChoiceChip {
                    objectName: "designUndo"
                    text: qsTr("Undo")
                    enabled: editorModel.canUndo
                    opacity: enabled ? 1 : 0.4
                    onClicked: editorModel.undo()
                }
                ChoiceChip {
                    objectName: "designRedo"
                    text: qsTr("Redo")
                    enabled: editorModel.canRedo
                    opacity: enabled ? 1 : 0.4
                    onClicked: editorModel.redo()
                }
            }
            // The new position's name field takes the focus once its row exists.
            Timer {
                id: addedFocus

                interval: 0
                onTriggered: {
                    const row = positions.itemAt(editorModel.count - 1) as DesignedPositionRow;
                    if (row)
                        row.nameField.field.forceActiveFocus(Qt.TabFocusReason);
                }
            }
            ReadableText {
                objectName: "designCountProblem"
                width: column.width
                visible: text.length > 0
                text: editorModel.countProblem.length > 0 ? editorModel.countProblem
                                                          : !editorModel.canAdd ? qsTr("A spread holds at most 15 positions.") : ""
                font: Theme.subheadline
                color: editorModel.countProblem.length > 0 ? Theme.negative : Theme.textSecondary
                wrapMode: Text.Wrap
            }

            ReadableText {
                text: qsTr("Positions")
                font: Theme.title3Serif
                color: Theme.accent
                visible: editorModel.count > 0
            }
            Repeater {
                id: positions

                model: editorModel

                delegate: DesignedPositionRow {
                    width: column.width
                    editor: editorModel
                }
            }

            ReadableText {
                objectName: "designSaveError"
                width: column.width
                visible: text.length > 0
                text: editorModel.saveError
                font: Theme.subheadline
                color: Theme.negative
                wrapMode: Text.Wrap
            }
            CapsuleButton {
                objectName: "designSave"
                text: qsTr("Save Spread")
                onClicked: root.save()
                Keys.onReturnPressed: root.save()
                Keys.onEnterPressed: root.save()
            }
        }
    }
}
