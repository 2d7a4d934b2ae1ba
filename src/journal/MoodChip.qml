import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Store

// One mood word as a capsule; the selected one is filled with its mood colour.
AbstractButton {
    id: root

    required property string mood
    property bool selected: false

    objectName: "moodChip_" + root.mood
    leftPadding: 12
    rightPadding: 12
    topPadding: 6
    bottomPadding: 6
    focusPolicy: Qt.StrongFocus
    // Return and Enter click it too, as Space does.
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()
    Accessible.name: root.mood
    Accessible.checked: root.selected

    contentItem: Text {
        text: root.mood
        font: Theme.subheadline
        color: root.selected ? Theme.background : Theme.textPrimary
    }
    background: Rectangle {
        radius: height / 2
        color: root.selected ? MoodPalette.color(root.mood) : Theme.alpha(Theme.surface, 0.5)

        // The focus ring sits just outside the capsule, so it shows on every fill colour.
        Rectangle {
            objectName: "focusRing"
            anchors.fill: parent
            anchors.margins: -3
            radius: height / 2
            visible: root.visualFocus
            color: "transparent"
            border.width: 2
            border.color: Theme.textPrimary
        }
    }
}
