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

    // Only the screen's current state is built, which keeps start-up light.
    Connections {
        target: root.model
        function onJournalRequested() {
            root.StackView.view.push(Qt.resolvedUrl("qrc:/qt/qml/Quillmoor/Journal/JournalEditorView.qml"),
                                     { entry: root.model.journalEntry, modelContext: root.modelContext });
        }
    }
    StateLoader {
        anchors.fill: parent
        wanted: root.model.hasDrawnToday && root.model.hasTodaysCard && root.model.isRevealed
        file: "DailyRevealed.qml"
        model: root.model
    }
    StateLoader {
        anchors.fill: parent
        wanted: root.model.hasDrawnToday && root.model.hasTodaysCard && !root.model.isRevealed
        file: "DailyFaceDown.qml"
        model: root.model
    }
    StateLoader {
        anchors.fill: parent
        wanted: root.modelContext !== null && !(root.model.hasDrawnToday && root.model.hasTodaysCard)
        file: "DailyInvitation.qml"
        model: root.model
    }
}
