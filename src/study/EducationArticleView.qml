pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Catalogue
import Quillmoor.Ui
import Quillmoor.Study

// One education article: its icon and title, then one panel per section. An article without
// sections shows only its header.
NavigationPage {
    id: root

    required property educationArticle article

    readonly property EducationArticleModel panels: EducationArticleModel {
        article: root.article
    }

    objectName: "educationArticleView"
    navigationTitle: root.article.title

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    ScrollView {
        id: scroll

        objectName: "articleScroll"
        anchors.fill: parent
        contentWidth: availableWidth
        ScrollBar.vertical: PageScrollBar {}

        Column {
            id: column

            objectName: "articleColumn"
            width: Math.max(0, Math.min(650, scroll.availableWidth - 64))
            x: (scroll.availableWidth - width) / 2
            bottomPadding: 32
            spacing: 24

            Row {
                objectName: "articleHeader"
                topPadding: 16
                spacing: 8

                SymbolImage {
                    anchors.verticalCenter: parent.verticalCenter
                    anchors.verticalCenterOffset: 8
                    name: root.article.icon
                    size: Theme.title2SerifSemibold.pixelSize
                    color: Theme.accent
                }
                ReadableText {
                    objectName: "articleTitle"
                    text: root.article.title
                    font: Theme.title2SerifSemibold
                    color: Theme.textPrimary
                }
            }

            Repeater {
                model: root.panels

                delegate: ArticleSectionPanel {
                    width: column.width
                }
            }
        }
    }
}
