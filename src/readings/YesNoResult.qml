import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Readings

// The answer: the card and the answer word on the left; the question, the explanation and the
// card's meaning on the right.
ScrollView {
    id: root

    required property YesNoReadingModel model

    objectName: "yesNoResult"
    contentWidth: availableWidth
    ScrollBar.vertical: PageScrollBar {}

    NumberAnimation on opacity {
        from: 0
        to: 1
        duration: 350
        easing.type: Easing.InOutQuad
    }

    FontMetrics {
        id: bodyMetrics

        font: Theme.body
    }

    Row {
        id: row

        x: 24
        topPadding: 24
        bottomPadding: 32
        width: root.availableWidth - 24 - 32
        spacing: 32

        Column {
            id: left

            width: 280
            spacing: 16

            TarotCardView {
                objectName: "yesNoCardFace"
                anchors.horizontalCenter: parent.horizontalCenter
                card: root.model.drawnCard
                isReversed: root.model.isReversed
                size: CardSize.Large
                tappable: true
                Accessible.name: root.model.cardAccessibleName
            }
            Item {
                anchors.horizontalCenter: parent.horizontalCenter
                width: answerWord.implicitWidth
                height: answerWord.implicitHeight

                GlowText {
                    anchors.centerIn: parent
                    text: root.model.answer
                    font: answerWord.font
                    color: Theme.alpha(Theme.answerColor(root.model.answer), 0.4)
                    radius: 20
                }
                ReadableText {
                    id: answerWord

                    objectName: "answerWord"
                    text: root.model.answer
                    font.family: Theme.serifFontFamily
                    font.pixelSize: 48
                    font.bold: true
                    color: Theme.answerColor(root.model.answer)
                }
            }
        }

        Column {
            width: row.width - left.width - row.spacing
            spacing: 20

            ReadableText {
                objectName: "quotedQuestion"
                visible: root.model.quotedQuestion.length > 0
                width: parent.width
                text: root.model.quotedQuestion
                font.family: Theme.body.family
                font.pixelSize: Theme.body.pixelSize
                font.italic: true
                color: Theme.textSecondary
                wrapMode: Text.Wrap
            }
            Rectangle {
                width: parent.width
                height: explanation.implicitHeight + 2 * Theme.defaultPadding
                radius: 12
                color: Theme.alpha(Theme.surface, 0.3)

                ReadableText {
                    id: explanation

                    objectName: "answerExplanation"
                    x: Theme.defaultPadding
                    y: Theme.defaultPadding
                    width: parent.width - 2 * Theme.defaultPadding
                    text: root.model.explanation
                    font: Theme.body
                    color: Theme.textPrimary
                    wrapMode: Text.WordWrap
                    lineHeightMode: Text.FixedHeight
                    lineHeight: bodyMetrics.height + 4
                }
            }
            Rectangle {
                width: parent.width
                height: meaning.implicitHeight + 2 * Theme.defaultPadding
                radius: 12
                color: Theme.alpha(Theme.surface, 0.2)

                CardMeaningView {
                    id: meaning

                    x: Theme.defaultPadding
                    y: Theme.defaultPadding
                    width: parent.width - 2 * Theme.defaultPadding
                    card: root.model.drawnCard
                    isReversed: root.model.isReversed
                    positionId: "answer"
                    textAbove: root.model.explanation
                }
            }
        }
    }
}
