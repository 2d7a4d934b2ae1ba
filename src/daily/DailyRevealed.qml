pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Store
import Quillmoor.Study
import Quillmoor.Journal
import Quillmoor.Daily

// Today's card face up: the card and its share action on the left, and on the right the
// affirmation, mood, reflection, meaning and questions.
Item {
    id: root

    required property DailyCardViewModel model

    // "Open Full Journal" was clicked; the screen pushes the editor.
    signal journalRequested

    objectName: "dailyRevealed"

    Row {
        anchors.fill: parent

        Item {
            width: 300
            height: parent.height

            Column {
                anchors.horizontalCenter: parent.horizontalCenter
                y: Theme.defaultPadding
                spacing: 20

                TarotCardView {
                    objectName: "dailyCardFace"
                    anchors.horizontalCenter: parent.horizontalCenter
                    card: root.model.todaysCard
                    isReversed: root.model.isReversed
                    size: CardSize.Large
                    tappable: true
                }
                OutlinedCapsuleButton {
                    id: shareButton

                    objectName: "shareCardButton"
                    anchors.horizontalCenter: parent.horizontalCenter
                    symbol: "square.and.arrow.up"
                    text: qsTr("Share Card")
                    onClicked: sharer.render(shareImage)
                }
            }
        }

        Rectangle {
            width: 1
            height: parent.height
            color: Theme.alpha(Theme.accent, 0.4)
        }

        ScrollView {
            id: scroll

            objectName: "dailyReadingScroll"
            width: parent.width - 301
            height: parent.height
            contentWidth: availableWidth
            ScrollBar.vertical.policy: ScrollBar.AlwaysOn

            Column {
                x: 24
                width: scroll.availableWidth - 48
                topPadding: Theme.defaultPadding
                bottomPadding: Theme.defaultPadding
                spacing: 20

                HeaderBand {
                    width: parent.width
                    model: root.model
                }

                Row {
                    anchors.horizontalCenter: parent.horizontalCenter
                    topPadding: 8
                    bottomPadding: 8
                    spacing: 8
                    SymbolImage {
                        anchors.verticalCenter: parent.verticalCenter
                        name: "sparkle"
                        size: 10
                        color: Theme.alpha(Theme.accent, 0.6)
                    }
                    Text {
                        objectName: "affirmation"
                        width: Math.min(implicitWidth, scroll.availableWidth - 120)
                        wrapMode: Text.WordWrap
                        horizontalAlignment: Text.AlignHCenter
                        text: "\u201C" + root.model.todaysCard.affirmation + "\u201D"
                        font.family: Theme.body.family
                        font.pixelSize: Theme.body.pixelSize
                        font.italic: true
                        color: Theme.accent
                    }
                    SymbolImage {
                        anchors.verticalCenter: parent.verticalCenter
                        name: "sparkle"
                        size: 10
                        color: Theme.alpha(Theme.accent, 0.6)
                    }
                }

                Panel {
                    objectName: "moodPanel"
                    visible: root.model.journalEntry !== null
                    width: parent.width
                    spacing: 10

                    Text {
                        text: qsTr("How are you feeling today?")
                        font: Theme.title3Serif
                        color: Theme.textPrimary
                    }
                    FlowLayout {
                        width: parent.width
                        spacing: 8

                        Repeater {
                            model: MoodPalette.moods

                            delegate: MoodChip {
                                required property string modelData

                                mood: modelData
                                selected: root.model.journalEntry !== null && root.model.journalEntry.mood === modelData
                                onClicked: root.model.setMood(modelData)
                            }
                        }
                    }
                }

                Panel {
                    objectName: "reflectionPanel"
                    visible: root.model.journalEntry !== null
                    width: parent.width

                    Text {
                        text: qsTr("Today's Prompt")
                        font: Theme.title3Serif
                        color: Theme.accent
                    }
                    Text {
                        width: parent.width
                        wrapMode: Text.WordWrap
                        text: root.model.todaysCard.journalPrompt
                        font.family: Theme.body.family
                        font.pixelSize: Theme.body.pixelSize
                        font.italic: true
                        color: Theme.textSecondary
                    }
                    ReflectionEditor {
                        objectName: "dailyReflection"
                        width: parent.width
                        placeholder: qsTr("Your thoughts...")
                        minimumHeight: 5 * 18 + 24
                        maximumHeight: 12 * 18 + 24
                        text: root.model.journalEntry ? root.model.journalEntry.reflectionText : ""
                        onEdited: (text) => root.model.setReflection(text)
                    }
                    AbstractButton {
                        id: journalLink

                        objectName: "openFullJournal"
                        padding: 10
                        focusPolicy: Qt.StrongFocus
                        Accessible.name: qsTr("Open Full Journal")
                        contentItem: Row {
                            spacing: 6
                            SymbolImage {
                                anchors.verticalCenter: parent.verticalCenter
                                name: "book"
                                size: 14
                                color: Theme.accent
                            }
                            Text {
                                text: qsTr("Open Full Journal")
                                font: Theme.body
                                color: Theme.accent
                            }
                        }
                        background: Rectangle {
                            radius: 10
                            color: journalLink.hovered ? Theme.alpha(Theme.accent, 0.08) : "transparent"
                            border.width: journalLink.visualFocus ? 2 : 1
                            border.color: Theme.alpha(Theme.accent, journalLink.visualFocus ? 0.9 : 0.3)
                        }
                        onClicked: root.journalRequested()
                    }
                }

                CardMeaningView {
                    width: parent.width
                    card: root.model.todaysCard
                    isReversed: root.model.isReversed
                    positionId: "guidance"
                }

                Panel {
                    objectName: "reflectionQuestions"
                    width: parent.width

                    Row {
                        spacing: 6
                        SymbolImage {
                            anchors.verticalCenter: parent.verticalCenter
                            name: "bubble.left.and.text.bubble.right"
                            size: 15
                            color: Theme.accent
                        }
                        Text {
                            text: qsTr("Reflect")
                            font: Theme.title3Serif
                            color: Theme.accent
                        }
                    }
                    Repeater {
                        model: root.model.todaysCard.reflectionQuestions

                        delegate: Row {
                            id: question

                            required property string modelData

                            width: parent ? parent.width : 0
                            spacing: 8
                            Item {
                                width: 5
                                height: 12
                                Rectangle {
                                    y: 7
                                    width: 5
                                    height: 5
                                    radius: 2.5
                                    color: Theme.alpha(Theme.accent, 0.5)
                                }
                            }
                            Text {
                                width: question.width - 13
                                wrapMode: Text.WordWrap
                                text: question.modelData
                                font: Theme.body
                                color: Theme.textPrimary
                            }
                        }
                    }
                }
            }
        }
    }

    // The share picture is laid out off to the side: it must be in the scene to be rendered.
    ShareCardImage {
        id: shareImage

        x: -width - 100
        card: root.model.todaysCard
        isReversed: root.model.isReversed
    }

    PictureSharer {
        id: sharer

        onPictureChanged: shareMenu.popup(shareButton)
    }

    Menu {
        id: shareMenu

        objectName: "shareMenu"

        MenuItem {
            text: qsTr("Save Picture…")
            onTriggered: saveDialog.open()
        }
        MenuItem {
            text: qsTr("Copy Picture")
            onTriggered: sharer.copyToClipboard()
        }
    }

    // The save dialog is made the first time it is needed.
    Loader {
        id: saveDialog

        function open() {
            if (!saveDialog.item)
                saveDialog.setSource(Qt.resolvedUrl("SavePictureDialog.qml"), { sharer: sharer, card: root.model.todaysCard });
            (saveDialog.item as SavePictureDialog).open();
        }
    }
}
