import QtQuick
import Quillmoor.Catalogue
import Quillmoor.Ui
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
    Accessible.role: Accessible.Dialog
    Accessible.name: CardStyle.accessibleName(root.card, root.isReversed)
    Keys.onEscapePressed: (event) => {
        event.accepted = true;
        root.dismissed();
    }

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
        // Decoded at the size shown; no picture is asked for before the view has a size.
        source: picture.width > 0 && picture.height > 0 ? CardStyle.faceImage(root.card) : ""
        sourceSize.width: Math.ceil(picture.width)
        sourceSize.height: Math.ceil(picture.height)
        asynchronous: true
        fillMode: Image.PreserveAspectFit
        rotation: root.isReversed ? 180 : 0
    }

    SymbolImage {
        objectName: "photoSymbol"
        visible: picture.status === Image.Null || picture.status === Image.Error
        anchors.centerIn: parent
        name: "photo"
        size: Theme.largeTitleSerifBold.pixelSize
        color: Theme.textSecondary
    }
}
