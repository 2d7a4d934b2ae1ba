import QtQuick
import Quillmoor.Ui
import Quillmoor.Readings

// The fan of face-down cards to pick the answer from.
Item {
    id: root

    required property YesNoReadingModel model

    objectName: "yesNoFan"

    NumberAnimation on opacity {
        from: 0
        to: 1
        duration: 350
        easing.type: Easing.InOutQuad
    }

    Column {
        id: column

        anchors.centerIn: parent
        width: root.width - 2 * Theme.defaultPadding
        spacing: 24

        ReadableText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Choose Your Card")
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
        }
        ReadableText {
            width: column.width
            text: qsTr("Trust your intuition. Click the card that calls to you.")
            font: Theme.body
            color: Theme.textSecondary
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
        FanSelectionView {
            anchors.horizontalCenter: parent.horizontalCenter
            fan: root.model.fan
            onCardClicked: (index) => root.model.pickCard(index)
        }
    }
}
