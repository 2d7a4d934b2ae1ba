pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Journal

// The full-page editor of one journal entry, pushed onto a section's stack.
NavigationPage {
    id: root

    required property JournalEntry entry
    required property ModelContext modelContext

    readonly property JournalEditorModel model: JournalEditorModel {
        entry: root.entry
        modelContext: root.modelContext
    }

    function finish() {
        reflection.focus = false;
        root.model.done();
        if (root.StackView.view)
            root.StackView.view.pop();
    }

    objectName: "journalEditorView"
    navigationTitle: qsTr("Journal Entry")
    toolbarItems: [
        Button {
            id: doneButton
            Accessible.onPressAction: Accessibility.press(doneButton)

            objectName: "journalDoneButton"
            text: qsTr("Done")
            flat: true
            contentItem: Text {
                text: doneButton.text
                font: Theme.body
                color: Theme.accent
            }
            Keys.onReturnPressed: doneButton.clicked()
            Keys.onEnterPressed: doneButton.clicked()
            background: Item {
                Rectangle {
                    anchors.fill: parent
                    radius: 6
                    color: doneButton.hovered ? Theme.alpha(Theme.surface, 0.5) : "transparent"
                }
                FocusRing {
                    control: doneButton
                    radius: 8
                }
            }
            onClicked: root.finish()
        }
    ]

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    ScrollView {
        id: scroll

        anchors.fill: parent
        contentWidth: availableWidth
        ScrollBar.vertical: PageScrollBar {}

        Column {
            x: Theme.defaultPadding
            width: scroll.availableWidth - 2 * Theme.defaultPadding
            spacing: 20
            bottomPadding: 32

            ReadableText {
                topPadding: 16
                text: root.model.dateText
                font: Theme.title3Serif
                color: Theme.accent
            }

            Rectangle {
                visible: root.model.fields.hasCard
                width: parent.width
                height: cardRow.implicitHeight + 2 * Theme.defaultPadding
                radius: 10
                color: Theme.alpha(Theme.surface, 0.3)

                Row {
                    id: cardRow

                    x: Theme.defaultPadding
                    y: Theme.defaultPadding
                    spacing: 12

                    TarotCardView {
                        card: root.model.fields.card
                        isReversed: root.model.fields.cardReversed
                        size: CardSize.Small
                        tappable: true
                    }
                    Column {
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 4
                        ReadableText {
                            text: qsTr("Today's Card")
                            font: Theme.subheadline
                            color: Theme.textSecondary
                        }
                        ReadableText {
                            text: root.model.fields.card.name
                            font: Theme.title3Serif
                            color: Theme.textPrimary
                        }
                    }
                }
            }

            Rectangle {
                objectName: "journalPromptBox"
                visible: root.model.fields.hasPrompt
                width: parent.width
                height: promptColumn.implicitHeight + 2 * Theme.defaultPadding
                radius: 10
                color: Theme.alpha(Theme.surface, 0.2)

                Column {
                    id: promptColumn

                    x: Theme.defaultPadding
                    y: Theme.defaultPadding
                    width: parent.width - 2 * Theme.defaultPadding
                    spacing: 6
                    ReadableText {
                        text: qsTr("Today's Prompt")
                        font: Theme.subheadline
                        color: Theme.accent
                    }
                    ReadableText {
                        width: parent.width
                        text: root.model.fields.prompt
                        wrapMode: Text.WordWrap
                        font.family: Theme.body.family
                        font.pixelSize: Theme.body.pixelSize
                        font.italic: true
                        color: Theme.textSecondary
                    }
                }
            }

            ReadableText {
                text: qsTr("How are you feeling?")
                font: Theme.title3Serif
                color: Theme.textPrimary
            }
            FlowLayout {
                width: parent.width
                spacing: 8

                Repeater {
                    model: MoodPalette.moods

                    delegate: MoodChip {
                        required property string modelData

                        mood: modelData
                        selected: root.model.fields.mood === modelData
                        onClicked: root.model.chooseMood(modelData)
                    }
                }
            }

            ReadableText {
                text: qsTr("Your Reflection")
                font: Theme.title3Serif
                color: Theme.textPrimary
            }
            ReflectionEditor {
                id: reflection

                objectName: "journalReflection"
                width: parent.width
                minimumHeight: 200
                text: root.model.fields.reflection
                onEdited: (text) => root.model.setReflection(text)
            }
        }
    }
}
