pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Readings

// What the three-card and the Celtic Cross screens share: the flow model of the spread, the
// background, the shuffle, the star in the toolbar once the reading is stored, and the card
// sequence opened from the results. The screens add their introduction and results.
NavigationPage {
    id: root

    required property ModelContext modelContext
    required property string spreadId

    readonly property ReadingFlowModel model: ReadingFlowModel {
        objectName: "readingFlowModel"
        modelContext: root.modelContext
        spreadId: root.spreadId
    }
    readonly property int phase: root.model.phase
    readonly property CardSequenceDestination destinations: CardSequenceDestination {}

    focus: true
    activeFocusOnTab: true
    Accessible.name: root.model.phaseAnnouncement
    toolbarItems: [
        FavoriteToggleButton {
            visible: root.phase === ReadingFlowModel.Results && root.model.savedReading !== null
            reading: root.model.savedReading
            size: 24
        }
    ]

    // The screen itself holds the keyboard focus whenever no control of the current phase
    // does, so Escape reaches the stack and Tab starts from the top of the phase.
    onPhaseChanged: root.forceActiveFocus()
    // Coming back from the sequence viewer: no card is open any more.
    StackView.onActivated: {
        root.model.clearSelection();
        root.forceActiveFocus();
    }

    Connections {
        target: root.model

        function onSelectedCardIndexChanged() {
            if (root.model.selectedCardIndex >= 0)
                root.StackView.view.push(root.destinations.cardSequence,
                                         { cards: root.model.drawnCards, startIndex: root.model.selectedCardIndex });
        }
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    Repeater {
        model: root.phase === ReadingFlowModel.Shuffling ? 1 : 0
        delegate: ShufflingPhase {
            width: root.width
            height: root.height
            choreography: root.model.choreography
        }
    }
}
