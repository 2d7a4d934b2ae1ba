import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// The card size control: a three-step slider between a fine and a coarse grid symbol.
Row {
    id: root

    required property real value

    signal moved(real value)

    spacing: 8

    SymbolImage {
        anchors.verticalCenter: parent.verticalCenter
        name: "square.grid.3x3"
        size: Theme.textStyle(Theme.Caption, false).pixelSize
        color: Theme.textSecondary
    }

    Slider {
        id: slider

        objectName: "cardSizeSlider"
        anchors.verticalCenter: parent.verticalCenter
        width: 80
        from: 0
        to: 2
        stepSize: 1
        snapMode: Slider.SnapAlways
        value: root.value
        focusPolicy: Qt.StrongFocus
        Accessible.name: qsTr("Card size")
        onMoved: root.moved(slider.value)

        background: Rectangle {
            x: slider.leftPadding
            y: slider.topPadding + slider.availableHeight / 2 - height / 2
            width: slider.availableWidth
            height: 4
            radius: 2
            color: Theme.alpha(Theme.surface, 0.8)

            Rectangle {
                width: slider.visualPosition * parent.width
                height: parent.height
                radius: 2
                color: Theme.accent
            }
        }
        handle: Rectangle {
            x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
            y: slider.topPadding + slider.availableHeight / 2 - height / 2
            implicitWidth: 16
            implicitHeight: 16
            radius: 8
            color: slider.pressed ? Theme.textSecondary : Theme.textPrimary
            border.width: slider.visualFocus ? 2 : 1
            border.color: Theme.accent
        }
    }

    SymbolImage {
        anchors.verticalCenter: parent.verticalCenter
        name: "square.grid.2x2"
        size: Theme.textStyle(Theme.Caption, false).pixelSize
        color: Theme.textSecondary
    }
}
