import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A question of any length: it shows three lines at first and grows to six, then scrolls.
// Tab leaves the field instead of typing a tab.
Rectangle {
    id: root

    property string text
    property string placeholderText: qsTr("What do you want to know?")
    property string accessibleName: qsTr("Your Question")

    // The user changed the text.
    signal edited(string text)

    readonly property real lineHeight: metrics.height

    implicitHeight: Math.max(3 * root.lineHeight, Math.min(6 * root.lineHeight, area.contentHeight)) + 24
    radius: 10
    color: Theme.alpha(Theme.textPrimary, 0.12)
    border.width: 1
    border.color: area.activeFocus ? Theme.accent : Theme.alpha(Theme.accent, 0.5)

    FontMetrics {
        id: metrics

        font: Theme.body
    }

    ScrollView {
        id: scroll

        anchors.fill: parent
        anchors.margins: 12
        contentWidth: availableWidth

        TextArea {
            id: area

            objectName: root.objectName + "TextArea"
            padding: 0
            text: root.text
            placeholderText: root.placeholderText
            placeholderTextColor: Theme.alpha(Theme.textSecondary, 0.6)
            font: Theme.body
            color: Theme.textPrimary
            selectionColor: Theme.alpha(Theme.accent, 0.5)
            selectedTextColor: Theme.textPrimary
            wrapMode: TextEdit.Wrap
            background: null
            Accessible.name: root.accessibleName
            onTextChanged: {
                if (area.text !== root.text)
                    root.edited(area.text);
            }
            Keys.onTabPressed: (event) => {
                const next = area.nextItemInFocusChain(true);
                if (next)
                    next.forceActiveFocus(Qt.TabFocusReason);
                event.accepted = true;
            }
            Keys.onBacktabPressed: (event) => {
                const previous = area.nextItemInFocusChain(false);
                if (previous)
                    previous.forceActiveFocus(Qt.BacktabFocusReason);
                event.accepted = true;
            }
        }
    }
}
