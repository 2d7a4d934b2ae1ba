pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Readings

// A yes-or-no question answered by one card: the question, the shuffle, the fan, the card face
// down, then the answer. The model owns the steps; this screen shows the current one and
// passes each action on.
NavigationPage {
    id: root

    required property ModelContext modelContext

    readonly property alias model: yesNoModel
    readonly property int phase: yesNoModel.phase
    // Set as the screen goes away, so its views leave before the model they read.
    property bool leaving: false

    Component.onDestruction: root.leaving = true

    objectName: "yesNoReadingView"
    navigationTitle: qsTr("Yes or No")
    focus: true
    activeFocusOnTab: true
    Accessible.name: yesNoModel.phaseAnnouncement
    toolbarItems: [
        FavoriteToggleButton {
            visible: root.phase === YesNoReadingModel.Result && yesNoModel.savedReading !== null
            reading: yesNoModel.savedReading
            size: 24
        }
    ]

    StackView.onActivated: root.forceActiveFocus()
    // The screen holds the keyboard whenever no control of the new phase takes it, so Escape
    // reaches the stack and Tab starts from the top of the phase.
    onPhaseChanged: {
        if (root.phase !== YesNoReadingModel.Reveal)
            root.forceActiveFocus();
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    // Only the current phase's layout is built: each repeater holds one view or none.
    Repeater {
        model: !root.leaving && root.phase === YesNoReadingModel.Question ? 1 : 0
        delegate: YesNoQuestion {
            width: root.width
            height: root.height
            model: yesNoModel
        }
    }
    Repeater {
        model: !root.leaving && root.phase === YesNoReadingModel.Shuffling ? 1 : 0
        delegate: ShufflingPhase {
            width: root.width
            height: root.height
            choreography: yesNoModel.choreography
        }
    }
    Repeater {
        model: !root.leaving && root.phase === YesNoReadingModel.Fan ? 1 : 0
        delegate: YesNoFan {
            width: root.width
            height: root.height
            model: yesNoModel
        }
    }
    Repeater {
        model: !root.leaving && root.phase === YesNoReadingModel.Reveal ? 1 : 0
        delegate: YesNoReveal {
            width: root.width
            height: root.height
            model: yesNoModel
        }
    }
    Repeater {
        model: !root.leaving && root.phase === YesNoReadingModel.Result && yesNoModel.hasDrawnCard ? 1 : 0
        delegate: YesNoResult {
            width: root.width
            height: root.height
            model: yesNoModel
        }
    }

    YesNoReadingModel {
        id: yesNoModel

        objectName: "yesNoModel"
        modelContext: root.modelContext
    }
}
