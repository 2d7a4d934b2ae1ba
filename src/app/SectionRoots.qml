import QtQuick
import Quillmoor.Daily
import Quillmoor.Journal
import Quillmoor.App

// The root screen of each section, in sidebar order.
QtObject {
    id: root

    readonly property list<Component> components: [
        Component {
            DailyCardView {
                modelContext: AppState.context
            }
        },
        Component {
            SectionPlaceholder {
                navigationTitle: qsTr("Readings")
            }
        },
        Component {
            SectionPlaceholder {
                navigationTitle: qsTr("Study")
            }
        },
        Component {
            SectionPlaceholder {
                navigationTitle: qsTr("Card Library")
            }
        },
        Component {
            JournalCalendarView {
                modelContext: AppState.context
            }
        }
    ]
}
