import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quillmoor.Ui
import Quillmoor.Readings

// One spread of the menu: its symbol in a circle, its name, a line about it and how many
// cards it uses.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property spreadMenuItem item

    focusPolicy: Qt.StrongFocus
    padding: Theme.defaultPadding
    Accessible.name: root.item.spread.name
    Accessible.description: root.item.subtitle

    background: Rectangle {
        radius: 12
        color: root.hovered ? Theme.alpha(Theme.surface, 0.45) : Theme.alpha(Theme.surface, 0.3)
    }

    FocusRing {
        radius: 16
    }

    contentItem: RowLayout {
        spacing: 16

        Rectangle {
            Layout.alignment: Qt.AlignVCenter
            implicitWidth: 44
            implicitHeight: 44
            radius: 22
            color: Theme.alpha(Theme.surface, 0.5)

            SymbolImage {
                anchors.centerIn: parent
                name: root.item.spread.iconName
                size: Theme.title2SerifSemibold.pixelSize
                color: Theme.accent
            }
        }
        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 4

            Text {
                Layout.fillWidth: true
                text: root.item.spread.name
                font: Theme.title3Serif
                color: Theme.textPrimary
                elide: Text.ElideRight
            }
            Text {
                Layout.fillWidth: true
                visible: text.length > 0
                text: root.item.subtitle
                font: Theme.subheadline
                color: Theme.textSecondary
                wrapMode: Text.WordWrap
            }
            Text {
                objectName: "cardCount"
                text: root.item.cardCountText
                font: Theme.subheadline
                color: Theme.alpha(Theme.accent, 0.7)
            }
        }
        SymbolImage {
            Layout.alignment: Qt.AlignVCenter
            name: "chevron.right"
            color: Theme.textSecondary
        }
    }
}
