pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Journal
import Quillmoor.Daily

// The Daily Card section: shuffle and draw, turn the card over, then read and reflect. The
// model owns the sequence; this screen shows its phase and passes each action on.
NavigationPage {
    id: root

    required property ModelContext modelContext

    readonly property alias model: dailyModel
    // Set as the screen goes away, so its views leave before the model they read.
    property bool leaving: false

    Component.onDestruction: root.leaving = true
    readonly property int phase: root.model.phase

    readonly property DailyDestinations destinations: DailyDestinations {}

    function openJournal() {
        if (root.model.journalEntry)
            root.StackView.view.push(root.destinations.journalEditor,
                                     { entry: root.model.journalEntry, modelContext: root.modelContext });
    }

    objectName: "dailyCardView"
    navigationTitle: qsTr("Daily Card")
    Accessible.name: root.model.phaseAnnouncement
    // A phase without a control that takes the focus leaves it with the screen, so a screen
    // reader reads the phase by the screen's name.
    onPhaseChanged: phaseFocus.restart()

    function keepFocusInPhase() {
        const window = root.Window.window;
        if (!window || !root.visible)
            return;
        for (let item = window.activeFocusItem; item; item = item.parent)
            if (item === root)
                return;
        root.forceActiveFocus(Qt.OtherFocusReason);
    }

    Timer {
        id: phaseFocus

        interval: 0
        onTriggered: root.keepFocusInPhase()
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    // Only the current phase's layout is built: each repeater holds one view or none.
    Repeater {
        model: !root.leaving && (root.phase === DailyCardViewModel.Invitation || root.phase === DailyCardViewModel.Shuffling) ? 1 : 0
        delegate: DailyInvitation {
            width: root.width
            height: root.height
            model: root.model
        }
    }
    Repeater {
        model: !root.leaving && (root.phase === DailyCardViewModel.FaceDown || root.phase === DailyCardViewModel.Revealing) ? 1 : 0
        delegate: DailyFaceDown {
            width: root.width
            height: root.height
            model: root.model
        }
    }
    Repeater {
        model: !root.leaving && root.phase === DailyCardViewModel.Revealed ? 1 : 0
        delegate: DailyRevealed {
            width: root.width
            height: root.height
            model: root.model
            onJournalRequested: root.openJournal()
        }
    }

    DailyCardViewModel {
        id: dailyModel

        objectName: "dailyCardModel"
        modelContext: root.modelContext
    }
}
