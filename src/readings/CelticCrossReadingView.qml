pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Readings

// A ten-card Celtic Cross reading from the introduction to the results.
ReadingFlowScreen {
    id: root

    objectName: "celticCrossReadingView"
    navigationTitle: qsTr("Celtic Cross")
    spreadId: "celtic_cross"

    Repeater {
        model: root.phase === ReadingFlowModel.Intro ? 1 : 0
        delegate: CelticCrossIntro {
            width: root.width
            height: root.height
            model: root.model
        }
    }
    Repeater {
        model: root.phase === ReadingFlowModel.Results ? 1 : 0
        delegate: CelticCrossResults {
            width: root.width
            height: root.height
            model: root.model
        }
    }
}
