pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.App

// The sidebar: the title "Quillmoor", the gear button and one row per section.
Rectangle {
    id: root

    required property ContentViewModel model

    objectName: "sidebar"
    color: Theme.surfaceDeep

    Item {
        id: header

        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 52

        Text {
            anchors { left: parent.left; leftMargin: Theme.defaultPadding; verticalCenter: parent.verticalCenter }
            text: qsTr("Quillmoor")
            font: Theme.titleSerifBold
            color: Theme.textPrimary
        }

        ToolButton {
            id: gear

            objectName: "settingsButton"
            anchors { right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
            width: 32
            height: 32
            Accessible.name: qsTr("Settings")
            ToolTip.visible: hovered
            ToolTip.text: qsTr("Settings")
            contentItem: SymbolImage {
                name: "gearshape"
                size: 18
                color: gear.hovered ? Theme.textPrimary : Theme.accent
            }
            focusPolicy: Qt.StrongFocus
            Keys.onReturnPressed: gear.clicked()
            Keys.onEnterPressed: gear.clicked()
            background: Item {
                Rectangle {
                    anchors.fill: parent
                    radius: 6
                    color: gear.down ? Theme.alpha(Theme.surface, 0.6) : gear.hovered ? Theme.alpha(Theme.surface, 0.35) : "transparent"
                }
                FocusRing {
                    control: gear
                    radius: 8
                }
            }
            onClicked: root.model.showSettings = true
        }
    }

    // One stop for Tab; the arrow keys then move through the sections. A click on a row takes
    // the focus too, so the arrows work after it.
    Control {
        id: sections

        objectName: "sectionList"
        anchors { left: parent.left; right: parent.right; top: header.bottom; bottom: parent.bottom; topMargin: 4 }
        focus: true
        focusPolicy: Qt.StrongFocus
        padding: 0
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Sections")
        Keys.onUpPressed: list.decrementCurrentIndex()
        Keys.onDownPressed: list.incrementCurrentIndex()

        ListView {
            id: list

            objectName: "sectionListView"
            anchors.fill: parent
            clip: true
            keyNavigationEnabled: false
            model: root.model.sections
            currentIndex: root.model.selectedSection
            spacing: 2
            onCurrentIndexChanged: root.model.selectedSection = currentIndex

            delegate: ItemDelegate {
                id: row

                required property var modelData
                required property int index

                objectName: "sectionRow" + index
                width: ListView.view.width
                height: 34
                leftPadding: 12
                rightPadding: 12
                focusPolicy: Qt.NoFocus
                highlighted: ListView.isCurrentItem
                onClicked: {
                    sections.forceActiveFocus(Qt.MouseFocusReason);
                    root.model.selectedSection = index;
                }
                Accessible.name: modelData.title

                contentItem: Row {
                    spacing: 10
                    SymbolImage {
                        anchors.verticalCenter: parent.verticalCenter
                        width: 18
                        name: row.modelData.iconName
                        size: 16
                        color: Theme.accent
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: row.modelData.title
                        font: Theme.body
                        color: row.highlighted ? Theme.textPrimary : Theme.textSecondary
                    }
                }
                background: Rectangle {
                    anchors { fill: parent; leftMargin: 8; rightMargin: 8 }
                    radius: 6
                    color: row.highlighted ? Theme.alpha(Theme.accent, 0.28) : row.hovered ? Theme.alpha(Theme.surface, 0.5) : "transparent"

                    // The list's focus ring, around its current row.
                    Rectangle {
                        objectName: row.highlighted ? "sectionFocusRing" : ""
                        anchors.fill: parent
                        anchors.margins: -2
                        visible: row.highlighted && sections.visualFocus
                        radius: 8
                        color: "transparent"
                        border.width: 2
                        border.color: Theme.accent
                    }
                }
            }
        }
    }
}
