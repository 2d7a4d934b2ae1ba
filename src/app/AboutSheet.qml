import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Ui

// The about information: the app's name and version and the credit for the card art. A modal
// overlay closed with "Done" or Escape.
Popup {
    id: root

    objectName: "aboutSheet"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 420
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: 24

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.5)
    }

    background: Rectangle {
        color: Theme.background
        radius: 12
        border.color: Theme.surface
    }

    Column {
        objectName: "aboutSheetContent"
        width: parent.width
        spacing: 10

        ReadableText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Quillmoor Tarot")
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
        }
        ReadableText {
            anchors.horizontalCenter: parent.horizontalCenter
            visible: Qt.application.version !== ""
            text: qsTr("Version %1").arg(Qt.application.version)
            font: Theme.subheadline
            color: Theme.textSecondary
        }
        ReadableText {
            objectName: "artCredit"
            width: parent.width
            topPadding: 8
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            text: CardStyle.artCredit
            font: Theme.body
            color: Theme.textSecondary
        }
        Button {
            id: done
            Accessible.onPressAction: Accessibility.press(done)

            objectName: "aboutDoneButton"
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Done")
            flat: true
            Keys.onReturnPressed: done.clicked()
            Keys.onEnterPressed: done.clicked()
            contentItem: Text {
                text: done.text
                font: Theme.body
                color: Theme.accent
            }
            background: Item {
                Rectangle {
                    anchors.fill: parent
                    radius: 6
                    color: done.hovered ? Theme.alpha(Theme.surface, 0.5) : "transparent"
                }
                FocusRing {
                    control: done
                    radius: 8
                }
            }
            onClicked: root.close()
        }
    }
}
