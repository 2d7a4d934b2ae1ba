import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quillmoor.Ui

// One large row of the study menu: icon, title and subtitle, and a chevron, on a soft panel.
// Activating it opens the row's screen.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property string symbol
    required property string title
    required property string subtitle

    padding: Theme.defaultPadding
    focusPolicy: Qt.StrongFocus
    Accessible.name: root.title
    Accessible.description: root.subtitle
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    contentItem: RowLayout {
        spacing: 16

        SymbolImage {
            Layout.preferredWidth: 36
            name: root.symbol
            size: Theme.title3Serif.pixelSize
            color: Theme.accent
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 4

            Text {
                Layout.fillWidth: true
                text: root.title
                font: Theme.title3Serif
                color: Theme.textPrimary
                elide: Text.ElideRight
            }
            Text {
                Layout.fillWidth: true
                text: root.subtitle
                font: Theme.subheadline
                color: Theme.textSecondary
                elide: Text.ElideRight
            }
        }
        SymbolImage {
            name: "chevron.right"
            size: Theme.body.pixelSize
            color: Theme.textSecondary
        }
    }

    background: Rectangle {
        radius: 12
        color: Theme.alpha(Theme.surface, root.down ? 0.5 : root.hovered ? 0.4 : 0.3)
        border.width: root.visualFocus ? 2 : 0
        border.color: Theme.accent
    }
}
