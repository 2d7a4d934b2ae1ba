pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Readings

// A reading of a spread the user designed, from the introduction to the results: dealt,
// stored and read like any other spread.
ReadingFlowScreen {
    id: root

    objectName: "designedSpreadReadingView"
    navigationTitle: root.model.spread.name

    Repeater {
        model: root.phase === ReadingFlowModel.Intro ? 1 : 0
        delegate: DesignedSpreadIntro {
            width: root.width
            height: root.height
            model: root.model
        }
    }
    Repeater {
        model: root.phase === ReadingFlowModel.Results ? 1 : 0
        delegate: DesignedSpreadResults {
            width: root.width
            height: root.height
            model: root.model
        }
    }
}
