import QtQuick
import Quillmoor.Catalogue
import Quillmoor.Cards

// One card's picture as large as the window allows on black. Any click or Escape closes it
// by emitting dismissed(); the presenter does the closing.
Rectangle {
    id: root

    property tarotCard card
    property bool isReversed: false

    signal dismissed

    color: "black"
    focus: true
    Keys.onEscapePressed: root.dismissed()

    MouseArea {
        objectName: "backdrop"
        anchors.fill: parent
        onClicked: root.dismissed()
    }

    Image {
        id: picture
        objectName: "picture"
        visible: picture.status === Image.Ready
        anchors.fill: parent
        anchors.margins: 40
        source: CardStyle.faceImage(root.card)
        fillMode: Image.PreserveAspectFit
        rotation: root.isReversed ? 180 : 0
    }

    SymbolImage {
        objectName: "photoSymbol"
        visible: picture.status !== Image.Ready
        anchors.centerIn: parent
        name: "photo"
        size: Theme.largeTitleSerifBold.pixelSize
        color: Theme.textSecondary
    }
}
