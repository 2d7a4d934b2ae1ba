pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Engine
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Readings

// The three-card spread introduced: what it shows, one face-down card per position and the
// button that starts the shuffle.
Flickable {
    id: root

    required property ReadingFlowModel model

    objectName: "threeCardIntro"
    contentWidth: width
    contentHeight: Math.max(height, column.implicitHeight + 2 * Theme.defaultPadding)
    boundsBehavior: Flickable.StopAtBounds
    clip: true
    ScrollBar.vertical: PageScrollBar {}

    Column {
        id: column

        x: Theme.defaultPadding
        width: root.width - 2 * Theme.defaultPadding
        y: (root.contentHeight - implicitHeight) / 2
        spacing: 24

        ReadableText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Three Card Spread")
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
        }
        ReadableText {
            x: Theme.defaultPadding
            width: parent.width - 2 * Theme.defaultPadding
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: qsTr("This spread reveals the flow of your situation through time \u2014 where you've been, where you are, and where you're heading.")
            font: Theme.body
            color: Theme.textSecondary
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 32

            Repeater {
                model: root.model.positions

                delegate: Column {
                    id: place

                    required property spreadPosition modelData

                    spacing: 10

                    CardBackView {
                        anchors.horizontalCenter: parent.horizontalCenter
                        size: CardSize.Large
                    }
                    ReadableText {
                        anchors.horizontalCenter: parent.horizontalCenter
                        text: place.modelData.name
                        font: Theme.subheadline
                        color: Theme.accent
                    }
                }
            }
        }
        CapsuleButton {
            objectName: "beginReadingButton"
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Begin Reading")
            onClicked: root.model.beginReading()
        }
    }
}
