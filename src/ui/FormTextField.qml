import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A one-line text field of the forms, with what is wrong with its text said under it.
Column {
    id: root

    property alias text: field.text
    property alias placeholderText: field.placeholderText
    property string accessibleName
    property string problem
    property int maximumLength: 120
    readonly property alias field: field

    // The user changed the text.
    signal edited(string text)

    spacing: 4

    TextField {
        id: field

        objectName: root.objectName + "Field"
        width: root.width
        maximumLength: root.maximumLength
        font: Theme.body
        color: Theme.textPrimary
        placeholderTextColor: Theme.alpha(Theme.textSecondary, 0.6)
        selectionColor: Theme.alpha(Theme.accent, 0.5)
        selectedTextColor: Theme.textPrimary
        leftPadding: 12
        rightPadding: 12
        topPadding: 10
        bottomPadding: 10
        Accessible.name: root.accessibleName
        Accessible.description: root.problem
        background: Rectangle {
            radius: 8
            color: Theme.alpha(Theme.textPrimary, 0.12)
            border.width: field.activeFocus || root.problem.length > 0 ? 2 : 1
            border.color: root.problem.length > 0 ? Theme.negative
                                                  : field.activeFocus ? Theme.accent : Theme.alpha(Theme.accent, 0.5)
        }
        onTextEdited: root.edited(field.text)
    }
    Text {
        objectName: root.objectName + "Problem"
        width: root.width
        visible: root.problem.length > 0
        text: root.problem
        font: Theme.subheadline
        color: Theme.negative
        wrapMode: Text.Wrap
    }
}
