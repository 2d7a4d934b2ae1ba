import QtQuick
import QtQuick.Controls
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui

// One cell of the library grid: the card's face above its name, centred in the cell. The
// whole cell is the link to the card.
AbstractButton {
    id: root

    required property tarotCard card
    required property string name
    required property int index
    required property int size
    required property real columnWidth
    property bool showsFocus: false

    objectName: "libraryCell_" + root.card.id
    focusPolicy: Qt.NoFocus
    Accessible.role: Accessible.Button
    Accessible.name: root.name
    Accessible.description: root.card.artDescription
    // A screen reader's press opens the card as a click does (without it the press does nothing
    // on the cell, which leaves focus to the grid).
    Accessible.onPressAction: root.clicked()

    Rectangle {
        objectName: "libraryCellFocus"
        x: content.x + face.x - 4
        y: content.y + face.y - 4
        width: face.width + 8
        height: face.height + 8
        radius: face.metrics.cornerRadius + 4
        visible: root.showsFocus
        color: "transparent"
        border.color: Theme.accent
        border.width: 2
    }

    Column {
        id: content

        x: (root.width - root.columnWidth) / 2
        y: 8
        width: root.columnWidth
        spacing: 8

        TarotCardView {
            decorative: true
            id: face

            objectName: "libraryCardFace"
            anchors.horizontalCenter: parent.horizontalCenter
            card: root.card
            size: root.size
        }

        Text {
            width: parent.width
            text: root.name
            font: Theme.subheadline
            color: Theme.textPrimary
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            maximumLineCount: 1
        }
    }
}
