pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Readings

// "How did it turn out?": the outcome of a reading written when looking back on it, and the day
// to look back, a week, a month or three months after the reading or a day typed in.
Rectangle {
    id: root

    required property Reading reading

    readonly property alias outcomeModel: outcome

    objectName: "outcomePanel"
    implicitHeight: column.implicitHeight + 2 * Theme.defaultPadding
    radius: 12
    color: Theme.alpha(Theme.surface, 0.2)

    ReadingOutcomeModel {
        id: outcome

        objectName: "readingOutcomeModel"
        reading: root.reading
    }

    Column {
        id: column

        x: Theme.defaultPadding
        y: Theme.defaultPadding
        width: parent.width - 2 * Theme.defaultPadding
        spacing: 10

        ReadableText {
            text: qsTr("How did it turn out?")
            font: Theme.title3Serif
            color: Theme.accent
        }
        QuestionField {
            objectName: "outcome"
            width: parent.width
            text: outcome.outcome
            placeholderText: qsTr("What happened, and what the cards came to mean.")
            accessibleName: qsTr("How did it turn out?")
            onEdited: (text) => outcome.editOutcome(text)
        }
        ReadableText {
            objectName: "lookBackText"
            width: parent.width
            text: outcome.lookBackText.length > 0 ? outcome.lookBackText
                                                  : qsTr("Choose a day to come back to this reading.")
            font: Theme.subheadline
            color: Theme.textSecondary
            wrapMode: Text.Wrap
        }
        Flow {
            width: parent.width
            spacing: 10

            ChoiceChip {
                objectName: "lookBackWeek"
                text: qsTr("In a week")
                onClicked: outcome.lookBackAfter(ReadingOutcomeModel.InAWeek)
            }
            ChoiceChip {
                objectName: "lookBackMonth"
                text: qsTr("In a month")
                onClicked: outcome.lookBackAfter(ReadingOutcomeModel.InAMonth)
            }
            ChoiceChip {
                objectName: "lookBackThreeMonths"
                text: qsTr("In three months")
                onClicked: outcome.lookBackAfter(ReadingOutcomeModel.InThreeMonths)
            }
            TextField {
                id: dayField

                objectName: "lookBackDay"
                width: 150
                text: outcome.lookBackDayText
                placeholderText: qsTr("yyyy-mm-dd")
                placeholderTextColor: Theme.alpha(Theme.textSecondary, 0.6)
                font: Theme.body
                color: Theme.textPrimary
                selectionColor: Theme.alpha(Theme.accent, 0.5)
                selectedTextColor: Theme.textPrimary
                leftPadding: 12
                rightPadding: 12
                topPadding: 8
                bottomPadding: 8
                Accessible.name: qsTr("Day to look back on")
                background: Rectangle {
                    radius: 8
                    color: Theme.alpha(Theme.textPrimary, 0.12)
                    border.width: dayField.activeFocus ? 2 : 1
                    border.color: dayField.activeFocus ? Theme.accent : Theme.alpha(Theme.accent, 0.5)
                }
                onAccepted: outcome.lookBackOn(dayField.text)
                onEditingFinished: if (dayField.text !== outcome.lookBackDayText) outcome.lookBackOn(dayField.text)
            }
            ChoiceChip {
                objectName: "lookBackClear"
                visible: outcome.hasLookBack
                text: qsTr("No day")
                onClicked: outcome.clearLookBack()
            }
        }
        ReadableText {
            width: parent.width
            visible: outcome.lookBackProblem.length > 0
            text: outcome.lookBackProblem
            font: Theme.subheadline
            color: Theme.negative
            wrapMode: Text.Wrap
        }
    }
}
