import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Cards

// Confirms a saved file at the bottom of its screen: the file's name and folder, "Show in
// Folder", and a close button. Shown while its notice is.
Rectangle {
    id: root

    required property SavedFileNotice notice

    objectName: "savedFileBar"
    visible: root.notice.shown
    implicitWidth: row.implicitWidth + 2 * Theme.defaultPadding
    implicitHeight: row.implicitHeight + 16
    radius: height / 2
    color: Theme.surface
    border.width: 1
    border.color: Theme.alpha(Theme.accent, 0.4)
    Keys.onEscapePressed: root.notice.dismiss()

    Row {
        id: row

        anchors.centerIn: parent
        spacing: 12

        SymbolImage {
            anchors.verticalCenter: parent.verticalCenter
            name: "checkmark"
            size: 16
            color: Theme.positive
        }
        ReadableText {
            objectName: "savedFileMessage"
            anchors.verticalCenter: parent.verticalCenter
            text: root.notice.message
            font: Theme.body
            color: Theme.textPrimary
        }
        AbstractButton {
            id: showButton
            Accessible.onPressAction: Accessibility.press(showButton)

            objectName: "showInFolderButton"
            anchors.verticalCenter: parent.verticalCenter
            padding: 6
            focusPolicy: Qt.StrongFocus
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Show in Folder")
            Keys.onReturnPressed: showButton.clicked()
            Keys.onEnterPressed: showButton.clicked()
            onClicked: root.notice.showInFolder()

            contentItem: Text {
                text: qsTr("Show in Folder")
                font: Theme.textStyle(Theme.Body, false, Font.Bold)
                color: Theme.accent
            }
            background: Rectangle {
                radius: 6
                color: showButton.hovered ? Theme.alpha(Theme.accent, 0.15) : "transparent"
            }

            FocusRing {
                radius: 8
            }
        }
        AbstractButton {
            id: closeButton
            Accessible.onPressAction: Accessibility.press(closeButton)

            objectName: "savedFileCloseButton"
            anchors.verticalCenter: parent.verticalCenter
            padding: 4
            focusPolicy: Qt.StrongFocus
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Close")
            Keys.onReturnPressed: closeButton.clicked()
            Keys.onEnterPressed: closeButton.clicked()
            onClicked: root.notice.dismiss()

            contentItem: SymbolImage {
                name: "xmark"
                size: 14
                color: Theme.textSecondary
            }

            FocusRing {
                radius: 8
            }
            HintToolTip {
                text: closeButton.Accessible.name
            }
        }
    }
}
