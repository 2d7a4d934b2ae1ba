import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A multi-line reflection field on a soft cream panel with a gold outline. `edited` reports
// every change the user makes; setting `text` from outside does not report.
Rectangle {
    id: root

    property alias text: area.text
    property string placeholder: ""
    // What a screen reader calls the field.
    property string accessibleName: qsTr("Reflection")
    property real minimumHeight: 100
    property real maximumHeight: 100000
    property alias editorFocus: area.activeFocus

    signal edited(string text)

    function focusEditor() {
        area.forceActiveFocus();
    }

    // Drops everything after the first `length` characters (UTF-16 units) as an edit of the
    // field: the text stays bound to its record and the cursor stays where the user was, or at
    // the new end. The change is reported through `edited` like any other.
    function keepFirst(length: int) {
        if (length < area.length)
            area.remove(length, area.length);
    }

    implicitHeight: Math.min(root.maximumHeight, Math.max(root.minimumHeight, area.implicitHeight + 2))
    height: implicitHeight
    radius: 10
    color: Theme.alpha(Theme.textPrimary, 0.12)
    // A stronger outline while the field has focus, however it got there.
    border.width: area.activeFocus ? 2 : 1
    border.color: Theme.alpha(Theme.accent, area.activeFocus ? 0.9 : 0.5)

    // The text scrolls under the outline, its 12 points of padding scrolling with it, so a line
    // that is scrolled away slips under the border instead of being cut off inside the field.
    Flickable {
        id: flick

        anchors.fill: parent
        anchors.margins: 1
        contentWidth: width
        contentHeight: area.implicitHeight
        clip: true
        boundsBehavior: Flickable.StopAtBounds

        TextArea.flickable: TextArea {
            id: area

            objectName: root.objectName + "Area"
            padding: 11
            wrapMode: TextEdit.Wrap
            font: Theme.body
            color: Theme.textPrimary
            placeholderText: root.placeholder
            Accessible.name: root.accessibleName
            Accessible.description: root.placeholder
            placeholderTextColor: Theme.alpha(Theme.textSecondary, 0.6)
            selectionColor: Theme.alpha(Theme.accent, 0.5)
            background: null
            onTextChanged: if (activeFocus) root.edited(text)
            // Tab moves on to the next control, as everywhere else, instead of typing a tab.
            Keys.onTabPressed: (event) => {
                event.accepted = true;
                area.nextItemInFocusChain(true).forceActiveFocus(Qt.TabFocusReason);
            }
            Keys.onBacktabPressed: (event) => {
                event.accepted = true;
                area.nextItemInFocusChain(false).forceActiveFocus(Qt.BacktabFocusReason);
            }
        }
    }
}
