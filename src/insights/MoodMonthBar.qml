pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.Store

// One month of the mood chart: its moods stacked from the bottom, as tall as the month is full
// beside the busiest month, with the month's initial under it (and the year under January).
Item {
    id: root

    required property var month
    property bool current: false
    readonly property string accessibleName: root.month.accessibleName ?? ""

    signal clicked

    Accessible.role: Accessible.ListItem
    Accessible.name: root.accessibleName

    Item {
        id: plot

        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: labels.top; bottomMargin: 4 }

        Column {
            id: stack

            anchors { bottom: parent.bottom; horizontalCenter: parent.horizontalCenter }
            width: Math.max(4, root.width - 3)
            height: plot.height * (root.month.height ?? 0)

            Repeater {
                model: root.month.stack ?? []

                delegate: Rectangle {
                    required property var modelData

                    width: stack.width
                    height: stack.height * modelData.share
                    color: MoodPalette.color(modelData.mood)
                }
            }
        }
        Rectangle {
            anchors.fill: parent
            visible: root.current
            color: "transparent"
            border.width: 2
            border.color: Theme.accent
            radius: 2
        }
    }
    Column {
        id: labels

        anchors { bottom: parent.bottom; horizontalCenter: parent.horizontalCenter }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.width >= 24 ? root.month.shortLabel ?? "" : root.month.initial ?? ""
            font: Theme.subheadline
            color: root.current ? Theme.accent : Theme.textSecondary
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.month.isJanuary ? String(root.month.year) : " "
            font: Theme.subheadline
            color: Theme.textSecondary
        }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: root.clicked()
    }
}
