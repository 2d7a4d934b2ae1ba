import QtQuick
import Quillmoor.Ui

// One search result: its title and date on the first line, the passage that matched below,
// with the matched words in bold gold. The current row, which Return opens, is outlined.
Item {
    id: root

    required property int index
    required property string title
    required property string dateText
    required property string snippet
    required property string accessibleText
    property bool current: false

    signal chosen(int index)

    implicitHeight: 62
    Accessible.role: Accessible.ListItem
    Accessible.name: root.accessibleText
    Accessible.selectable: true
    Accessible.selected: root.current
    Accessible.onPressAction: root.chosen(root.index)

    MouseArea {
        id: pointer

        anchors.fill: parent
        hoverEnabled: true
        onClicked: root.chosen(root.index)
    }
    Rectangle {
        anchors { fill: parent; leftMargin: 6; rightMargin: 6; topMargin: 2; bottomMargin: 2 }
        radius: 8
        color: root.current ? Theme.alpha(Theme.accent, 0.22) : pointer.containsMouse ? Theme.alpha(Theme.surface, 0.6) : "transparent"
        border.width: root.current ? 2 : 0
        border.color: Theme.accent
    }
    Text {
        id: date

        objectName: "searchResultDate"
        anchors { right: parent.right; rightMargin: 18; top: parent.top; topMargin: 9 }
        text: root.dateText
        font: Theme.subheadline
        color: Theme.textSecondary
    }
    Text {
        id: heading

        objectName: "searchResultTitle"
        anchors { left: parent.left; leftMargin: 18; right: date.left; rightMargin: 12; baseline: date.baseline }
        text: root.title
        font: Theme.body
        color: Theme.textPrimary
        elide: Text.ElideRight
    }
    Text {
        objectName: "searchResultSnippet"
        anchors { left: heading.left; right: date.right; top: heading.bottom; topMargin: 4 }
        text: root.snippet
        textFormat: Text.StyledText
        font: Theme.subheadline
        color: Theme.textSecondary
        elide: Text.ElideRight
        maximumLineCount: 1
    }
}
