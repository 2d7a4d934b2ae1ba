import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// The personal note's editor: a cream-tinted panel with a thin gold outline, at least 100 high.
// It grows with its text up to `maximumHeight` and scrolls inside beyond that, so that a long
// note is laid out and drawn only where it shows. `edited` reports every change the user
// makes; a new `text` from outside does not report. The arrow keys stay in the editor, even at
// either end of the text, so they never page the card behind it.
Rectangle {
    id: root

    property alias text: area.text
    property real maximumHeight: 420
    readonly property alias editorFocus: area.activeFocus

    signal edited(string text)
    // The cursor moved while typing, in this item's coordinates.
    signal cursorMoved(rect rect)

    implicitHeight: Math.min(root.maximumHeight, Math.max(100, area.implicitHeight + 24))
    radius: 10
    color: Theme.alpha(Theme.textPrimary, 0.12)
    border.width: 1
    border.color: Theme.alpha(Theme.accent, area.activeFocus ? 0.9 : 0.5)

    Flickable {
        id: flick

        objectName: root.objectName + "Scroller"
        anchors.fill: parent
        anchors.margins: 12
        contentWidth: width
        contentHeight: area.implicitHeight
        boundsBehavior: Flickable.StopAtBounds
        clip: true

        ScrollBar.vertical: PageScrollBar {}

        TextArea.flickable: TextArea {
            id: area

            objectName: root.objectName + "Area"
            padding: 0
            wrapMode: TextEdit.Wrap
            font: Theme.body
            color: Theme.textPrimary
            selectionColor: Theme.alpha(Theme.accent, 0.5)
            selectedTextColor: Theme.textPrimary
            background: null
            Accessible.name: qsTr("Your Personal Notes")
            Keys.priority: Keys.AfterItem
            Keys.onPressed: (event) => { event.accepted = event.key === Qt.Key_Left || event.key === Qt.Key_Right; }
            onTextChanged: if (area.activeFocus) root.edited(area.text)
            onCursorRectangleChanged: if (area.activeFocus) root.cursorMoved(area.mapToItem(root, area.cursorRectangle))
        }
    }
}
