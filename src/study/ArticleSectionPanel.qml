pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui

// One section of an article: its heading and body on a soft panel, with the small face of the
// card it names to the left, aligned with the top (the face opens the card full screen).
// Without a card the text starts at the panel's padding.
Rectangle {
    id: root

    required property string heading
    required property string body
    required property bool hasCard
    required property tarotCard card
    required property int index

    implicitHeight: Math.max(texts.implicitHeight, root.hasCard ? face.height + 4 : 0) + 2 * Theme.defaultPadding
    radius: 12
    color: Theme.alpha(Theme.surface, 0.2)

    FontMetrics {
        id: bodyMetrics
        font: Theme.body
    }

    TarotCardView {
        id: face

        objectName: "sectionCard_" + root.index
        visible: root.hasCard
        x: Theme.defaultPadding
        y: Theme.defaultPadding + 4
        card: root.card
        size: CardSize.Small
        tappable: root.hasCard
    }

    Column {
        id: texts

        objectName: "sectionText_" + root.index
        x: root.hasCard ? face.x + face.width + 16 : Theme.defaultPadding
        y: Theme.defaultPadding
        width: root.width - x - Theme.defaultPadding
        spacing: 8

        ReadableText {
            width: parent.width
            text: root.heading
            font: Theme.title3Serif
            color: Theme.accent
            wrapMode: Text.WordWrap
        }
        ReadableText {
            objectName: "sectionBody_" + root.index
            width: parent.width
            text: root.body
            font: Theme.body
            color: Theme.textPrimary
            wrapMode: Text.WordWrap
            lineHeightMode: Text.FixedHeight
            lineHeight: bodyMetrics.height + 6
        }
    }
}
