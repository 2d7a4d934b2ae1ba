import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Daily

// Today's card lies face down; clicking it (or Space/Return) turns it over, and the model
// shows the reading once the turn has been seen.
Item {
    id: root

    required property DailyCardViewModel model

    objectName: "dailyFaceDown"

    Column {
        anchors.centerIn: parent
        spacing: 24

        CardFlipView {
            objectName: "dailyFlipCard"
            anchors.horizontalCenter: parent.horizontalCenter
            card: root.model.todaysCard
            isReversed: root.model.isReversed
            size: CardSize.Large
            flipsOnClick: false
            isFlipped: root.model.phase !== DailyCardViewModel.FaceDown
            focus: true
            Accessible.description: qsTr("Click to reveal your card")
            onClicked: root.model.reveal()
        }
        ReadableText {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("Click to reveal your card")
            font: Theme.subheadline
            color: Theme.textSecondary
        }
    }
}
