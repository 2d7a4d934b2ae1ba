pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Journal

// The toolbar's export button and its menu of the three formats.
ToolButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property JournalExporter exporter

    objectName: "exportMenuButton"
    width: 32
    height: 32
    focusPolicy: Qt.StrongFocus
    // Return and Enter click it too, as Space does.
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()
    Accessible.name: qsTr("Export Journal")
    contentItem: SymbolImage {
        name: "square.and.arrow.up"
        size: 18
        color: Theme.accent
    }
    background: Rectangle {
        radius: 6
        color: root.hovered || menu.visible ? Theme.alpha(Theme.surface, 0.5) : "transparent"
        border.width: root.visualFocus ? 2 : 0
        border.color: Theme.accent
    }
    onClicked: menu.open()

    PaletteMenu {
        id: menu

        objectName: "exportMenu"
        y: root.height + 4
        x: root.width - width

        ExportMenuItem {
            objectName: "exportText"
            text: qsTr("Export as Text")
            symbol: "doc.text"
            onTriggered: root.exporter.start(JournalExporter.Text)
        }
        ExportMenuItem {
            objectName: "exportMarkdown"
            text: qsTr("Export as Markdown")
            symbol: "doc.richtext"
            onTriggered: root.exporter.start(JournalExporter.Markdown)
        }
        ExportMenuItem {
            objectName: "exportCsv"
            text: qsTr("Export as CSV")
            symbol: "tablecells"
            onTriggered: root.exporter.start(JournalExporter.Csv)
        }
    }

    // An icon alone does not say what it does: its name shows while the pointer rests on it.
    HintToolTip {
        text: root.Accessible.name
    }
}
