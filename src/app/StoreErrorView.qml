import QtQuick
import QtQuick.Layouts
import Quillmoor.Ui
import Quillmoor.App

// Shown instead of everything else when the store cannot be used. When a sound backup exists
// it can be put in the store's place; otherwise the user can only quit.
Rectangle {
    id: root

    // Why, in one sentence; empty when there is nothing more specific to say.
    required property string reason
    // Why the last restore failed; empty before one was tried.
    property string restoreProblem: ""

    objectName: "storeErrorView"
    color: Theme.background

    ColumnLayout {
        anchors.centerIn: parent
        width: Math.min(parent.width - 80, 520)
        spacing: 16

        SymbolImage {
            Layout.alignment: Qt.AlignHCenter
            name: "exclamationmark.triangle"
            size: 26
            color: Theme.accent
        }
        ReadableText {
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Unable to Load Data")
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
        }
        ReadableText {
            Layout.fillWidth: true
            text: qsTr("The app's data could not be initialized. Try restarting the app.")
            font: Theme.body
            color: Theme.textSecondary
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
        ReadableText {
            Layout.fillWidth: true
            objectName: "storeErrorReason"
            visible: root.reason.length > 0
            text: root.reason
            font: Theme.subheadline
            color: Theme.alpha(Theme.textSecondary, 0.8)
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
        ReadableText {
            Layout.fillWidth: true
            Layout.topMargin: 8
            objectName: "restoreOffer"
            visible: AppState.latestBackupTitle !== ""
            text: qsTr("A backup from %1 can be put in its place. The file that could not be used is kept "
                       + "beside it, unchanged.").arg(AppState.latestBackupTitle)
            font: Theme.body
            color: Theme.textPrimary
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
        TextButton {
            id: restoreButton

            Layout.alignment: Qt.AlignHCenter
            objectName: "restoreLatestButton"
            visible: AppState.latestBackupTitle !== ""
            text: qsTr("Restore the Latest Backup")
            onClicked: AppState.restoreLatestBackup()
        }
        ReadableText {
            Layout.fillWidth: true
            objectName: "restoreProblem"
            visible: root.restoreProblem !== ""
            text: root.restoreProblem
            font: Theme.subheadline
            color: Theme.negative
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
    }

    // The one thing to do here is at hand for the keyboard.
    Component.onCompleted: if (restoreButton.visible) restoreButton.forceActiveFocus()

    Connections {
        target: AppState

        function onRestoreFinished(restored: bool, message: string) {
            if (!restored)
                root.restoreProblem = message;
        }
    }
}
