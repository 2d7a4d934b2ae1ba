pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.Readings

// The narrative of a reading under its cards. A spread without a narrative shows nothing at
// all. Give it a width: the paragraphs wrap to it.
Rectangle {
    id: root

    required property PositionedCardList cards
    required property string spreadType
    // The name a spread of the user's own design is read under.
    property string spreadName: ""

    objectName: "readingSummary"
    visible: summary.paragraphs.length > 0
    implicitHeight: visible ? column.implicitHeight + 2 * Theme.defaultPadding : 0
    radius: 12
    color: Theme.alpha(Theme.surface, 0.2)

    ReadingSummary {
        id: summary

        cards: root.cards
        spreadType: root.spreadType
        spreadName: root.spreadName
    }

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

        Row {
            spacing: 8

            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                name: "text.book.closed.fill"
                size: Theme.title3Serif.pixelSize
                color: Theme.accent
            }
            ReadableText {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Reading Summary")
                font: Theme.title3Serif
                color: Theme.accent
            }
        }
        Repeater {
            model: summary.paragraphs

            delegate: ReadableText {
                required property string modelData

                objectName: "summaryParagraph"
                width: column.width
                text: modelData
                font: Theme.body
                color: Theme.textPrimary
                wrapMode: Text.WordWrap
                lineHeightMode: Text.FixedHeight
                lineHeight: bodyMetrics.height + 4
            }
        }
    }
}
