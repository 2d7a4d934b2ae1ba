pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
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

        ShellControl {
            id: gear

            objectName: "settingsButton"
            anchors { right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
            width: 32
            height: 32
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Settings")
            onClicked: root.model.showSettings = true

            Rectangle {
                anchors.fill: parent
                radius: 6
                color: gear.pressed ? Theme.alpha(Theme.surface, 0.6) : gear.hovered ? Theme.alpha(Theme.surface, 0.35) : "transparent"
            }
            ShellFocusRing {
                objectName: "settingsFocusRing"
                control: gear
            }
            SymbolImage {
                anchors.centerIn: parent
                name: "gearshape"
                size: 18
                color: gear.hovered ? Theme.textPrimary : Theme.accent
            }
            Loader {
                active: gear.hovered
                Component.onCompleted: setSource(Qt.resolvedUrl("HoverToolTip.qml"), { text: qsTr("Settings") })
            }
        }
    }

    // One stop for Tab; the arrow keys then move through the sections. A click on a row gives
    // the list the focus too, so the arrows work after it.
    ShellControl {
        id: sections

        objectName: "sectionList"
        anchors { left: parent.left; right: parent.right; top: header.bottom; bottom: parent.bottom; topMargin: 4 }
        focus: true
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Sections")
        Keys.onUpPressed: list.decrementCurrentIndex()
        Keys.onDownPressed: list.incrementCurrentIndex()

        ListView {
            id: list

            objectName: "sectionListView"
            anchors.fill: parent
            clip: true
            interactive: false
            keyNavigationEnabled: false
            model: root.model.sections
            currentIndex: root.model.selectedSection
            spacing: 2
            onCurrentIndexChanged: root.model.selectedSection = currentIndex

            delegate: Item {
                id: row

                required property var modelData
                required property int index
                readonly property bool highlighted: ListView.isCurrentItem

                objectName: "sectionRow" + index
                width: ListView.view.width
                height: 34
                Accessible.role: Accessible.ListItem
                Accessible.name: modelData.title
                Accessible.selected: row.highlighted
                Accessible.selectable: true
                // A screen reader's "press" chooses the section, as a click does.
                Accessible.onPressAction: root.model.selectedSection = row.index

                MouseArea {
                    id: pointer

                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: root.model.selectedSection = row.index
                }
                Rectangle {
                    anchors { fill: parent; leftMargin: 8; rightMargin: 8 }
                    radius: 6
                    color: row.highlighted ? Theme.alpha(Theme.accent, 0.28) : pointer.containsMouse ? Theme.alpha(Theme.surface, 0.5) : "transparent"

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
                Row {
                    anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
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
            }
        }
    }
}
