pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quillmoor.Engine
import Quillmoor.Ui
import Quillmoor.Readings

// The Celtic Cross introduced: what it offers, its ten positions in two columns and the
// button that starts the shuffle.
Flickable {
    id: root

    required property ReadingFlowModel model

    objectName: "celticCrossIntro"
    contentWidth: width
    contentHeight: column.implicitHeight
    boundsBehavior: Flickable.StopAtBounds
    clip: true
    ScrollBar.vertical: PageScrollBar {}

    Column {
        id: column

        x: Theme.defaultPadding
        width: root.width - 2 * Theme.defaultPadding
        topPadding: 20
        bottomPadding: 32
        spacing: 24

        ReadableText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Celtic Cross Spread")
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
        }
        ReadableText {
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(parent.width, 600)
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: qsTr("The Celtic Cross is the most iconic tarot spread, offering deep insight into your situation across 10 positions covering your present, challenges, past influences, and probable outcome.")
            font: Theme.body
            color: Theme.textSecondary
        }
        GridLayout {
            objectName: "positionGrid"
            anchors.horizontalCenter: parent.horizontalCenter
            width: Math.min(parent.width, 700)
            columns: 2
            rowSpacing: 12
            columnSpacing: 8

            Repeater {
                model: root.model.positions

                delegate: Rectangle {
                    id: cell

                    required property spreadPosition modelData

                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    Layout.preferredWidth: 1
                    implicitHeight: cellRow.implicitHeight + 20
                    radius: 10
                    color: Theme.alpha(Theme.surface, 0.2)

                    Row {
                        id: cellRow

                        x: 10
                        y: 10
                        width: cell.width - 20
                        spacing: 10

                        Rectangle {
                            width: 26
                            height: 26
                            radius: 13
                            color: Theme.accent

                            ReadableText {
                                anchors.centerIn: parent
                                text: cell.modelData.index + 1
                                font: Theme.subheadlineSerifSemibold
                                color: Theme.background
                            }
                        }
                        Column {
                            width: cellRow.width - 36
                            spacing: 4

                            ReadableText {
                                width: parent.width
                                text: cell.modelData.name
                                font: Theme.title3Serif
                                color: Theme.textPrimary
                                wrapMode: Text.WordWrap
                            }
                            ReadableText {
                                width: parent.width
                                text: cell.modelData.description
                                font: Theme.body
                                color: Theme.textSecondary
                                wrapMode: Text.WordWrap
                            }
                        }
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
