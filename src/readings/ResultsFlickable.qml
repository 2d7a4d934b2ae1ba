import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// The scrolling column of a reading's results. scrollTo() brings an item of the column to the
// top with a short animation, as far as the content allows.
Flickable {
    id: root

    default property alias content: column.data
    property alias spacing: column.spacing
    property real topPadding: 0
    // Becomes true once the results have been drawn. The rows below the cards are built only
    // then, so the dealt cards appear as soon as the shuffle ends.
    property bool firstFrameShown: false

    function scrollTo(item: Item) {
        const y = item.mapToItem(column, 0, 0).y + column.y;
        scroll.to = Math.max(0, Math.min(y, root.contentHeight - root.height));
        scroll.restart();
    }

    contentWidth: width
    contentHeight: column.implicitHeight + root.topPadding + 32
    boundsBehavior: Flickable.StopAtBounds
    clip: true
    ScrollBar.vertical: PageScrollBar {}

    // The results fade in as the shuffle gives way to them.
    NumberAnimation on opacity {
        from: 0
        to: 1
        duration: 350
        easing.type: Easing.InOutQuad
    }

    Connections {
        target: root.Window.window
        enabled: !root.firstFrameShown

        function onFrameSwapped() {
            rowsAfterFrame.start();
        }
    }

    // Right after the frame, not inside its signal, so nothing holds up its presentation.
    Timer {
        id: rowsAfterFrame

        interval: 0
        onTriggered: root.firstFrameShown = true
    }

    NumberAnimation {
        id: scroll

        target: root
        property: "contentY"
        duration: 350
        easing.type: Easing.InOutQuad
    }

    Column {
        id: column

        x: Theme.defaultPadding
        y: root.topPadding
        width: root.width - 2 * Theme.defaultPadding
    }
}
