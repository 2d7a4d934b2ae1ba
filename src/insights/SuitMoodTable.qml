pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.Store

// The moods chosen on days of each kind of daily card: a bar of their shares and the counts.
// One stop for Tab; the arrows move between the rows for a screen reader.
ListView {
    id: root

    required property var rows

    objectName: "suitMoods"
    height: contentHeight
    interactive: false
    spacing: 4
    model: root.rows
    activeFocusOnTab: true
    keyNavigationEnabled: true
    highlightMoveDuration: 0
    Accessible.role: Accessible.Table
    Accessible.name: qsTr("Moods with the daily card")
    Accessible.description: currentIndex >= 0 && root.rows && root.rows.length > currentIndex ? root.rows[currentIndex].accessibleName : ""

    delegate: Rectangle {
        id: row

        required property var modelData

        width: root.width
        height: 32
        radius: 6
        color: "transparent"
        border.width: ListView.isCurrentItem && root.activeFocus ? 2 : 0
        border.color: Theme.accent
        Accessible.role: Accessible.Row
        Accessible.name: row.modelData.accessibleName

        ReadableText {
            id: label

            anchors { left: parent.left; leftMargin: 6; verticalCenter: parent.verticalCenter }
            width: Math.min(130, root.width * 0.22)
            text: row.modelData.label
            font: Theme.body
            color: Theme.textPrimary
            Accessible.ignored: true
        }
        Row {
            id: shares

            anchors { left: label.right; leftMargin: 8; verticalCenter: parent.verticalCenter }
            width: Math.max(80, (root.width - label.width) * 0.35)
            height: 12

            Repeater {
                model: row.modelData.segments

                delegate: Rectangle {
                    required property var modelData

                    width: shares.width * modelData.share
                    height: shares.height
                    color: MoodPalette.color(modelData.mood)
                }
            }
        }
        ReadableText {
            anchors { left: shares.right; leftMargin: 12; right: parent.right; rightMargin: 6; verticalCenter: parent.verticalCenter }
            text: row.modelData.moodsText
            font: Theme.subheadline
            color: Theme.textSecondary
            elide: Text.ElideRight
            Accessible.ignored: true
        }
    }
}
