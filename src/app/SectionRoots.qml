import QtQuick
import Quillmoor.Daily
import Quillmoor.Readings
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
            ReadingMenuView {
                modelContext: AppState.context
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
            SectionPlaceholder {
                navigationTitle: qsTr("Journal")
            }
        }
    ]
}
