import QtQuick
import QtQuick.Layouts
import Quillmoor.Ui

// Shown instead of everything else when the store cannot be used. The user can only quit.
Rectangle {
    id: root

    // Why, in one sentence; empty when there is nothing more specific to say.
    required property string reason

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
        Text {
            Layout.alignment: Qt.AlignHCenter
            text: qsTr("Unable to Load Data")
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
        }
        Text {
            Layout.fillWidth: true
            text: qsTr("The app's data could not be initialized. Try restarting the app.")
            font: Theme.body
            color: Theme.textSecondary
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
        Text {
            Layout.fillWidth: true
            objectName: "storeErrorReason"
            visible: root.reason.length > 0
            text: root.reason
            font: Theme.subheadline
            color: Theme.alpha(Theme.textSecondary, 0.8)
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
    }
}
