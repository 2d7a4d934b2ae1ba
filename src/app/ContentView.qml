import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.App

// The main window's content: the sidebar of sections and the selected section's navigation
// stack, plus the settings sheet.
Item {
    id: root

    objectName: "contentView"

    readonly property ContentViewModel model: ContentViewModel {}
    // The root screen of each section, in sidebar order.
    readonly property list<Component> sectionRoots: [
        Component {
            SectionPlaceholder {
                navigationTitle: root.model.rootTitle(0)
            }
        },
        Component {
            SectionPlaceholder {
                navigationTitle: root.model.rootTitle(1)
            }
        },
        Component {
            SectionPlaceholder {
                navigationTitle: root.model.rootTitle(2)
            }
        },
        Component {
            SectionPlaceholder {
                navigationTitle: root.model.rootTitle(3)
            }
        },
        Component {
            SectionPlaceholder {
                navigationTitle: root.model.rootTitle(4)
            }
        }
    ]

    // Every appearance makes sure a settings record exists.
    Component.onCompleted: AppState.ensureAppSettings()

    Shortcut {
        sequence: "Ctrl+,"
        onActivated: root.model.showSettings = true
    }

    SplitView {
        anchors.fill: parent
        orientation: Qt.Horizontal

        handle: Rectangle {
            implicitWidth: 1
            color: Theme.hex("2D1B69")
        }

        Sidebar {
            SplitView.minimumWidth: 180
            SplitView.preferredWidth: 200
            SplitView.maximumWidth: 240
            model: root.model
        }

        Item {
            id: detail

            objectName: "detailColumn"
            SplitView.fillWidth: true

            // The detail is rebuilt from scratch whenever its identity changes.
            property string shownDetailId: ""

            Loader {
                id: detailLoader

                anchors.fill: parent
                active: detail.shownDetailId === root.model.detailId
                sourceComponent: root.model.selectedSection < 0 ? noSelection : sectionStack
            }

            Connections {
                target: root.model
                function onDetailIdChanged() {
                    detail.shownDetailId = "";
                    detail.shownDetailId = root.model.detailId;
                }
            }
            Component.onCompleted: shownDetailId = root.model.detailId
        }
    }

    Component {
        id: sectionStack
        NavigationStack {
            rootComponent: root.sectionRoots[root.model.selectedSection]
        }
    }

    Component {
        id: noSelection
        Rectangle {
            color: Theme.hex("1A1A2E")
            Text {
                anchors.centerIn: parent
                text: qsTr("Select a section")
                font: Theme.title2SerifSemibold
                color: Theme.hex("D0C4B8")
            }
        }
    }

    SettingsSheet {
        open: root.model.showSettings
        onClosed: root.model.showSettings = false
    }
}
