pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// One day of the month grid: its number and a mood dot on a tile tinted by the day's entry.
// A leading blank draws nothing. The model decides every colour.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property int index
    required property bool blank
    required property int dayNumber
    required property string dayText
    required property bool isSelected
    required property color fillColor
    required property color outlineColor
    required property color dotColor
    required property color numberColor
    required property string accessibleName
    // The grid has keyboard focus: the selected day shows the focus ring.
    property bool keyboardFocus: false

    objectName: root.blank ? "blankCell" + root.index : "dayCell" + root.dayNumber
    height: 44
    enabled: !root.blank
    focusPolicy: Qt.NoFocus
    Accessible.name: root.accessibleName
    Accessible.selected: root.isSelected
    Accessible.ignored: root.blank

    contentItem: Column {
        visible: !root.blank
        spacing: 2
        topPadding: (root.height - implicitHeight) / 2

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.dayText
            font: Theme.subheadline
            color: root.numberColor
        }
        Rectangle {
            objectName: "moodDot"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 10
            height: 10
            radius: 5
            color: root.dotColor
        }
    }
    background: Rectangle {
        radius: 8
        color: root.fillColor
        border.width: 2
        border.color: root.outlineColor

        Rectangle {
            objectName: "focusRing"
            anchors.fill: parent
            anchors.margins: -3
            radius: 10
            visible: root.keyboardFocus && root.isSelected
            color: "transparent"
            border.width: 2
            border.color: Theme.textPrimary
        }
    }
}
