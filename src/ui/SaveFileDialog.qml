import QtQuick
import QtQuick.Dialogs
import Quillmoor.Ui

// The save dialog every export of the app uses: Qt's own file dialog in save mode, restyled
// to the palette each time it opens so its folder path never reads as pale text on white.
// The suggested file is bound here, after the save mode, because a file that does not exist
// yet is a valid choice only once the dialog is in save mode.
FileDialog {
    id: root

    property url suggestedFile

    fileMode: FileDialog.SaveFile
    selectedFile: root.suggestedFile
    acceptLabel: qsTr("Save")
    onVisibleChanged: {
        if (root.visible)
            DialogLook.apply(root.parentWindow);
    }
}
