pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards
import Quillmoor.Ui
import Quillmoor.Study

// The library's grid of card faces with their names, in adaptive columns centred in the width
// with 16 between cells and the default padding around. Cells are reused while scrolling. The
// arrow keys move the current card and Return or Space opens it.
GridView {
    id: root

    required property CardLibraryModel library
    required property AdaptiveColumns columns

    readonly property cardMetrics metrics: CardStyle.metrics(root.library.cardSize)

    signal cardOpened(int index)

    objectName: "libraryGrid"
    clip: true
    reuseItems: true
    model: root.library
    activeFocusOnTab: true
    keyNavigationEnabled: true
    boundsBehavior: Flickable.StopAtBounds
    // Each cell carries half the spacing on every side, so the outer half is taken from the
    // padding; the columns are centred in what is left.
    leftMargin: Theme.defaultPadding - 8 + (root.columns.availableWidth - root.columns.contentWidth) / 2
    topMargin: Theme.defaultPadding - 8
    bottomMargin: Theme.defaultPadding - 8
    cellWidth: root.columns.columnWidth + 16
    cellHeight: root.metrics.height + 8 + nameMetrics.height + 16
    Accessible.role: Accessible.List
    Accessible.name: qsTr("Cards")
    Keys.onReturnPressed: root.cardOpened(root.currentIndex)
    Keys.onEnterPressed: root.cardOpened(root.currentIndex)
    Keys.onSpacePressed: root.cardOpened(root.currentIndex)

    ScrollBar.vertical: PageScrollBar {}

    FontMetrics {
        id: nameMetrics

        font: Theme.subheadline
    }

    delegate: LibraryCardCell {
        id: cell

        width: root.cellWidth
        height: root.cellHeight
        size: root.library.cardSize
        columnWidth: root.columns.columnWidth
        showsFocus: root.activeFocus && GridView.isCurrentItem
        onClicked: root.cardOpened(cell.index)
    }
}
