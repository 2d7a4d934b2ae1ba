pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Readings

// A past, present and future reading from the introduction to the results.
ReadingFlowScreen {
    id: root

    objectName: "threeCardReadingView"
    navigationTitle: qsTr("Past, Present, Future")
    spreadId: "three_card"

    Repeater {
        model: root.phase === ReadingFlowModel.Intro ? 1 : 0
        delegate: ThreeCardIntro {
            width: root.width
            height: root.height
            model: root.model
        }
    }
    Repeater {
        model: root.phase === ReadingFlowModel.Results ? 1 : 0
        delegate: ThreeCardResults {
            width: root.width
            height: root.height
            model: root.model
        }
    }
}
