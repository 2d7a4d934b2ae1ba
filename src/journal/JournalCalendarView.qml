pragma ComponentBehavior: Bound
import QtQuick
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Journal

// The Journal section: a month of days tinted by mood on the left, the selected day with its
// card, mood, prompt and reflection on the right, and the export menu in the toolbar.
NavigationPage {
    id: root

    required property ModelContext modelContext
    // The day to select when the journal opens ("yyyy-MM-dd"): a search result chosen elsewhere.
    property string openDay

    readonly property JournalCalendarModel model: JournalCalendarModel {
        objectName: "journalCalendarModel"
        modelContext: root.modelContext
    }

    Component.onCompleted: if (root.openDay !== "") root.model.selectIsoDate(root.openDay)

    objectName: "journalCalendarView"
    navigationTitle: qsTr("Journal")
    toolbarItems: [
        ExportMenuButton {
            exporter: root.model.exporter
        }
    ]

    Rectangle {
        anchors.fill: parent
        color: Theme.background
    }

    Row {
        anchors.fill: parent

        CalendarColumn {
            width: 320
            height: parent.height
            model: root.model
        }

        Rectangle {
            width: 1
            height: parent.height
            color: Theme.alpha(Theme.accent, 0.4)
        }

        DayPanel {
            width: parent.width - 321
            height: parent.height
            model: root.model
        }
    }

    ExportDialog {
        exporter: root.model.exporter
    }

    ExportFailedMessage {
        exporter: root.model.exporter
    }

    SavedFileBar {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: Theme.defaultPadding
        notice: root.model.exporter.savedNotice
    }
}
