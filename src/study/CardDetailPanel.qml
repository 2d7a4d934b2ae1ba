pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Study

// The right-hand panel of the card detail: header with the leaning, keywords, meaning,
// imagery and the personal note, on a soft violet card.
Rectangle {
    id: root

    required property tarotCard card
    required property CardDetailModel detail

    // The note editor's cursor moved while typing, in this panel's coordinates.
    signal cursorMoved(rect rect)

    height: stack.height + 2 * Theme.defaultPadding
    radius: 12
    color: Theme.alpha(Theme.surface, 0.2)

    FontMetrics {
        id: bodyMetrics

        font: Theme.body
    }

    // Positioners, not layouts: a wrapping text that shrinks back to one line (a long name while
    // a page slides in) must give its height back at once, which a layout does not always do.
    Column {
        id: stack

        x: Theme.defaultPadding
        y: Theme.defaultPadding
        width: root.width - 2 * Theme.defaultPadding
        spacing: 16

        Item {
            objectName: "detailHeader"
            width: parent.width
            height: Math.max(titles.height, leaning.height)

            Column {
                id: titles

                width: parent.width - leaning.width - 12
                spacing: 4

                ReadableText {
                    objectName: "detailName"
                    Accessible.role: Accessible.Heading
                    width: parent.width
                    text: root.card.name
                    font: Theme.largeTitleSerifBold
                    color: Theme.textPrimary
                    wrapMode: Text.WordWrap
                }
                ReadableText {
                    objectName: "detailLine"
                    width: parent.width
                    text: root.detail.detailLine
                    font: Theme.bodySerif
                    color: Theme.textSecondary
                    wrapMode: Text.WordWrap
                }
            }

            Column {
                id: leaning

                anchors.right: parent.right
                spacing: 4

                ReadableText {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("Yes/No")
                    font: Theme.subheadline
                    color: Theme.textSecondary
                }
                CardLeaningChip {
                    objectName: "leaningChip"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: root.detail.leaningText
                    tint: Theme.answerColor(root.detail.leaningText)
                }
            }
        }

        FlowLayout {
            objectName: "detailKeywords"
            width: parent.width
            spacing: 6

            Repeater {
                model: root.detail.keywords

                KeywordChip {
                    id: chip

                    required property string modelData

                    text: chip.modelData
                }
            }
        }

        Column {
            width: parent.width
            spacing: 8

            ReadableText {
                objectName: "detailMeaningTitle"
                Accessible.role: Accessible.Heading
                text: root.detail.meaningTitle
                font: Theme.title3Serif
                color: Theme.accent
            }
            ReadableText {
                objectName: "detailMeaning"
                Accessible.role: Accessible.Paragraph
                width: parent.width
                text: root.detail.meaningText
                font: Theme.body
                color: Theme.textPrimary
                wrapMode: Text.WordWrap
                lineHeightMode: Text.FixedHeight
                lineHeight: bodyMetrics.height + 4
            }
        }

        Column {
            width: parent.width
            spacing: 8

            ReadableText {
                text: qsTr("Card Imagery")
                Accessible.role: Accessible.Heading
                font: Theme.title3Serif
                color: Theme.accent
            }
            ReadableText {
                objectName: "detailImagery"
                Accessible.role: Accessible.Paragraph
                width: parent.width
                text: root.card.artDescription
                font: Theme.body
                color: Theme.textSecondary
                wrapMode: Text.WordWrap
                lineHeightMode: Text.FixedHeight
                lineHeight: bodyMetrics.height + 4
            }
        }

        Rectangle {
            width: parent.width
            height: 1
            color: Theme.alpha(Theme.accent, 0.4)
        }

        Column {
            width: parent.width
            spacing: 8

            ReadableText {
                text: qsTr("Your Personal Notes")
                Accessible.role: Accessible.Heading
                font: Theme.title3Serif
                color: Theme.accent
            }
            CardNoteEditor {
                id: editor

                objectName: "noteEditor"
                width: parent.width
                text: root.detail.noteText
                onEdited: (text) => { root.detail.editNote(text); }
                onCursorMoved: (rect) => { root.cursorMoved(editor.mapToItem(root, rect)); }
            }
        }
    }
}
