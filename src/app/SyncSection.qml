pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.App
import Quillmoor.Sync

// Sync with the user's other computers through a folder their own sync tool carries: the
// folder, this computer's name, how the last pass went, and texts changed on two computers.
SettingsSection {
    id: root

    required property SyncController sync
    property string refusal: ""

    // A control of the section took keyboard focus.
    signal focusMoved(item: Item)

    objectName: "syncSection"
    title: qsTr("Sync")
    footer: root.refusal !== "" ? root.refusal
            : root.sync.problem !== "" ? root.sync.problem
            : root.sync.statusText

    OpenFolderDialog {
        id: folderDialog

        objectName: "syncFolderDialog"
        parentWindow: root.Window.window
        title: qsTr("Choose the Folder to Sync Through")
        currentFolder: root.sync.startFolder
        onAccepted: root.refusal = root.sync.chooseFolder(String(folderDialog.selectedFolder))
    }
    SyncConflictSheet {
        id: conflictSheet

        sync: root.sync
    }

    Item {
        width: parent.width
        implicitHeight: 40

        ReadableText {
            id: folderLabel

            anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
            text: qsTr("Folder")
            font: Theme.body
            color: Theme.textPrimary
        }
        ReadableText {
            objectName: "syncFolderText"
            anchors {
                left: folderLabel.right; leftMargin: 16; right: parent.right; rightMargin: 12
                verticalCenter: parent.verticalCenter
            }
            horizontalAlignment: Text.AlignRight
            elide: Text.ElideMiddle
            text: root.sync.isOn ? root.sync.folder : qsTr("None")
            font: Theme.body
            color: Theme.textSecondary
        }
    }

    SettingsLinkRow {
        objectName: "syncChooseFolderButton"
        width: parent.width
        divider: true
        text: root.sync.isOn ? qsTr("Choose Another Folder…") : qsTr("Choose a Folder…")
        symbol: "folder"
        trailingSymbol: ""
        onClicked: folderDialog.open()
        onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
    }

    Item {
        width: parent.width
        implicitHeight: nameField.implicitHeight + 16

        SettingsDivider {}

        ReadableText {
            id: nameLabel

            anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
            text: qsTr("This Computer")
            font: Theme.body
            color: Theme.textPrimary
        }
        FormTextField {
            id: nameField

            objectName: "syncDeviceName"
            anchors {
                left: nameLabel.right; leftMargin: 16; right: parent.right; rightMargin: 12
                verticalCenter: parent.verticalCenter
            }
            text: root.sync.deviceName
            accessibleName: qsTr("This computer's name, as the others show it")
            maximumLength: 80
        }
        Connections {
            target: nameField.field

            function onEditingFinished() {
                if (nameField.text !== root.sync.deviceName)
                    nameField.problem = root.sync.renameDevice(nameField.text);
            }
            function onActiveFocusChanged() {
                if (nameField.field.activeFocus)
                    root.focusMoved(nameField);
            }
        }
    }

    SettingsValueRow {
        objectName: "syncOtherDevices"
        width: parent.width
        divider: true
        visible: root.sync.otherDevices !== ""
        label: root.sync.otherDevices
        value: ""
    }

    Repeater {
        model: root.sync.conflicts

        delegate: SettingsLinkRow {
            required property int index
            required property var modelData

            objectName: "syncConflictRow" + index
            width: root.width
            divider: true
            text: qsTr("Changed on Two Computers: %1").arg(modelData.title ?? "")
            symbol: "exclamationmark.triangle"
            trailingSymbol: "chevron.right"
            onClicked: conflictSheet.show(index, modelData)
            onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
        }
    }

    SettingsLinkRow {
        objectName: "syncNowButton"
        width: parent.width
        divider: true
        visible: root.sync.isOn
        enabled: !root.sync.running
        text: root.sync.running ? qsTr("Syncing…") : qsTr("Sync Now")
        symbol: "arrow.triangle.2.circlepath"
        trailingSymbol: ""
        onClicked: root.sync.syncNow()
        onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
    }

    SettingsLinkRow {
        objectName: "syncOffButton"
        width: parent.width
        divider: true
        visible: root.sync.isOn
        text: qsTr("Turn Sync Off")
        symbol: "xmark.circle"
        trailingSymbol: ""
        onClicked: {
            root.refusal = "";
            root.sync.turnOff();
        }
        onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
    }
}
