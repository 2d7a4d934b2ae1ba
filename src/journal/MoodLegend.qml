pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.Store

// Which colour stands for which mood: a small swatch and the word, for every mood in order.
Item {
    id: root

    implicitHeight: flow.implicitHeight + 16

    FlowLayout {
        id: flow

        y: 8
        width: root.width
        spacing: 8

        Repeater {
            model: MoodPalette.moods

            delegate: Row {
                id: item

                required property string modelData

                spacing: 4

                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    width: 12
                    height: 12
                    radius: 3
                    color: MoodPalette.color(item.modelData)
                }
                ReadableText {
                    text: item.modelData
                    font: Theme.subheadline
                    color: Theme.textSecondary
                }
            }
        }
    }
}
