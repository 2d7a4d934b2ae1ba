import QtQuick
import Quillmoor.Readings

// The screens the Readings section pushes onto its stack, as typed components. They live in a
// file of their own because the stack builds them in a context of its own.
QtObject {
    readonly property Component threeCard: Component {
        ThreeCardReadingView {}
    }
    readonly property Component celticCross: Component {
        CelticCrossReadingView {}
    }
    readonly property Component yesNo: Component {
        YesNoReadingView {}
    }
    readonly property Component designedSpread: Component {
        DesignedSpreadReadingView {}
    }
    readonly property Component spreadEditor: Component {
        SpreadEditorView {}
    }
    readonly property Component history: Component {
        ReadingHistoryView {}
    }
    // A stored reading shown again; the screen has no title of its own.
    readonly property Component readingDetail: Component {
        ReadingDetailView {}
    }
}
