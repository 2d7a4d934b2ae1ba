pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Journal
import Quillmoor.Daily

// Today's card face up: the card and its share action on the left, and on the right the
// affirmation, mood, reflection, meaning and questions, kept to a comfortable reading width.
Item {
    id: root

    required property DailyCardViewModel model
    // "Share Card" was pressed: the share picture is built, rendered once its card picture has
    // arrived, and offered in the share menu.
    property bool sharing: false

    // "Open Full Journal" was clicked; the screen pushes the editor.
    signal journalRequested

    objectName: "dailyRevealed"

    FontMetrics {
        id: bodyMetrics

        font: Theme.body
    }

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
                    onClicked: root.sharing = true
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
            ScrollBar.vertical: PageScrollBar {}

            Column {
                id: reading

                // About 75 characters of body text per line, inside the panels' padding.
                readonly property real readingWidth: Math.ceil(bodyMetrics.averageCharacterWidth * 75) + 2 * Theme.defaultPadding

                x: Math.max(24, (scroll.availableWidth - width) / 2)
                width: Math.min(scroll.availableWidth - 48, readingWidth)
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
                    leftPadding: Theme.defaultPadding
                    rightPadding: Theme.defaultPadding
                    spacing: 8
                    SymbolImage {
                        anchors.verticalCenter: parent.verticalCenter
                        name: "sparkle"
                        size: Theme.textStyle(Theme.Caption, false).pixelSize
                        color: Theme.alpha(Theme.accent, 0.6)
                    }
                    ReadableText {
                        objectName: "affirmation"
                        width: Math.min(implicitWidth, reading.width - 2 * (Theme.defaultPadding + 8 + 12))
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
                        size: Theme.textStyle(Theme.Caption, false).pixelSize
                        color: Theme.alpha(Theme.accent, 0.6)
                    }
                }

                Panel {
                    objectName: "moodPanel"
                    visible: root.model.journalEntry !== null
                    width: parent.width
                    spacing: 10

                    ReadableText {
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
                                selected: root.model.entryFields.mood === modelData
                                onClicked: root.model.setMood(modelData)
                            }
                        }
                    }
                }

                Panel {
                    objectName: "reflectionPanel"
                    visible: root.model.journalEntry !== null
                    width: parent.width

                    ReadableText {
                        text: qsTr("Today's Prompt")
                        font: Theme.title3Serif
                        color: Theme.accent
                    }
                    ReadableText {
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
                        minimumHeight: 5 * bodyMetrics.height + 24
                        maximumHeight: 12 * bodyMetrics.height + 24
                        text: root.model.entryFields.reflection
                        onEdited: (text) => root.model.setReflection(text)
                    }
                    AbstractButton {
                        id: journalLink
                        Accessible.onPressAction: Accessibility.press(journalLink)

                        objectName: "openFullJournal"
                        padding: 10
                        focusPolicy: Qt.StrongFocus
                        Accessible.role: Accessible.Link
                        Accessible.name: qsTr("Open Full Journal")
                        Keys.onReturnPressed: journalLink.clicked()
                        Keys.onEnterPressed: journalLink.clicked()
                        contentItem: Row {
                            spacing: 6
                            SymbolImage {
                                anchors.verticalCenter: parent.verticalCenter
                                name: "book"
                                size: 14
                                color: Theme.accent
                            }
                            ReadableText {
                                text: qsTr("Open Full Journal")
                                font: Theme.body
                                color: Theme.accent
                            }
                        }
                        background: Item {
                            Rectangle {
                                anchors.fill: parent
                                radius: 10
                                color: journalLink.hovered ? Theme.alpha(Theme.accent, 0.08) : "transparent"
                                border.width: 1
                                border.color: Theme.alpha(Theme.accent, 0.3)
                            }
                            FocusRing {
                                control: journalLink
                                radius: 14
                            }
                        }
                        onClicked: root.journalRequested()
                    }
                }

                Panel {
                    objectName: "meaningPanel"
                    width: parent.width

                    CardMeaningView {
                        width: parent.width
                        card: root.model.todaysCard
                        isReversed: root.model.isReversed
                        positionId: "guidance"
                    }
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
                        ReadableText {
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
                            ReadableText {
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

    FocusScroller {
        flickable: scroll.contentItem
    }

    // The share picture is built on request and laid out off to the side: it must be in the
    // scene to be rendered.
    Repeater {
        model: root.sharing ? 1 : 0

        delegate: ShareCardImage {
            id: shareImage

            function renderWhenReady() {
                if (shareImage.ready)
                    sharer.render(shareImage);
            }

            x: -width - 100
            card: root.model.todaysCard
            isReversed: root.model.isReversed
            Component.onCompleted: shareImage.renderWhenReady()
            onReadyChanged: shareImage.renderWhenReady()
        }
    }

    PictureSharer {
        id: sharer

        objectName: "pictureSharer"
        onPictureChanged: {
            root.sharing = false;
            shareMenu.open();
        }
    }

    SavedFileBar {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: Theme.defaultPadding
        z: 5
        notice: sharer.savedNotice
    }

    // Opens just below the share button, centred under it.
    PaletteMenu {
        id: shareMenu

        objectName: "shareMenu"
        parent: shareButton
        x: (shareButton.width - width) / 2
        y: shareButton.height + 6

        MenuItem {

            id: savePictureItem

            objectName: "savePictureItem"

            Accessible.onPressAction: Accessibility.press(savePictureItem)
            text: qsTr("Save Picture…")
            onTriggered: saveDialog.open()
        }
        MenuItem {
            id: copyPictureItem
            objectName: "copyPictureItem"
            Accessible.onPressAction: Accessibility.press(copyPictureItem)
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
