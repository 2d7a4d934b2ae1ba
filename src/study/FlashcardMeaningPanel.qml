pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Catalogue
import Quillmoor.Cards
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

        Text {
            objectName: "meaningCardName"
            width: parent.width
            text: root.card.name
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
            wrapMode: Text.WordWrap
        }
        Text {
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

                delegate: Rectangle {
                    id: chip

                    required property string modelData

                    implicitWidth: chipText.implicitWidth + 20
                    implicitHeight: chipText.implicitHeight + 8
                    radius: height / 2
                    color: Theme.alpha(Theme.accent, 0.15)

                    Text {
                        id: chipText

                        anchors.centerIn: parent
                        text: chip.modelData
                        font: Theme.subheadlineSerifMedium
                        color: Theme.accent
                    }
                }
            }
        }
        Text {
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
