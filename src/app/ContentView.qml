pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Ui
import Quillmoor.App
import Quillmoor.Search

// The main window's content: the sidebar of sections, its edge that drags its width, and the
// selected section's navigation stack, plus the settings sheet.
Item {
    id: root

    objectName: "contentView"

    readonly property ContentViewModel model: ContentViewModel {}

    // Every appearance makes sure a settings record exists.
    Component.onCompleted: {
        AppState.ensureAppSettings();
        root.model.watchFirstFrame(root.Window.window);
    }
    Window.onWindowChanged: root.model.watchFirstFrame(root.Window.window)

    // Everything the user wrote, searched from the sidebar's field as it is typed.
    readonly property SearchResultsModel searchResults: SearchResultsModel {
        objectName: "searchResults"
        modelContext: root.model.isWindowShown ? AppState.context : null
        query: sidebar.searchText
    }

    // Not while the settings sheet covers the window: the field would take keys from behind it.
    Shortcut {
        sequence: "Ctrl+K"
        enabled: !root.model.showSettings
        onActivated: sidebar.focusSearch()
    }

    Shortcut {
        sequence: "Ctrl+,"
        onActivated: root.model.showSettings = true
    }

    // A click on the daily reminder asks for the Daily Card.
    Connections {
        target: AppState

        function onSectionRequested(section: int) {
            root.model.showSettings = false
            root.model.selectedSection = section
        }
    }

    Sidebar {
        id: sidebar

        anchors { left: parent.left; top: parent.top; bottom: parent.bottom }
        width: root.model.sidebarWidth
        model: root.model
        onSearchMoved: (step, page) => root.searchResults.moveCurrent(step, page)
        onSearchChosen: root.openSearchResult(root.searchResults.currentRow)
    }

    Rectangle {
        id: edge

        anchors { left: sidebar.right; top: parent.top; bottom: parent.bottom }
        width: 1
        color: Theme.surface

        MouseArea {
            anchors { fill: parent; leftMargin: -3; rightMargin: -3 }
            cursorShape: Qt.SplitHCursor
            onPositionChanged: mouse => root.model.sidebarWidth = mapToItem(root, mouse.x, 0).x
        }
    }

    Item {
        id: detail

        objectName: "detailColumn"
        anchors { left: edge.right; right: parent.right; top: parent.top; bottom: parent.bottom }

        // One stack per detail identity: a new identity discards the old stack with every
        // screen in it and builds the section afresh from its root.
        // The stack is read from its file when first built, so neither it nor the screens it
        // holds are read before the window has shown its first frame.
        Repeater {
            model: root.model.selectedSection < 0 || !root.model.isWindowShown ? [] : [root.model.detailId]

            delegate: Loader {
                id: sectionStack

                required property string modelData
                readonly property var section: root.model.sections[root.model.selectedSection]

                width: detail.width
                height: detail.height
                Component.onCompleted: setSource(Qt.resolvedUrl("NavigationStack.qml"),
                                                 { rootScreen: section.rootScreen,
                                                   rootProperties: Object.assign({ modelContext: AppState.context },
                                                                                 root.model.takeOpening()) })

                Connections {
                    target: sectionStack.item
                    ignoreUnknownSignals: true

                    function onOpenRequested(destination: var) {
                        root.model.open(destination);
                    }
                }
            }
        }

        // Built only while no section is selected, so its font is not loaded for nothing.
        Repeater {
            model: root.model.selectedSection < 0 ? 1 : 0

            delegate: Rectangle {
                width: detail.width
                height: detail.height
                color: Theme.background

                ReadableText {
                    anchors.centerIn: parent
                    text: qsTr("Select a section")
                    font: Theme.title2SerifSemibold
                    color: Theme.textSecondary
                }
            }
        }
    }

    function openSearchResult(row: int) {
        const destination = root.searchResults.destination(row);
        sidebar.leaveSearch();
        root.model.open(destination);
    }

    // The search results are read from their file the first time the search field has the
    // focus, so that the window's first frame does not wait for the controls they use.
    Loader {
        id: searchPopup

        Connections {
            target: sidebar

            function onSearchingChanged() {
                if (sidebar.searching && searchPopup.status === Loader.Null)
                    searchPopup.setSource(Qt.resolvedUrl("../Search/SearchResultsPopup.qml"), {
                        parent: detail,
                        x: 12,
                        y: 8,
                        width: Qt.binding(() => Math.min(680, detail.width - 24)),
                        maximumHeight: Qt.binding(() => detail.height - 16),
                        results: root.searchResults,
                        visible: Qt.binding(() => sidebar.searching)
                    });
            }
        }
        Connections {
            target: searchPopup.item
            ignoreUnknownSignals: true

            function onChosen(row: int) {
                root.openSearchResult(row);
            }
        }
    }

    // The settings sheet is read from its file the first time it opens, then kept.
    Loader {
        id: settings

        Connections {
            target: root.model
            function onShowSettingsChanged() {
                if (root.model.showSettings && settings.status === Loader.Null)
                    settings.setSource(Qt.resolvedUrl("SettingsSheet.qml"), { content: root.model });
            }
        }
    }
}
