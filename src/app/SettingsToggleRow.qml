import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A row with a gold switch. The switch shows `isOn` and only reports the user's wish through
// switched(); the owner decides (a reminder without permission stays off).
Switch {
    id: root

    required property bool isOn
    property bool divider: false

    signal switched(on: bool)

    implicitHeight: 40
    leftPadding: 12
    rightPadding: 12
    checkable: false
    checked: root.isOn
    focusPolicy: Qt.StrongFocus
    Accessible.name: root.text
    Accessible.checkable: true
    Accessible.checked: root.isOn
    Accessible.onPressAction: Accessibility.press(root)
    Accessible.onToggleAction: Accessibility.press(root)
    onClicked: root.switched(!root.isOn)
    Keys.onReturnPressed: root.switched(!root.isOn)
    Keys.onEnterPressed: root.switched(!root.isOn)

    contentItem: Text {
        text: root.text
        font: Theme.body
        color: Theme.textPrimary
        verticalAlignment: Text.AlignVCenter
        rightPadding: 46
    }

    indicator: Rectangle {
        x: root.width - width - root.rightPadding
        y: (root.height - height) / 2
        implicitWidth: 38
        implicitHeight: 22
        radius: height / 2
        color: root.isOn ? Theme.accent : Theme.alpha(Theme.textSecondary, 0.25)

        Rectangle {
            x: root.isOn ? parent.width - width - 2 : 2
            y: 2
            width: parent.height - 4
            height: width
            radius: width / 2
            color: Theme.textPrimary

            Behavior on x {
                NumberAnimation { duration: 120 }
            }
        }
    }

    background: Item {
        SettingsDivider {
            visible: root.divider
        }
        // The keyboard focus ring, drawn inside the row so the panel's edge does not cut it.
        Rectangle {
            anchors { fill: parent; margins: 1 }
            visible: root.visualFocus
            radius: 7
            color: "transparent"
            border.color: Theme.accent
            border.width: 2
        }
    }
}
