import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// A button that is only its gold words, lit on hover, with the focus ring when the keyboard
// reaches it.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    padding: 6
    focusPolicy: Qt.StrongFocus
    Accessible.role: Accessible.Button
    Accessible.name: root.text
    Keys.onReturnPressed: root.clicked()
    Keys.onEnterPressed: root.clicked()

    contentItem: Text {
        text: root.text
        font: Theme.textStyle(Theme.Body, false, Font.Bold)
        color: Theme.accent
        horizontalAlignment: Text.AlignHCenter
    }
    background: Rectangle {
        radius: 6
        color: root.hovered ? Theme.alpha(Theme.accent, 0.15) : "transparent"
    }

    FocusRing {
        radius: 8
    }
}
