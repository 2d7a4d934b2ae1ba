import QtQuick
import Quillmoor.Catalogue
import Quillmoor.Cards
import Quillmoor.Ui

// Asks where to save the share picture, starting in the user's Pictures folder, and writes it
// there.
SaveFileDialog {
    id: root

    required property PictureSharer sharer
    required property tarotCard card

    title: qsTr("Save Picture")
    nameFilters: [qsTr("PNG pictures (*.png)")]
    defaultSuffix: "png"
    currentFolder: root.sharer.picturesFolder()
    suggestedFile: root.sharer.picturesFolder() + "/" + root.sharer.suggestedFileName(root.card)
    onAccepted: root.sharer.saveTo(root.selectedFile)
}
