import QtQuick
import QtQuick.Dialogs
import Quillmoor.Catalogue
import Quillmoor.Cards

// Asks where to save the share picture and writes it there.
FileDialog {
    id: root

    required property PictureSharer sharer
    required property tarotCard card

    title: qsTr("Save Picture")
    fileMode: FileDialog.SaveFile
    nameFilters: [qsTr("PNG pictures (*.png)")]
    defaultSuffix: "png"
    selectedFile: "file:///" + root.sharer.suggestedFileName(root.card)
    onAccepted: root.sharer.saveTo(root.selectedFile)
}
