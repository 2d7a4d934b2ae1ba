import QtQuick
import QtQuick.Dialogs
import Quillmoor.Cards

// The save dialog every export of the app uses: Qt's own file dialog in save mode, restyled
// to the palette each time it opens so its folder path reads as dark on light never does.
FileDialog {
    id: root

    fileMode: FileDialog.SaveFile
    acceptLabel: qsTr("Save")
    onVisibleChanged: {
        if (root.visible)
            DialogLook.apply(root.parentWindow);
    }
}
