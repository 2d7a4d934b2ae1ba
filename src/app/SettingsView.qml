pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.App

// The settings screen: reversed cards, the deck theme, the daily reminder, feedback and the
// version, under the title "Settings" with a "Done" button.
FocusScope {
    id: root

    signal dismissed()

    readonly property SettingsViewModel model: viewModel

    objectName: "settingsView"

    Component.onCompleted: root.model.appear()

    // Keeps the control that has keyboard focus inside the visible part of the list.
    function reveal(item: Item) {
        if (!item || !list.contentItem)
            return
        const top = item.mapToItem(list.contentItem, 0, 0).y
        if (top < list.contentY)
            list.contentY = Math.max(0, top - 12)
        else if (top + item.height > list.contentY + list.height)
            list.contentY = Math.min(list.contentHeight - list.height, top + item.height - list.height + 12)
    }

    Item {
        id: titleBar

        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 52

        ReadableText {
            objectName: "settingsTitle"
            anchors.centerIn: parent
            text: qsTr("Settings")
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
        }

        Rectangle {
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            height: 1
            color: Theme.alpha(Theme.surface, 0.6)
        }
    }

    BusyIndicator {
        objectName: "settingsSpinner"
        anchors.centerIn: parent
        visible: root.model.settings === null
        running: visible
        palette.dark: Theme.accent
    }

    Flickable {
        id: list

        objectName: "settingsList"
        anchors { left: parent.left; right: parent.right; top: titleBar.bottom; bottom: parent.bottom }
        contentHeight: content.height + 2 * Theme.defaultPadding
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: PageScrollBar {}

        Item {
            id: content

            x: Theme.defaultPadding + 4
            y: Theme.defaultPadding
            width: list.width - 2 * x
            height: childrenRect.height

            // Built once there are settings to show.
            Repeater {
                model: root.model.settings ? 1 : 0

                delegate: SettingsSections {
                    width: content.width
                    model: root.model
                    onFocusMoved: item => root.reveal(item)
                }
            }
        }
    }

    Button {
        id: done
        Accessible.onPressAction: Accessibility.press(done)

        objectName: "settingsDoneButton"
        anchors { right: parent.right; rightMargin: Theme.defaultPadding; top: parent.top; topMargin: 10 }
        height: 32
        text: qsTr("Done")
        flat: true
        focusPolicy: Qt.StrongFocus
        Accessible.name: text
        contentItem: Text {
            text: done.text
            font: Theme.body
            color: Theme.accent
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            radius: 6
            color: done.hovered ? Theme.alpha(Theme.surface, 0.5) : "transparent"
            border.width: done.visualFocus ? 2 : 0
            border.color: Theme.accent
        }
        Keys.onReturnPressed: root.dismissed()
        Keys.onEnterPressed: root.dismissed()
        onClicked: root.dismissed()
    }

    // Declared last so it goes last: the rows bound to it never see it missing.
    SettingsViewModel {
        id: viewModel

        modelContext: AppState.context
        notificationCenter: AppState.notificationCenter
        audioManager: AudioManager
    }
}
