import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store

// One mood word as a capsule; the selected one is filled with its mood colour. Space and
// Return choose it.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property string mood
    property bool selected: false

    objectName: "moodChip_" + root.mood
    leftPadding: 12
    rightPadding: 12
    topPadding: 6
    bottomPadding: 6
    focusPolicy: Qt.StrongFocus
    Accessible.role: Accessible.Button
    Accessible.name: root.mood
    Accessible.checkable: true
    Accessible.checked: root.selected
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    contentItem: Text {
        text: root.mood
        font: Theme.subheadline
        color: root.selected ? Theme.textOn(MoodPalette.color(root.mood)) : Theme.textPrimary
    }
    background: Item {
        Rectangle {
            anchors.fill: parent
            radius: height / 2
            color: root.selected ? MoodPalette.color(root.mood) : Theme.alpha(Theme.surface, 0.5)
        }
        FocusRing {
            control: root
            radius: height / 2
            fill: root.selected ? MoodPalette.color(root.mood) : "transparent"
        }
    }
}
