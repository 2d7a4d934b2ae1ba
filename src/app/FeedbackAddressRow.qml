import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.App

// Shown when Send Feedback found no mail program: the address to write to, and a button that
// copies it.
Item {
    id: root

    required property SettingsViewModel model

    objectName: "feedbackAddressRow"
    implicitHeight: Math.max(message.implicitHeight, copyButton.implicitHeight) + 16

    ReadableText {
        id: message

        objectName: "feedbackAddressText"
        anchors { left: parent.left; leftMargin: 12; right: copyButton.left; rightMargin: 12; verticalCenter: parent.verticalCenter }
        text: root.model ? qsTr("No mail program is set up on this computer. Write to us at %1.").arg(root.model.feedbackAddress) : ""
        font: Theme.subheadline
        color: Theme.textSecondary
        wrapMode: Text.Wrap
    }
    AbstractButton {
        id: copyButton
        Accessible.onPressAction: Accessibility.press(copyButton)

        objectName: "copyFeedbackAddressButton"
        anchors { right: parent.right; rightMargin: 12; verticalCenter: parent.verticalCenter }
        padding: 6
        focusPolicy: Qt.StrongFocus
        Accessible.role: Accessible.Button
        Accessible.name: qsTr("Copy Address")
        Keys.onReturnPressed: copyButton.clicked()
        Keys.onEnterPressed: copyButton.clicked()
        onClicked: root.model?.copyFeedbackAddress()

        contentItem: Text {
            text: qsTr("Copy Address")
            font: Theme.textStyle(Theme.Body, false, Font.Bold)
            color: Theme.accent
        }
        background: Rectangle {
            radius: 6
            color: copyButton.hovered ? Theme.alpha(Theme.accent, 0.15) : "transparent"
        }

        FocusRing {
            radius: 8
        }
    }
}
