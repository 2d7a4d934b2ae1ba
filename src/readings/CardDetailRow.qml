import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui

// One drawn card of a reading's results: the position as a header, the card face, its name
// (with the badge when reversed), optionally the position's description, and the card's
// meaning for that position in at most three lines. Clicking it opens the card.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property string header
    required property tarotCard card
    required property bool isReversed
    required property string meaning
    property string positionDescription
    property string cardAccessibleName
    // Between the card face and the texts beside it.
    property int faceSpacing: 16

    focusPolicy: Qt.StrongFocus
    padding: Theme.defaultPadding
    Accessible.name: root.cardAccessibleName
    Accessible.description: root.card.artDescription

    background: Rectangle {
        radius: 12
        color: root.hovered ? Theme.alpha(Theme.surface, 0.3) : Theme.alpha(Theme.surface, 0.2)
    }

    FocusRing {
        radius: 16
    }

    FontMetrics {
        id: bodyMetrics

        font: Theme.body
    }

    contentItem: ColumnLayout {
        spacing: 8

        RowLayout {
            Layout.fillWidth: true

            ReadableText {
                objectName: "rowHeader"
                Layout.fillWidth: true
                text: root.header
                font: Theme.title3Serif
                color: Theme.accent
                elide: Text.ElideRight
            }
            SymbolImage {
                name: "chevron.right"
                size: Theme.textStyle(Theme.Caption, false).pixelSize
                color: Theme.textSecondary
            }
        }
        RowLayout {
            Layout.fillWidth: true
            spacing: root.faceSpacing

            TarotCardView {
                decorative: true
                Layout.alignment: Qt.AlignTop
                card: root.card
                isReversed: root.isReversed
                size: CardSize.Medium
            }
            ColumnLayout {
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignTop
                spacing: 4

                Flow {
                    Layout.fillWidth: true
                    spacing: 8

                    ReadableText {
                        objectName: "rowCardName"
                        text: root.card.name
                        font: Theme.title3Serif
                        color: Theme.textPrimary
                    }
                    ReversedBadge {
                        visible: root.isReversed
                    }
                }
                ReadableText {
                    objectName: "rowPositionDescription"
                    Layout.fillWidth: true
                    visible: root.positionDescription.length > 0
                    text: root.positionDescription
                    font: Theme.subheadline
                    color: Theme.textSecondary
                    wrapMode: Text.WordWrap
                }
                ReadableText {
                    objectName: "rowMeaning"
                    Layout.fillWidth: true
                    text: root.meaning
                    font: Theme.body
                    color: Theme.textPrimary
                    wrapMode: Text.WordWrap
                    maximumLineCount: 3
                    elide: Text.ElideRight
                    lineHeightMode: Text.FixedHeight
                    lineHeight: bodyMetrics.height + 3
                }
            }
        }
    }
}
