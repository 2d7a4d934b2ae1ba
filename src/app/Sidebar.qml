pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.App

// The sidebar: the title "Quillmoor", the gear button and one row per section.
Rectangle {
    id: root

    required property ContentViewModel model
    readonly property alias searchText: searchInput.text
    readonly property bool searching: searchInput.activeFocus

    // The keys of the search field that belong to its results: moving through them by `step`
    // rows (or a page when `page` is set), opening the current one, and giving up.
    signal searchMoved(int step, bool page)
    signal searchChosen()

    function focusSearch() {
        searchInput.forceActiveFocus(Qt.ShortcutFocusReason);
        searchInput.selectAll();
    }
    function leaveSearch() {
        searchInput.clear();
        sections.forceActiveFocus(Qt.OtherFocusReason);
    }

    objectName: "sidebar"
    color: Theme.surfaceDeep

    Item {
        id: header

        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 52

        ReadableText {
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
            Accessible.onPressAction: root.model.showSettings = true
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

    // Search everything the user wrote. Plain Qt Quick, like the rest of the frame; its results
    // show over the section beside it while it has the focus.
    Rectangle {
        id: searchBox

        objectName: "sidebarSearch"
        anchors { left: parent.left; right: parent.right; top: header.bottom; leftMargin: 10; rightMargin: 10 }
        height: 30
        radius: 7
        color: Theme.alpha(Theme.surface, 0.5)
        border.width: searchInput.activeFocus ? 2 : 1
        border.color: searchInput.activeFocus ? Theme.accent : Theme.alpha(Theme.accent, 0.3)

        SymbolImage {
            id: magnifier

            anchors { left: parent.left; leftMargin: 8; verticalCenter: parent.verticalCenter }
            name: "magnifyingglass"
            size: 14
            color: Theme.textSecondary
        }
        TextInput {
            id: searchInput

            objectName: "searchInput"
            anchors { left: magnifier.right; leftMargin: 6; right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
            font: Theme.body
            color: Theme.textPrimary
            selectionColor: Theme.alpha(Theme.accent, 0.5)
            selectedTextColor: Theme.textPrimary
            selectByMouse: true
            clip: true
            activeFocusOnTab: true
            Accessible.role: Accessible.EditableText
            Accessible.name: qsTr("Search readings, journal and notes")
            Accessible.description: qsTr("Ctrl+K")
            Keys.onUpPressed: root.searchMoved(-1, false)
            Keys.onDownPressed: root.searchMoved(1, false)
            Keys.onPressed: (event) => {
                if (event.key === Qt.Key_PageUp || event.key === Qt.Key_PageDown) {
                    root.searchMoved(event.key === Qt.Key_PageUp ? -1 : 1, true);
                    event.accepted = true;
                }
            }
            Keys.onReturnPressed: root.searchChosen()
            Keys.onEnterPressed: root.searchChosen()
            Keys.onEscapePressed: root.leaveSearch()
        }
        ReadableText {
            anchors { left: searchInput.left; verticalCenter: parent.verticalCenter }
            visible: searchInput.text === ""
            text: qsTr("Search")
            font: Theme.body
            color: Theme.alpha(Theme.textSecondary, 0.6)
            Accessible.ignored: true
        }
        ReadableText {
            anchors { right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
            visible: searchInput.text === "" && !searchInput.activeFocus
            text: qsTr("Ctrl+K")
            font: Theme.subheadline
            color: Theme.alpha(Theme.textSecondary, 0.6)
            Accessible.ignored: true
        }
    }

    // One stop for Tab; the arrow keys then move through the sections. A click on a row gives
    // the list the focus too, so the arrows work after it.
    ShellControl {
        id: sections

        objectName: "sectionList"
        anchors { left: parent.left; right: parent.right; top: searchBox.bottom; bottom: parent.bottom; topMargin: 8 }
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
                    ReadableText {
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
