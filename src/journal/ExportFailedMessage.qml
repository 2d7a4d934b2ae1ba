pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Journal

// Says that an export could not be written, until the user closes it.
Popup {
    id: root

    required property JournalExporter exporter

    objectName: "exportFailedMessage"
    parent: Overlay.overlay
    anchors.centerIn: Overlay.overlay
    width: 380
    modal: true
    padding: 20
    visible: root.exporter.phase === JournalExporter.WriteFailed
    onClosed: root.exporter.dismissFailure()

    background: Rectangle {
        radius: 12
        color: Theme.background
        border.width: 1
        border.color: Theme.alpha(Theme.accent, 0.4)
    }

    Column {
        spacing: 12

        Row {
            spacing: 8

            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                name: "exclamationmark.triangle"
                size: 18
                color: Theme.negative
            }
            ReadableText {
                text: qsTr("The journal was not exported")
                font: Theme.title3Serif
                color: Theme.textPrimary
            }
        }
        ReadableText {
            objectName: "exportFailureText"
            width: root.availableWidth
            wrapMode: Text.Wrap
            text: root.exporter.failureMessage + " " + qsTr("Nothing was written. Choose another folder and try again.")
            font: Theme.body
            color: Theme.textSecondary
        }
        Button {
            id: okButton
            Accessible.onPressAction: Accessibility.press(okButton)

            objectName: "exportFailedOk"
            anchors.right: parent.right
            text: qsTr("OK")
            focus: true
            Keys.onReturnPressed: okButton.clicked()
            Keys.onEnterPressed: okButton.clicked()
            contentItem: Text {
                text: okButton.text
                font: Theme.body
                color: Theme.background
                horizontalAlignment: Text.AlignHCenter
            }
            background: Rectangle {
                implicitWidth: 72
                implicitHeight: 28
                radius: 6
                color: Theme.accent
            }
            onClicked: root.close()

            FocusRing {
                radius: 10
                fill: Theme.accent
            }
        }
    }
}
