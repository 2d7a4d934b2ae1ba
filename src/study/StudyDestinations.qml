import QtQuick
import Quillmoor.Study

// The screens the study menu pushes onto its section's stack, as typed components. They live
// in a file of their own because the stack builds them in a context of its own.
QtObject {
    readonly property Component flashcards: Component {
        FlashcardView {}
    }
    readonly property Component article: Component {
        EducationArticleView {}
    }
}
