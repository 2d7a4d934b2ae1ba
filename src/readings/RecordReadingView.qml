pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Readings

// A reading done with the user's own deck, written down: the spread, the card at each position
// picked by typing, extra cards that fell out, the question, the notes, the day and time, and
// when to look back. Given a recorded reading, the same screen edits it.
NavigationPage {
    id: root

    // The store a new reading goes to; an edited reading stays in its own.
    property ModelContext modelContext: null
    property Reading reading: null

    // The screen a new reading opens in once saved: the stored reading's detail. The menu gives
    // it; this screen cannot name it, since that screen opens this one to edit.
    property Component savedScreen: null

    readonly property alias record: recordModel

    objectName: "recordReadingView"
    navigationTitle: recordModel.isEditing ? qsTr("Edit Reading") : qsTr("Record a Reading")

    // The next position without a card takes the focus, or the extra cards once all have one.
    function focusAfter(index: int) {
        for (let i = index + 1; i < positions.count; ++i) {
            const row = positions.itemAt(i) as RecordedPositionRow;
            if (row && row.cardName.length === 0) {
                row.picker.forceActiveFocus(Qt.TabFocusReason);
                return;
            }
        }
        extraPicker.forceActiveFocus(Qt.TabFocusReason);
    }

    function save() {
        const saved = recordModel.save();
        if (!saved)
            return;
        if (recordModel.isEditing || !root.savedScreen)
            root.StackView.view.pop();
        else
            root.StackView.view.replace(root.savedScreen, { reading: saved });
    }

    // The first position waits for its card.
    Component.onCompleted: firstFocus.start()

    Timer {
        id: firstFocus

        interval: 0
        onTriggered: {
            const first = positions.itemAt(0) as RecordedPositionRow;
            if (first)
                first.picker.forceActiveFocus(Qt.TabFocusReason);
        }
    }

    FocusScroller {
        flickable: scroll.contentItem
    }

    RecordReadingModel {
        id: recordModel

        objectName: "recordReadingModel"
        modelContext: root.modelContext
        reading: root.reading
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    ScrollView {
        id: scroll

        objectName: "recordReadingScroll"
        anchors.fill: parent
        contentWidth: availableWidth
        ScrollBar.vertical: PageScrollBar {}

        Column {
            id: column

            x: (scroll.availableWidth - width) / 2
            width: Math.min(scroll.availableWidth, 720) - 2 * Theme.defaultPadding
            topPadding: Theme.defaultPadding
            bottomPadding: 32
            spacing: 20

            ReadableText {
                width: column.width
                visible: !recordModel.isEditing
                text: qsTr("Lay out the cards with your own deck, then write down what you drew.")
                font: Theme.body
                color: Theme.textSecondary
                wrapMode: Text.Wrap
            }
            Flow {
                width: column.width
                spacing: 10
                visible: !recordModel.isEditing

                Repeater {
                    model: recordModel.spreadChoices

                    delegate: ChoiceChip {
                        required property var modelData

                        objectName: "recordSpread_" + modelData.id
                        text: modelData.name
                        checked: recordModel.spreadId === modelData.id
                        onClicked: recordModel.spreadId = modelData.id
                    }
                }
            }
            Repeater {
                id: positions

                model: recordModel

                delegate: RecordedPositionRow {
                    id: row

                    width: column.width
                    onPicked: (cardId) => {
                        if (recordModel.place(row.index, cardId))
                            root.focusAfter(row.index);
                        else
                            row.picker.refused();
                    }
                    onReversedToggled: (reversed) => recordModel.setReversed(row.index, reversed)
                }
            }

            Column {
                width: column.width
                spacing: 8

                ReadableText {
                    text: qsTr("Extra Cards")
                    font: Theme.title3Serif
                    color: Theme.accent
                }
                ReadableText {
                    width: parent.width
                    text: qsTr("Cards that jumped out of the deck while you shuffled, if any.")
                    font: Theme.subheadline
                    color: Theme.textSecondary
                    wrapMode: Text.Wrap
                }
                Repeater {
                    model: recordModel.extraCards

                    delegate: Row {
                        id: extraRow

                        required property int index
                        required property var modelData

                        spacing: 12

                        ReadableText {
                            anchors.verticalCenter: parent.verticalCenter
                            text: extraRow.modelData.name
                            font: Theme.body
                            color: Theme.textPrimary
                        }
                        ChoiceChip {
                            objectName: "extraReversed" + extraRow.index
                            text: qsTr("Reversed")
                            checkable: true
                            checked: extraRow.modelData.isReversed
                            Accessible.name: qsTr("%1 reversed").arg(extraRow.modelData.name)
                            onClicked: recordModel.setExtraReversed(extraRow.index, checked)
                        }
                        ChoiceChip {
                            objectName: "extraRemove" + extraRow.index
                            text: qsTr("Remove")
                            Accessible.name: qsTr("Remove %1").arg(extraRow.modelData.name)
                            onClicked: recordModel.removeExtra(extraRow.index)
                        }
                    }
                }
                CardPickerField {
                    id: extraPicker

                    objectName: "recordExtra"
                    width: parent.width
                    placeholderText: qsTr("Add an extra card")
                    accessibleName: qsTr("Add an extra card")
                    onPicked: (cardId) => {
                        if (!recordModel.addExtra(cardId))
                            extraPicker.refused();
                    }
                }
                ReadableText {
                    objectName: "extraProblem"
                    width: parent.width
                    visible: recordModel.extraProblem.length > 0
                    text: recordModel.extraProblem
                    font: Theme.subheadline
                    color: Theme.negative
                    wrapMode: Text.Wrap
                }
            }

            Column {
                width: column.width
                spacing: 8

                ReadableText {
                    text: qsTr("Your Question")
                    font: Theme.title3Serif
                    color: Theme.accent
                }
                QuestionField {
                    objectName: "recordQuestion"
                    width: parent.width
                    text: recordModel.question
                    onEdited: (text) => { recordModel.question = text; }
                }
            }
            Column {
                width: column.width
                spacing: 8

                ReadableText {
                    text: qsTr("Notes")
                    font: Theme.title3Serif
                    color: Theme.accent
                }
                QuestionField {
                    objectName: "recordNotes"
                    width: parent.width
                    text: recordModel.notes
                    placeholderText: qsTr("What you saw in the cards, and what it stirred.")
                    accessibleName: qsTr("Notes")
                    onEdited: (text) => { recordModel.notes = text; }
                }
            }
            Column {
                width: column.width
                spacing: 8

                ReadableText {
                    text: qsTr("When")
                    font: Theme.title3Serif
                    color: Theme.accent
                }
                TextField {
                    id: dateField

                    objectName: "recordDate"
                    width: Math.min(parent.width, 260)
                    text: recordModel.dateText
                    font: Theme.body
                    color: Theme.textPrimary
                    selectionColor: Theme.alpha(Theme.accent, 0.5)
                    selectedTextColor: Theme.textPrimary
                    leftPadding: 12
                    rightPadding: 12
                    topPadding: 10
                    bottomPadding: 10
                    Accessible.name: qsTr("Day and time of the reading")
                    background: Rectangle {
                        radius: 8
                        color: Theme.alpha(Theme.textPrimary, 0.12)
                        border.width: dateField.activeFocus ? 2 : 1
                        border.color: dateField.activeFocus ? Theme.accent : Theme.alpha(Theme.accent, 0.5)
                    }
                    onTextEdited: recordModel.setDateText(dateField.text)
                }
                ReadableText {
                    width: parent.width
                    text: recordModel.dateProblem.length > 0 ? recordModel.dateProblem
                                                             : qsTr("Now, or an earlier day and time.")
                    font: Theme.subheadline
                    color: recordModel.dateProblem.length > 0 ? Theme.negative : Theme.textSecondary
                    wrapMode: Text.Wrap
                }
            }
            Column {
                width: column.width
                spacing: 8
                visible: !recordModel.isEditing

                ReadableText {
                    text: qsTr("Look Back")
                    font: Theme.title3Serif
                    color: Theme.accent
                }
                Flow {
                    width: parent.width
                    spacing: 10

                    Repeater {
                        model: [
                            { choice: RecordReadingModel.NoLookBack, label: qsTr("Not now") },
                            { choice: RecordReadingModel.InAWeek, label: qsTr("In a week") },
                            { choice: RecordReadingModel.InAMonth, label: qsTr("In a month") },
                            { choice: RecordReadingModel.InThreeMonths, label: qsTr("In three months") }
                        ]

                        delegate: ChoiceChip {
                            required property var modelData

                            objectName: "recordLookBack" + modelData.choice
                            text: modelData.label
                            checked: recordModel.lookBack === modelData.choice
                            onClicked: recordModel.lookBack = modelData.choice
                        }
                    }
                }
                ReadableText {
                    width: parent.width
                    visible: recordModel.lookBackText.length > 0
                    text: recordModel.lookBackText
                    font: Theme.subheadline
                    color: Theme.textSecondary
                    wrapMode: Text.Wrap
                }
            }

            ReadableText {
                objectName: "recordState"
                width: column.width
                text: recordModel.saveError.length > 0 ? recordModel.saveError : recordModel.stateText
                font: Theme.subheadline
                color: recordModel.saveError.length > 0 ? Theme.negative : Theme.textSecondary
                wrapMode: Text.Wrap
            }
            CapsuleButton {
                objectName: "recordSave"
                text: recordModel.isEditing ? qsTr("Save Changes") : qsTr("Save Reading")
                enabled: recordModel.canSave
                opacity: enabled ? 1 : 0.5
                onClicked: root.save()
                Keys.onReturnPressed: root.save()
                Keys.onEnterPressed: root.save()
            }
        }
    }
}
