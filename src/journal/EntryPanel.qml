pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.Journal

// The selected day with its entry: the card, the mood, the prompt and the reflection.
Column {
    id: root

    required property JournalCalendarModel model
    readonly property EntryFields fields: root.model.selectedFields

    objectName: "entryPanel"
    spacing: 16
    bottomPadding: 32

    ReadableText {
        objectName: "selectedDateText"
        topPadding: 16
        text: root.model.selectedDateText
        font: Theme.title3Serif
        color: Theme.textPrimary
    }

    Repeater {
        model: root.fields.hasCard ? 1 : 0

        delegate: CardBox {
            objectName: "cardBox"
            width: root.width
            card: root.fields.card
            isReversed: root.fields.cardReversed
        }
    }

    MoodBox {
        objectName: "moodBox"
        width: root.width
        mood: root.fields.mood
        onChosen: (mood) => root.model.chooseMood(mood)
    }

    Rectangle {
        objectName: "promptBox"
        visible: root.fields.hasPrompt
        width: root.width
        height: prompt.implicitHeight + 2 * Theme.defaultPadding
        radius: 10
        color: Theme.alpha(Theme.surface, 0.2)

        Column {
            id: prompt

            x: Theme.defaultPadding
            y: Theme.defaultPadding
            width: parent.width - 2 * Theme.defaultPadding
            spacing: 6

            ReadableText {
                text: qsTr("Prompt")
                font: Theme.subheadline
                color: Theme.accent
            }
            ReadableText {
                width: parent.width
                wrapMode: Text.WordWrap
                text: root.fields.prompt
                font.family: Theme.body.family
                font.pixelSize: Theme.body.pixelSize
                font.italic: true
                color: Theme.textSecondary
            }
        }
    }

    Rectangle {
        objectName: "reflectionBox"
        width: root.width
        height: reflectionColumn.implicitHeight + 2 * Theme.defaultPadding
        radius: 12
        color: Theme.alpha(Theme.surface, 0.2)

        Column {
            id: reflectionColumn

            x: Theme.defaultPadding
            y: Theme.defaultPadding
            width: parent.width - 2 * Theme.defaultPadding
            spacing: 8

            ReadableText {
                text: qsTr("Reflection")
                font: Theme.title3Serif
                color: Theme.accent
            }
            ReflectionEditor {
                id: editor

                objectName: "calendarReflection"
                width: parent.width
                minimumHeight: 150
                maximumHeight: 400
                text: root.fields.reflection
                // Too long a text is cut in the field first, so the cursor stays put; the cut
                // text then comes back here and is stored.
                onEdited: (text) => {
                    const kept = root.model.reflectionLength(text);
                    if (kept < text.length)
                        editor.keepFirst(kept);
                    else
                        root.model.setReflection(text);
                }
            }
        }
    }
}
