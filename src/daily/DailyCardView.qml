pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Store
import Quillmoor.Journal
import Quillmoor.Daily

// The Daily Card section: shuffle and draw, turn the card over, then read and reflect.
NavigationPage {
    id: root

    required property ModelContext modelContext

    readonly property DailyCardViewModel model: DailyCardViewModel {
        modelContext: root.modelContext
    }

    objectName: "dailyCardView"
    navigationTitle: qsTr("Daily Card")

    Rectangle {
        anchors.fill: parent
        color: Theme.hex("1A1A2E")
    }

    BusyIndicator {
        anchors.centerIn: parent
        visible: root.modelContext === null
        running: visible
    }

    DailyRevealed {
        anchors.fill: parent
        visible: root.model.hasDrawnToday && root.model.hasTodaysCard && root.model.isRevealed
        model: root.model
        onOpenJournal: (entry) => root.StackView.view.push(
                           Qt.resolvedUrl("qrc:/qt/qml/Quillmoor/Journal/JournalEditorView.qml"),
                           { entry: entry, modelContext: root.modelContext })
    }
    DailyFaceDown {
        anchors.fill: parent
        visible: root.model.hasDrawnToday && root.model.hasTodaysCard && !root.model.isRevealed
        model: root.model
    }
    DailyInvitation {
        anchors.fill: parent
        visible: root.modelContext !== null && !(root.model.hasDrawnToday && root.model.hasTodaysCard)
        model: root.model
    }
}
