pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Layouts
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Study

// The right-hand panel of the card detail: header with the leaning, keywords, meaning,
// imagery and the personal note, on a soft violet card.
Rectangle {
    id: root

    required property tarotCard card
    required property CardDetailModel detail

    // The note editor's cursor moved while typing, in this panel's coordinates.
    signal cursorMoved(rect rect)

    height: stack.implicitHeight + 2 * Theme.defaultPadding
    radius: 12
    color: Theme.alpha(Theme.surface, 0.2)

    FontMetrics {
        id: bodyMetrics

        font: Theme.body
    }

    ColumnLayout {
        id: stack

        x: Theme.defaultPadding
        y: Theme.defaultPadding
        width: root.width - 2 * Theme.defaultPadding
        spacing: 16

        RowLayout {
            Layout.fillWidth: true

            ColumnLayout {
                Layout.alignment: Qt.AlignTop
                Layout.fillWidth: true
                spacing: 4

                ReadableText {
                    objectName: "detailName"
                    Accessible.role: Accessible.Heading
                    Layout.fillWidth: true
                    text: root.card.name
                    font: Theme.largeTitleSerifBold
                    color: Theme.textPrimary
                    wrapMode: Text.WordWrap
                }
                ReadableText {
                    objectName: "detailLine"
                    text: root.detail.detailLine
                    font: Theme.bodySerif
                    color: Theme.textSecondary
                }
            }

            ColumnLayout {
                Layout.alignment: Qt.AlignTop
                spacing: 4

                ReadableText {
                    Layout.alignment: Qt.AlignHCenter
                    text: qsTr("Yes/No")
                    font: Theme.subheadline
                    color: Theme.textSecondary
                }
                CardLeaningChip {
                    objectName: "leaningChip"
                    Layout.alignment: Qt.AlignHCenter
                    text: root.detail.leaningText
                    tint: root.detail.leaningColor
                }
            }
        }

        FlowLayout {
            objectName: "detailKeywords"
            Layout.fillWidth: true
            Layout.preferredHeight: implicitHeight
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

        ColumnLayout {
            Layout.fillWidth: true
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
                Layout.fillWidth: true
                text: root.detail.meaningText
                font: Theme.body
                color: Theme.textPrimary
                wrapMode: Text.WordWrap
                lineHeightMode: Text.FixedHeight
                lineHeight: bodyMetrics.height + 4
            }
        }

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 8

            ReadableText {
                text: qsTr("Card Imagery")
                font: Theme.title3Serif
                color: Theme.accent
            }
            ReadableText {
                Layout.fillWidth: true
                text: root.card.artDescription
                font: Theme.body
                color: Theme.textSecondary
                wrapMode: Text.WordWrap
                lineHeightMode: Text.FixedHeight
                lineHeight: bodyMetrics.height + 4
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Theme.alpha(Theme.accent, 0.4)
        }

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 8

            ReadableText {
                text: qsTr("Your Personal Notes")
                font: Theme.title3Serif
                color: Theme.accent
            }
            CardNoteEditor {
                id: editor

                objectName: "noteEditor"
                Layout.fillWidth: true
                text: root.detail.noteText
                onEdited: (text) => { root.detail.editNote(text); }
                onCursorMoved: (rect) => { root.cursorMoved(editor.mapToItem(root, rect)); }
            }
        }
    }
}
