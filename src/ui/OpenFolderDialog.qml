import QtQuick
import QtQuick.Dialogs
import Quillmoor.Ui

// The folder dialog of the app: Qt's own, restyled to the palette each time it opens.
FolderDialog {
    id: root

    acceptLabel: qsTr("Choose")
    onVisibleChanged: {
        if (root.visible)
            DialogLook.apply(root.parentWindow);
    }
}
