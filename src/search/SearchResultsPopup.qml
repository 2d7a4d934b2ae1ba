pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Search

// The results of the sidebar's search field, over the section beside it, grouped under a
// heading per kind. The field keeps the keyboard and moves the model's current row, which the
// list follows; a click opens a row.
Popup {
    id: root

    required property SearchResultsModel results
    // The height the popup may grow to; it is shorter when the rows fit.
    property real maximumHeight: 600

    // A row was clicked; the results model says where it opens.
    signal chosen(int row)

    readonly property SearchListParts parts: SearchListParts {}

    objectName: "searchResultsPopup"
    focus: false
    closePolicy: Popup.NoAutoClose
    padding: 0
    topPadding: 6
    bottomPadding: 6
    height: Math.min(root.maximumHeight, root.implicitHeight)
    contentHeight: root.results.state === SearchResultsModel.Found ? list.contentHeight : stateText.implicitHeight

    background: Rectangle {
        color: Theme.surfaceDeep
        radius: 10
        border.color: Theme.alpha(Theme.accent, 0.45)
    }

    ReadableText {
        id: stateText

        objectName: "searchStateText"
        width: parent.width
        visible: root.results.state !== SearchResultsModel.Found
        padding: 18
        text: root.results.stateText
        font: Theme.body
        color: Theme.textSecondary
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
        Accessible.role: Accessible.StaticText
        Accessible.name: root.results.stateText
    }

    ListView {
        id: list

        objectName: "searchResultsList"
        anchors.fill: parent
        visible: root.results.state === SearchResultsModel.Found
        clip: true
        model: root.results
        currentIndex: root.results.currentRow
        onCurrentIndexChanged: list.positionViewAtIndex(list.currentIndex, ListView.Contain)
        boundsBehavior: Flickable.StopAtBounds
        highlightMoveDuration: 0
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Search results")
        ScrollBar.vertical: PageScrollBar {}

        section.property: "section"
        section.delegate: root.parts.sectionHeading

        delegate: SearchResultRow {
            width: ListView.view.width
            current: ListView.isCurrentItem
            onChosen: (row) => root.chosen(row)
        }

        Binding {
            target: root.results
            property: "rowsPerPage"
            value: Math.max(1, Math.floor(list.height / 62) - 1)
        }
    }
}
