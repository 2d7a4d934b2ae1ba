pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Journal

// The selected day without an entry: why there is none, the moods (choosing one creates the
// entry) and "Add Journal Entry".
Column {
    id: root

    required property JournalCalendarModel model

    objectName: "emptyDayPanel"
    spacing: 12
    bottomPadding: 32

    ReadableText {
        objectName: "selectedDateText"
        anchors.horizontalCenter: parent.horizontalCenter
        topPadding: 16
        text: root.model.selectedDateText
        font: Theme.title3Serif
        color: Theme.textPrimary
    }

    ReadableText {
        objectName: "emptyDayText"
        width: root.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        text: root.model.emptyDayText
        font: Theme.body
        color: Theme.textSecondary
    }

    MoodBox {
        objectName: "moodBox"
        width: root.width
        onChosen: (mood) => root.model.chooseMood(mood)
    }

    AbstractButton {
        id: addButton
        Accessible.onPressAction: Accessibility.press(addButton)

        objectName: "addEntryButton"
        width: root.width
        padding: Theme.defaultPadding
        focusPolicy: Qt.StrongFocus
        Keys.onReturnPressed: addButton.clicked()
        Keys.onEnterPressed: addButton.clicked()
        Accessible.name: qsTr("Add Journal Entry")
        onClicked: root.model.addEntry()

        implicitHeight: label.implicitHeight + 2 * Theme.defaultPadding

        Row {
            id: label

            anchors.centerIn: parent
            spacing: 6

            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                name: "plus.circle"
                size: Theme.body.pixelSize + 3
                color: Theme.accent
            }
            ReadableText {
                text: qsTr("Add Journal Entry")
                font: Theme.body
                color: Theme.accent
            }
        }
        background: Rectangle {
            radius: 10
            color: addButton.hovered ? Theme.alpha(Theme.accent, 0.08) : "transparent"
            border.width: addButton.visualFocus ? 2 : 1
            border.color: Theme.alpha(Theme.accent, addButton.visualFocus ? 1 : 0.3)
        }
    }
}
