pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// The most drawn cards, each a bar of its count with a tick where chance would put it and a
// star when the count beats chance. A row opens the card's detail.
Column {
    id: root

    required property var cards
    readonly property int mostDrawn: cards.length > 0 ? cards[0].count : 1

    signal cardChosen(string cardId)

    spacing: 4

    Repeater {
        model: root.cards

        delegate: AbstractButton {
            id: row
            Accessible.onPressAction: Accessibility.press(row)

            required property int index
            required property var modelData

            objectName: "recurringCard" + index
            width: root.width
            height: 40
            focusPolicy: Qt.StrongFocus
            Accessible.role: Accessible.Button
            Accessible.name: row.modelData.accessibleName
            Keys.onReturnPressed: row.clicked()
            Keys.onEnterPressed: row.clicked()
            onClicked: root.cardChosen(row.modelData.cardId)

            background: Rectangle {
                radius: 8
                color: row.hovered ? Theme.alpha(Theme.accent, 0.12) : "transparent"

                FocusRing {
                    control: row
                    radius: 10
                }
            }
            Text {
                id: name

                anchors { left: parent.left; leftMargin: 8; verticalCenter: parent.verticalCenter }
                width: Math.min(200, parent.width * 0.3)
                text: row.modelData.name
                font: Theme.body
                color: Theme.textPrimary
                elide: Text.ElideRight
            }
            Item {
                id: track

                anchors { left: name.right; leftMargin: 8; right: figures.left; rightMargin: 12
                          verticalCenter: parent.verticalCenter }
                height: 12

                Rectangle {
                    width: track.width * row.modelData.count / root.mostDrawn
                    height: parent.height
                    radius: 3
                    color: row.modelData.marked ? Theme.accent : Theme.alpha(Theme.accent, 0.45)
                }
                // Where chance alone would put the count.
                Rectangle {
                    x: Math.min(track.width, track.width * Number(row.modelData.expected) / root.mostDrawn) - 1
                    y: -4
                    width: 2
                    height: parent.height + 8
                    color: Theme.textSecondary
                }
            }
            Text {
                id: figures

                anchors { right: mark.left; rightMargin: 8; verticalCenter: parent.verticalCenter }
                width: 250
                horizontalAlignment: Text.AlignRight
                text: qsTr("%1 · chance about %2 · %3").arg(row.modelData.count).arg(row.modelData.expected)
                                                     .arg(row.modelData.pText)
                font: Theme.subheadline
                color: Theme.textSecondary
                elide: Text.ElideLeft
            }
            SymbolImage {
                id: mark

                anchors { right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
                width: 18
                size: 16
                name: "star.fill"
                color: Theme.accent
                opacity: row.modelData.marked ? 1 : 0
                Accessible.ignored: true
            }
        }
    }
}
