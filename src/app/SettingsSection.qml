import QtQuick
import Quillmoor.Ui

// One section of the settings list: a gold header, its rows together on one soft panel and an
// optional footer.
Column {
    id: root

    required property string title
    property string footer: ""
    default property alias rows: group.data

    spacing: 6

    ReadableText {
        leftPadding: 4
        text: root.title
        font: Theme.subheadline
        color: Theme.accent
    }

    Rectangle {
        width: root.width
        height: group.height
        radius: 8
        color: Theme.alpha(Theme.surface, 0.3)

        Column {
            id: group

            width: parent.width
        }
    }

    ReadableText {
        visible: root.footer !== ""
        width: root.width
        leftPadding: 4
        rightPadding: 4
        text: root.footer
        wrapMode: Text.Wrap
        font: Theme.subheadline
        color: Theme.textSecondary
    }
}
