pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Engine
import Quillmoor.Ui
import Quillmoor.Readings

// A designed spread introduced: its description, its positions in reading order with what each
// asks, and the button that starts the shuffle.
Flickable {
    id: root

    required property ReadingFlowModel model

    objectName: "designedSpreadIntro"
    contentWidth: width
    contentHeight: column.implicitHeight
    boundsBehavior: Flickable.StopAtBounds
    clip: true
    ScrollBar.vertical: PageScrollBar {}

    Column {
        id: column

        x: (root.width - width) / 2
        width: Math.min(root.width - 2 * Theme.defaultPadding, 700)
        topPadding: 20
        bottomPadding: 32
        spacing: 20

        ReadableText {
            width: column.width
            horizontalAlignment: Text.AlignHCenter
            text: root.model.spread.name
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
            wrapMode: Text.Wrap
        }
        ReadableText {
            width: column.width
            visible: text.length > 0
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            text: root.model.spread.description
            font: Theme.body
            color: Theme.textSecondary
        }
        CapsuleButton {
            objectName: "beginReadingButton"
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Begin Reading")
            onClicked: root.model.beginReading()
            Keys.onReturnPressed: root.model.beginReading()
            Keys.onEnterPressed: root.model.beginReading()
        }
        Repeater {
            model: root.model.positions

            delegate: Row {
                id: place

                required property spreadPosition modelData

                width: column.width
                spacing: 10

                Rectangle {
                    width: 26
                    height: 26
                    radius: 13
                    color: Theme.accent

                    ReadableText {
                        anchors.centerIn: parent
                        text: place.modelData.index + 1
                        font: Theme.subheadlineSerifSemibold
                        color: Theme.background
                    }
                }
                Column {
                    width: place.width - 36
                    spacing: 2

                    ReadableText {
                        width: parent.width
                        text: place.modelData.name
                        font: Theme.title3Serif
                        color: Theme.textPrimary
                        wrapMode: Text.Wrap
                    }
                    ReadableText {
                        width: parent.width
                        visible: text.length > 0
                        text: place.modelData.description
                        font: Theme.body
                        color: Theme.textSecondary
                        wrapMode: Text.Wrap
                    }
                }
            }
        }
    }
}
