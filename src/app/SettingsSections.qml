pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.App
import Quillmoor.Sync

// The sections of the settings list.
Column {
    id: root

    required property SettingsViewModel model

    // A control of the list took keyboard focus.
    signal focusMoved(item: Item)

    spacing: 18

    SettingsSection {
        width: root.width
        title: qsTr("Readings")

        SettingsToggleRow {
            objectName: "allowReversedToggle"
            width: parent.width
            text: qsTr("Allow Reversed Cards")
            isOn: root.model.settings.allowReversedCards
            onSwitched: on => root.model.setAllowReversedCards(on)
            onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
        }
    }

    SettingsSection {
        width: root.width
        title: qsTr("Appearance")
        footer: qsTr("Additional deck themes will be available in future updates.")

        SettingsValueRow {
            objectName: "deckThemeRow"
            width: parent.width
            label: qsTr("Deck Theme")
            value: root.model.deckThemeName
        }
    }

    SettingsSection {
        width: root.width
        title: qsTr("Motion")
        footer: Accessibility.motionNote

        SettingsToggleRow {
            objectName: "reduceMotionToggle"
            width: parent.width
            text: qsTr("Reduce Motion")
            isOn: Accessibility.reducedMotion
            onSwitched: on => Accessibility.chooseReducedMotion(on)
            onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
        }
    }

    SettingsSection {
        width: root.width
        title: qsTr("Notifications")
        footer: root.model.reminderRefusal !== ""
                ? root.model.reminderRefusal
                : root.model.remindersNeedApp && root.model.settings.dailyReminderEnabled
                  ? qsTr("Reminders arrive only while Quillmoor Tarot is open.")
                  : ""

        SettingsToggleRow {
            objectName: "dailyReminderToggle"
            width: parent.width
            text: qsTr("Daily Reminder")
            isOn: root.model.settings.dailyReminderEnabled
            onSwitched: on => root.model.setDailyReminderEnabled(on)
            onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
        }

        Repeater {
            model: root.model.settings.dailyReminderEnabled ? 1 : 0

            delegate: ReminderTimeRow {
                width: parent.width
                model: root.model
                onFocusMoved: item => root.focusMoved(item)
            }
        }
    }

    SettingsSection {
        id: backupsSection

        objectName: "backupsSection"
        width: root.width
        title: qsTr("Backups")
        footer: archive.status !== "" ? archive.status : backups.status

        BackupListModel {
            id: backups

            scheduler: AppState.backups
        }
        RestoreConfirmation {
            id: restoreConfirmation
        }
        ArchiveExporter {
            id: archive

            modelContext: AppState.context
        }
        SaveFileDialog {
            id: archiveDialog

            objectName: "archiveDialog"
            // Inside the sheet the dialog finds no window by itself, and would never show.
            parentWindow: root.Window.window
            title: qsTr("Export Everything")
            currentFolder: archive.startFolder
            suggestedFile: archive.suggestedFile
            nameFilters: [qsTr("Quillmoor Tarot archive (*.json)")]
            defaultSuffix: "json"
            onAccepted: archive.save(archiveDialog.selectedFile)
        }
        OpenFileDialog {
            id: importDialog

            objectName: "importDialog"
            parentWindow: root.Window.window
            title: qsTr("Import an Archive")
            currentFolder: archive.startFolder
            nameFilters: [qsTr("Quillmoor Tarot archive (*.json)")]
            onAccepted: AppState.importArchive(importDialog.selectedFile)
        }

        Repeater {
            model: backups

            delegate: BackupRow {
                required property int index

                objectName: "backupRow" + index
                width: backupsSection.width
                divider: index > 0
                onRestoreRequested: restoreConfirmation.ask(title, detail, path)
                onFocusMoved: item => root.focusMoved(item)
            }
        }

        SettingsValueRow {
            objectName: "noBackupsRow"
            width: parent.width
            visible: backups.count === 0
            label: qsTr("No backups yet")
            value: ""
        }

        SettingsLinkRow {
            objectName: "backUpNowButton"
            width: parent.width
            divider: true
            enabled: !backups.running && AppState.backups !== null
            text: backups.backUpLabel
            symbol: "clock.arrow.circlepath"
            trailingSymbol: ""
            onClicked: backups.backUpNow()
            onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
        }

        SettingsLinkRow {
            objectName: "exportEverythingButton"
            width: parent.width
            divider: true
            enabled: !archive.busy && AppState.context !== null
            text: archive.busy ? qsTr("Exporting…") : qsTr("Export Everything…")
            symbol: "square.and.arrow.up"
            trailingSymbol: ""
            onClicked: archiveDialog.open()
            onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
        }

        SettingsLinkRow {
            objectName: "importArchiveButton"
            width: parent.width
            divider: true
            enabled: !AppState.importing && AppState.context !== null
            text: AppState.importing ? qsTr("Importing…") : qsTr("Import…")
            symbol: "square.and.arrow.down"
            trailingSymbol: ""
            onClicked: importDialog.open()
            onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
        }
    }

    SyncSection {
        width: root.width
        visible: AppState.sync !== null
        sync: AppState.sync
        onFocusMoved: item => root.focusMoved(item)
    }
    SettingsSection {
        width: root.width
        title: qsTr("Feedback")
        footer: qsTr("We'd love to hear from you! Send us suggestions, bug reports, or just say hello.")

        SettingsLinkRow {
            objectName: "sendFeedbackButton"
            width: parent.width
            text: qsTr("Send Feedback")
            symbol: "envelope"
            trailingSymbol: "chevron.right"
            trailingSize: Theme.textStyle(Theme.Caption, false).pixelSize
            onClicked: root.model.sendFeedback()
            onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
        }
        FeedbackAddressRow {
            width: parent.width
            visible: root.model.showsFeedbackAddress
            model: root.model
        }
    }

    SettingsSection {
        width: root.width
        title: qsTr("About")
        footer: qsTr("Card art: Pamela Colman Smith, 1909 (public domain)")

        SettingsValueRow {
            objectName: "versionRow"
            width: parent.width
            label: qsTr("Version")
            value: root.model.version
        }

        SettingsLinkRow {
            objectName: "websiteButton"
            width: parent.width
            divider: true
            text: root.model.websiteHost
            textColor: Theme.accent
            trailingSymbol: "arrow.up.right.square"
            onClicked: root.model.openWebsite()
            onActiveFocusChanged: if (activeFocus) root.focusMoved(this)
        }
    }
}
