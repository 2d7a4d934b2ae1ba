pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Study

// The Study section: flashcard practice and the seven articles, as a column of large rows
// that each open their screen. The rows carry the menu's own titles, not the articles'.
NavigationPage {
    id: root

    required property ModelContext modelContext

    readonly property StudyMenuModel menu: StudyMenuModel {}
    readonly property StudyDestinations destinations: StudyDestinations {}

    function openFlashcards() {
        root.StackView.view.push(root.destinations.flashcards);
    }
    function openArticle(id: string) {
        root.StackView.view.push(root.destinations.article, { article: root.menu.article(id) });
    }

    objectName: "studyMenuView"
    navigationTitle: qsTr("Study")

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    ScrollView {
        id: scroll

        objectName: "studyMenuScroll"
        anchors.fill: parent
        contentWidth: availableWidth
        ScrollBar.vertical: PageScrollBar {}

        Column {
            id: column

            objectName: "studyMenuColumn"
            x: (scroll.availableWidth - width) / 2
            width: Math.min(650, scroll.availableWidth)
            bottomPadding: 32
            spacing: 20

            ReadableText {
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                topPadding: 16
                text: qsTr("Learn & Practice")
                font: Theme.title2SerifSemibold
                color: Theme.textPrimary
            }

            StudyMenuRow {
                objectName: "flashcardRow"
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                symbol: "rectangle.portrait.on.rectangle.portrait"
                title: qsTr("Flashcard Practice")
                subtitle: qsTr("Test your knowledge of card meanings")
                onClicked: root.openFlashcards()
            }

            Rectangle {
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                height: 1
                color: Theme.alpha(Theme.accent, 0.3)
            }

            ReadableText {
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                text: qsTr("Tarot Education")
                font: Theme.title3Serif
                color: Theme.accent
            }

            Repeater {
                model: ListModel {
                    ListElement {
                        articleId: "getting_started"
                        symbol: "sparkles"
                        title: qsTr("Getting Started")
                        subtitle: qsTr("New to tarot? Start here")
                    }
                    ListElement {
                        articleId: "history"
                        symbol: "book"
                        title: qsTr("History of Tarot")
                        subtitle: qsTr("The origins and evolution of tarot cards")
                    }
                    ListElement {
                        articleId: "major_arcana"
                        symbol: "star.fill"
                        title: qsTr("The Major Arcana")
                        subtitle: qsTr("The 22 cards of the spiritual journey")
                    }
                    ListElement {
                        articleId: "suits"
                        symbol: "square.grid.2x2"
                        title: qsTr("The Four Suits")
                        subtitle: qsTr("Wands, Cups, Swords, and Pentacles")
                    }
                    ListElement {
                        articleId: "court_cards"
                        symbol: "person.3"
                        title: qsTr("Court Cards")
                        subtitle: qsTr("Pages, Knights, Queens, and Kings")
                    }
                    ListElement {
                        articleId: "spreads"
                        symbol: "rectangle.stack"
                        title: qsTr("Reading Spreads")
                        subtitle: qsTr("How to lay out and read the cards")
                    }
                    ListElement {
                        articleId: "reversals"
                        symbol: "arrow.up.arrow.down"
                        title: qsTr("Reversed Cards")
                        subtitle: qsTr("Understanding upside-down meanings")
                    }
                }

                delegate: StudyMenuRow {
                    required property string articleId

                    objectName: "articleRow_" + articleId
                    x: Theme.defaultPadding
                    width: column.width - 2 * Theme.defaultPadding
                    onClicked: root.openArticle(articleId)
                }
            }
        }
    }
}
