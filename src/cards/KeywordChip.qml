import QtQuick
import Quillmoor.Ui
import Quillmoor.Cards

// One keyword of a card as a gold-tinted capsule, its text lifted enough to read on the tint.
Rectangle {
    id: root

    property alias text: label.text

    implicitWidth: label.implicitWidth + 20
    implicitHeight: label.implicitHeight + 8
    radius: height / 2
    color: Theme.alpha(Theme.accent, 0.15)
    Accessible.role: Accessible.StaticText
    Accessible.name: root.text

    Text {
        id: label

        anchors.centerIn: parent
        font: Theme.subheadlineSerifMedium
        color: Theme.tintedTextOn(Theme.accent, root.color)
        Accessible.ignored: true
    }
}
