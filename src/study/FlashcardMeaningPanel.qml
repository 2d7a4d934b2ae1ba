pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Study

// The revealed side of a flashcard, always upright: name, suit, keywords and meaning.
Rectangle {
    id: root

    required property tarotCard card

    implicitHeight: column.implicitHeight + 2 * Theme.defaultPadding
    radius: 12
    color: Theme.alpha(Theme.surface, 0.2)

    FontMetrics {
        id: bodyMetrics
        font: Theme.body
    }

    Column {
        id: column

        x: Theme.defaultPadding
        y: Theme.defaultPadding
        width: root.width - 2 * Theme.defaultPadding
        spacing: 12

        ReadableText {
            objectName: "meaningCardName"
            width: parent.width
            text: root.card.name
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
            wrapMode: Text.WordWrap
        }
        ReadableText {
            text: root.card.suitLabel
            font: Theme.subheadline
            color: Theme.textSecondary
        }
        FlowLayout {
            objectName: "meaningKeywords"
            width: parent.width
            spacing: 6

            Repeater {
                model: root.card.uprightKeywords

                delegate: KeywordChip {
                    id: chip

                    required property string modelData

                    text: chip.modelData
                }
            }
        }
        ReadableText {
            objectName: "meaningText"
            width: parent.width
            text: root.card.uprightMeaning
            font: Theme.body
            color: Theme.textPrimary
            wrapMode: Text.WordWrap
            lineHeightMode: Text.FixedHeight
            lineHeight: bodyMetrics.height + 4
        }
    }
}
