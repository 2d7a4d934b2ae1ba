import QtQuick
import QtQuick.Dialogs
import Quillmoor.Ui

// The open dialog of the app: Qt's own file dialog for one existing file, restyled to the
// palette each time it opens, as the save dialog is.
FileDialog {
    id: root

    fileMode: FileDialog.OpenFile
    acceptLabel: qsTr("Open")
    onVisibleChanged: {
        if (root.visible)
            DialogLook.apply(root.parentWindow);
    }
}
