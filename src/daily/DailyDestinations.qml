import QtQuick
import Quillmoor.Journal

// The screens the daily card pushes onto its section's stack, as typed components. They live
// in a file of their own because the stack builds them in a context of its own.
QtObject {
    readonly property Component journalEditor: Component {
        JournalEditorView {}
    }
}
