import QtQuick
import Quillmoor.Daily

// Builds one state of the daily screen from its file while `wanted`, and nothing otherwise.
Loader {
    id: root

    required property bool wanted
    required property string file
    required property DailyCardViewModel model

    function reload() {
        if (root.wanted)
            root.setSource(Qt.resolvedUrl(root.file), { model: root.model });
        else
            root.source = "";
    }

    onWantedChanged: reload()
    Component.onCompleted: reload()
}
