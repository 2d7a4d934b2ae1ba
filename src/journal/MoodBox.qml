pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Journal

// "How are you feeling?" with a chip per mood; `mood` is the one shown as chosen.
Rectangle {
    id: root

    property string mood
    signal chosen(string mood)

    implicitHeight: column.implicitHeight + 2 * Theme.defaultPadding
    radius: 12
    color: Theme.alpha(Theme.surface, 0.2)

    Column {
        id: column

        x: Theme.defaultPadding
        y: Theme.defaultPadding
        width: root.width - 2 * Theme.defaultPadding
        spacing: 8

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
                    id: chip

                    required property string modelData

                    mood: chip.modelData
                    selected: root.mood === chip.modelData
                    onClicked: root.chosen(chip.modelData)
                }
            }
        }
    }
}
