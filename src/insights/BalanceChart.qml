pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui

// One balance of the deck: per group a bar of its share of the draws over a bar of the deck's
// own share, the counts in words beside them, and what the test found in a sentence. The
// groups are one stop for Tab; the arrows move between them for a screen reader.
Column {
    id: root

    required property var balance

    spacing: 6

    Text {
        width: root.width
        text: root.balance.title ?? ""
        font: Theme.bodySerif
        color: Theme.textPrimary
    }
    ListView {
        id: groups

        objectName: "balanceGroups"
        visible: (root.balance.drawn ?? 0) > 0
        width: root.width
        height: contentHeight
        interactive: false
        model: root.balance.groups
        activeFocusOnTab: visible
        keyNavigationEnabled: true
        highlightMoveDuration: 0
        Accessible.role: Accessible.Table
        Accessible.name: root.balance.title ?? ""
        Accessible.description: currentIndex >= 0 && root.balance.groups ? root.balance.groups[currentIndex].accessibleName : ""

        delegate: Rectangle {
            id: group

            required property var modelData

            width: groups.width
            height: 30
            radius: 6
            color: "transparent"
            border.width: ListView.isCurrentItem && groups.activeFocus ? 2 : 0
            border.color: Theme.accent
            Accessible.role: Accessible.Row
            Accessible.name: group.modelData.accessibleName

            Text {
                id: label

                anchors { left: parent.left; leftMargin: 6; verticalCenter: parent.verticalCenter }
                width: Math.min(150, root.width * 0.25)
                text: group.modelData.name
                font: Theme.body
                color: Theme.textPrimary
                elide: Text.ElideRight
                Accessible.ignored: true
            }
            Item {
                id: bars

                anchors { left: label.right; leftMargin: 8; right: counts.left; rightMargin: 12
                          verticalCenter: parent.verticalCenter }
                height: 18

                Rectangle {
                    width: bars.width * group.modelData.observedShare
                    height: 10
                    radius: 3
                    color: Theme.accent
                }
                // The deck's own share, under the share drawn.
                Rectangle {
                    y: 12
                    width: bars.width * group.modelData.deckShare
                    height: 4
                    radius: 2
                    color: Theme.textSecondary
                }
            }
            Text {
                id: counts

                anchors { right: parent.right; rightMargin: 6; verticalCenter: parent.verticalCenter }
                width: 190
                horizontalAlignment: Text.AlignRight
                text: qsTr("%1 · deck gives %2").arg(group.modelData.observed).arg(group.modelData.expected)
                font: Theme.subheadline
                color: Theme.textSecondary
                Accessible.ignored: true
            }
        }
    }
    Text {
        objectName: "balanceSummary"
        width: root.width
        text: root.balance.summary ?? ""
        font: Theme.subheadline
        color: Theme.textSecondary
        wrapMode: Text.Wrap
    }
}
