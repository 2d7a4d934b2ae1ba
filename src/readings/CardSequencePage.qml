pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Catalogue
import Quillmoor.Engine
import Quillmoor.Cards
import Quillmoor.Ui

// One card of a reading on a full page: the face (click for full screen) with its name on the
// left, and on the right the position, keywords, meaning, imagery, questions and affirmation.
Item {
    id: root

    required property tarotCard card
    required property spreadPosition position
    required property bool isReversed
    required property string accessibleName

    CardMeaningModel {
        id: meaning

        card: root.card
        isReversed: root.isReversed
        positionId: root.position.id
    }

    FontMetrics {
        id: bodyMetrics

        font: Theme.body
    }

    Item {
        id: side

        width: 300
        height: parent.height

        Column {
            anchors.centerIn: parent
            width: parent.width - 2 * Theme.defaultPadding
            spacing: 16

            AbstractButton {
                id: faceButton
                Accessible.onPressAction: Accessibility.press(faceButton)

                objectName: "sequenceCardFace"
                anchors.horizontalCenter: parent.horizontalCenter
                implicitWidth: CardStyle.metrics(CardSize.Large).width
                implicitHeight: CardStyle.metrics(CardSize.Large).height
                focusPolicy: Qt.StrongFocus
                Accessible.name: root.accessibleName
                Accessible.description: root.card.artDescription
                onClicked: (faceButton.contentItem as TarotCardView).showFullScreen = true

                contentItem: TarotCardView {
                    decorative: true
                    card: root.card
                    isReversed: root.isReversed
                    size: CardSize.Large
                }

                FocusRing {
                    radius: 18
                }
            }
            Column {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 6

                ReadableText {
                    objectName: "sequenceCardName"
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: root.card.name
                    font: Theme.title3Serif
                    color: Theme.textPrimary
                }
                ReversedBadge {
                    anchors.horizontalCenter: parent.horizontalCenter
                    visible: root.isReversed
                }
            }
        }
    }

    Rectangle {
        id: divider

        anchors.left: side.right
        width: 1
        height: parent.height
        color: Theme.alpha(Theme.accent, 0.4)
    }

    ScrollView {
        id: scroll

        objectName: "sequenceDetailScroll"
        anchors { left: divider.right; right: parent.right; top: parent.top; bottom: parent.bottom }
        contentWidth: availableWidth

        Item {
            width: scroll.availableWidth
            implicitHeight: panel.height + 32

            Rectangle {
                id: panel

                x: 24
                width: parent.width - 24 - 32
                height: details.implicitHeight + 2 * Theme.defaultPadding
                radius: 12
                color: Theme.alpha(Theme.surface, 0.2)

                Column {
                    id: details

                    x: Theme.defaultPadding
                    y: Theme.defaultPadding
                    width: panel.width - 2 * Theme.defaultPadding
                    spacing: 16

                    Column {
                        width: parent.width
                        spacing: 4

                        ReadableText {
                            width: parent.width
                            text: root.card.name
                            font: Theme.largeTitleSerifBold
                            color: Theme.textPrimary
                            wrapMode: Text.WordWrap
                        }
                        ReadableText {
                            objectName: "sequencePositionName"
                            text: root.position.name
                            font: Theme.bodySerif
                            color: Theme.textSecondary
                        }
                    }
                    ReadableText {
                        width: parent.width
                        text: root.position.description
                        font: Theme.body
                        color: Theme.textSecondary
                        wrapMode: Text.WordWrap
                    }
                    FlowLayout {
                        objectName: "sequenceKeywords"
                        width: parent.width
                        spacing: 6

                        Repeater {
                            model: meaning.keywords

                            delegate: Rectangle {
                                id: chip

                                required property string modelData

                                implicitWidth: chipText.implicitWidth + 20
                                implicitHeight: chipText.implicitHeight + 8
                                radius: height / 2
                                color: Theme.alpha(Theme.accent, 0.15)

                                ReadableText {
                                    id: chipText

                                    anchors.centerIn: parent
                                    text: chip.modelData
                                    font: Theme.subheadlineSerifMedium
                                    color: Theme.accent
                                }
                            }
                        }
                    }
                    Column {
                        width: parent.width
                        spacing: 8

                        ReadableText {
                            objectName: "sequenceMeaningTitle"
                            text: meaning.meaningTitle
                            font: Theme.title3Serif
                            color: Theme.accent
                        }
                        ReadableText {
                            objectName: "sequenceMeaning"
                            width: parent.width
                            text: meaning.meaningText
                            font: Theme.body
                            color: Theme.textPrimary
                            wrapMode: Text.WordWrap
                        }
                    }
                    Column {
                        width: parent.width
                        spacing: 8

                        ReadableText {
                            text: qsTr("Card Imagery")
                            font: Theme.title3Serif
                            color: Theme.accent
                        }
                        ReadableText {
                            width: parent.width
                            text: root.card.artDescription
                            font: Theme.body
                            color: Theme.textSecondary
                            wrapMode: Text.WordWrap
                        }
                    }
                    Column {
                        objectName: "sequenceReflect"
                        visible: root.card.reflectionQuestions.length > 0
                        width: parent.width
                        spacing: 8

                        ReadableText {
                            text: qsTr("Reflect")
                            font: Theme.title3Serif
                            color: Theme.accent
                        }
                        Repeater {
                            model: root.card.reflectionQuestions

                            delegate: Row {
                                id: question

                                required property string modelData

                                spacing: 10

                                Item {
                                    width: 5
                                    height: 12

                                    SymbolImage {
                                        y: 7
                                        width: 5
                                        height: 5
                                        name: "circle.fill"
                                        size: 5
                                        color: Theme.alpha(Theme.accent, 0.5)
                                    }
                                }
                                ReadableText {
                                    width: details.width - 15
                                    text: question.modelData
                                    font: Theme.body
                                    color: Theme.textPrimary
                                    wrapMode: Text.WordWrap
                                }
                            }
                        }
                    }
                    Column {
                        width: parent.width
                        spacing: 8

                        SymbolImage {
                            anchors.horizontalCenter: parent.horizontalCenter
                            name: "sparkle"
                            size: Theme.textStyle(Theme.Caption, false).pixelSize
                            color: Theme.alpha(Theme.accent, 0.6)
                        }
                        ReadableText {
                            objectName: "sequenceAffirmation"
                            width: parent.width
                            horizontalAlignment: Text.AlignHCenter
                            wrapMode: Text.WordWrap
                            text: "\"" + root.card.affirmation + "\""
                            font.family: Theme.body.family
                            font.pixelSize: Theme.body.pixelSize
                            font.italic: true
                            color: Theme.accent
                        }
                    }
                }
            }
        }
    }
}
