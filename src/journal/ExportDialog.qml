import QtQuick
import Quillmoor.Ui
import Quillmoor.Journal

// The save dialog of an export: shown while the exporter waits for a destination, suggesting
// "Quillmoor-Journal." with the format's extension and offering only the format's type.
SaveFileDialog {
    id: root

    required property JournalExporter exporter

    objectName: "exportDialog"
    title: qsTr("Export Journal")
    currentFolder: root.exporter.startFolder
    nameFilters: root.exporter.nameFilters
    defaultSuffix: root.exporter.fileExtension
    onAccepted: root.exporter.save(root.selectedFile)
    onRejected: root.exporter.cancel()

    readonly property Connections phaseWatcher: Connections {
        target: root.exporter

        function onPhaseChanged() {
            if (root.exporter.phase === JournalExporter.ChoosingFile) {
                root.selectedFile = root.exporter.proposedFile(root.currentFolder);
                root.open();
            }
        }
    }
}
