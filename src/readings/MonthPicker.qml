pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quillmoor.Ui

// The months that hold readings, newest first, with how many each holds. Arrows move, Return or
// a click goes to the month's first reading, Escape closes.
Popup {
    id: root

    // {"title", "row", "count"} per month.
    property var months: []

    signal monthChosen(int row)

    function openAt(item: Item) {
        const place = item.mapToItem(root.parent, 0, item.height + 4);
        root.x = Math.max(0, Math.min(place.x + item.width - root.width, root.parent.width - root.width));
        root.y = place.y;
        root.open();
    }

    function choose(index: int) {
        const month = root.months[index];
        if (!month)
            return;
        root.close();
        root.monthChosen(month.row);
    }

    objectName: "monthPicker"
    parent: Overlay.overlay
    width: 240
    height: Math.min(monthList.contentHeight + 2 * root.padding, (root.parent ? root.parent.height : 600) - root.y - 16)
    padding: 6
    modal: false
    focus: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    onOpened: {
        monthList.currentIndex = 0;
        monthList.forceActiveFocus();
    }

    background: Rectangle {
        radius: 10
        color: Theme.surfaceDeep
        border.width: 1
        border.color: Theme.alpha(Theme.accent, 0.5)
    }

    ListView {
        id: monthList

        objectName: "monthList"
        anchors.fill: parent
        clip: true
        model: root.months
        keyNavigationEnabled: true
        boundsBehavior: Flickable.StopAtBounds
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Go to Month")
        ScrollBar.vertical: PageScrollBar {}
        Keys.onReturnPressed: root.choose(monthList.currentIndex)
        Keys.onEnterPressed: root.choose(monthList.currentIndex)
        Keys.onSpacePressed: root.choose(monthList.currentIndex)

        delegate: AbstractButton {
            id: monthRow
            Accessible.onPressAction: Accessibility.press(monthRow)

            required property var modelData
            required property int index

            width: monthList.width - 4
            padding: 8
            focusPolicy: Qt.NoFocus
            Accessible.role: Accessible.ListItem
            Accessible.name: qsTr("%1, %n readings", "", monthRow.modelData.count).arg(monthRow.modelData.title)
            onClicked: root.choose(monthRow.index)

            background: Rectangle {
                radius: 6
                color: monthRow.index === monthList.currentIndex ? Theme.alpha(Theme.accent, 0.25)
                     : monthRow.hovered ? Theme.alpha(Theme.surface, 0.6) : "transparent"
            }
            contentItem: RowLayout {
                Text {
                    Layout.fillWidth: true
                    text: monthRow.modelData.title
                    font: Theme.body
                    color: Theme.textPrimary
                }
                Text {
                    text: Number(monthRow.modelData.count).toLocaleString(Qt.locale(), "f", 0)
                    font: Theme.body
                    color: Theme.textSecondary
                }
            }
        }
    }
}
