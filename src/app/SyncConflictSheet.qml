pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.App
import Quillmoor.Sync

// One text changed on two computers while they were apart: both versions side by side, to keep
// one of them or a merge of the two. Escape or "Later" leaves both as they are.
Popup {
    id: root

    required property SyncController sync
    property int index: -1
    property string heading
    property string kept
    property string other
    property string problem

    function show(index: int, conflict: var) {
        root.index = index;
        root.heading = conflict.title ?? "";
        root.kept = conflict.kept ?? "";
        root.other = conflict.other ?? "";
        root.problem = "";
        merged.text = root.kept + "\n\n" + root.other;
        root.open();
    }
    function keep(text: string) {
        root.problem = root.sync.resolve(root.index, text);
        if (root.problem === "")
            root.close();
    }

    objectName: "syncConflictSheet"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(720, parent ? parent.width - 48 : 720)
    height: Math.min(implicitHeight, parent ? parent.height - 48 : implicitHeight)
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: 24

    Overlay.modal: Rectangle {
        color: Qt.rgba(0, 0, 0, 0.5)
    }

    background: Rectangle {
        color: Theme.background
        radius: 12
        border.color: Theme.alpha(Theme.accent, 0.4)
    }

    Flickable {
        anchors.fill: parent
        clip: true
        contentHeight: sheetColumn.height
        implicitHeight: sheetColumn.height
        boundsBehavior: Flickable.StopAtBounds

        Column {
            id: sheetColumn

            width: parent.width
            spacing: 12

            ReadableText {
                width: parent.width
                text: root.heading
                font: Theme.title3Serif
                color: Theme.textPrimary
                wrapMode: Text.WordWrap
            }
            ReadableText {
                width: parent.width
                text: qsTr("This text was changed on two computers while they were apart. Both versions are kept "
                           + "until you choose one, or a merge of the two.")
                font: Theme.body
                color: Theme.textSecondary
                wrapMode: Text.WordWrap
            }
            Row {
                width: parent.width
                spacing: 12

                Repeater {
                    model: [
                        { label: qsTr("Shown now"), text: root.kept, button: qsTr("Keep This One"), name: "Kept" },
                        { label: qsTr("The other version"), text: root.other, button: qsTr("Keep This One"),
                          name: "Other" }
                    ]

                    delegate: Column {
                        id: version

                        required property var modelData

                        width: (sheetColumn.width - 12) / 2
                        spacing: 6

                        ReadableText {
                            text: version.modelData.label
                            font: Theme.subheadline
                            color: Theme.accent
                        }
                        Rectangle {
                            width: parent.width
                            height: Math.min(versionText.implicitHeight + 16, 180)
                            radius: 8
                            color: Theme.alpha(Theme.surface, 0.3)
                            clip: true

                            ReadableText {
                                id: versionText

                                x: 8
                                y: 8
                                width: parent.width - 16
                                text: version.modelData.text
                                font: Theme.body
                                color: Theme.textPrimary
                                wrapMode: Text.WordWrap
                                Accessible.name: version.modelData.label + ": " + version.modelData.text
                            }
                        }
                        TextButton {
                            objectName: "syncKeep" + version.modelData.name
                            text: version.modelData.button
                            Accessible.name: qsTr("Keep %1").arg(version.modelData.label)
                            onClicked: root.keep(version.modelData.text)
                        }
                    }
                }
            }
            ReadableText {
                text: qsTr("Or merge them")
                font: Theme.subheadline
                color: Theme.accent
            }
            ScrollView {
                width: parent.width
                height: 140

                TextArea {
                    id: merged

                    objectName: "syncMergedText"
                    wrapMode: TextEdit.Wrap
                    font: Theme.body
                    color: Theme.textPrimary
                    selectionColor: Theme.alpha(Theme.accent, 0.5)
                    Accessible.name: qsTr("The merged text")
                    KeyNavigation.priority: KeyNavigation.BeforeItem
                    KeyNavigation.tab: keepMerged
                    background: Rectangle {
                        radius: 8
                        color: Theme.alpha(Theme.textPrimary, 0.12)
                        border.width: merged.activeFocus ? 2 : 0
                        border.color: Theme.accent
                    }
                }
            }
            ReadableText {
                width: parent.width
                visible: root.problem !== ""
                text: root.problem
                font: Theme.subheadline
                color: Theme.textSecondary
                wrapMode: Text.WordWrap
            }
            Row {
                anchors.right: parent.right
                spacing: 8

                TextButton {
                    objectName: "syncConflictLater"
                    text: qsTr("Later")
                    onClicked: root.close()
                }
                TextButton {
                    id: keepMerged

                    objectName: "syncKeepMerged"
                    text: qsTr("Keep the Merge")
                    onClicked: root.keep(merged.text)
                }
            }
        }
    }
}
