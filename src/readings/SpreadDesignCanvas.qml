pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Readings

// The layout of a spread being designed: an outline for each position on a faint grid. A card
// is moved by dragging it, or, once it has the focus, by the arrow keys (one grid step; with
// Shift a fine step); R turns it a quarter and Delete removes it. The view only shows the
// places: SpreadEditorModel snaps, limits and remembers every move.
Rectangle {
    id: root

    required property SpreadEditorModel editor

    // Layout points to pixels: the whole room cards may be placed in fits the width.
    readonly property real pixelsPerPoint: root.width / (2 * root.editor.reachAcross + root.editor.cardWidth)

    function focusCard(index: int) {
        const outline = outlines.itemAt(index);
        if (outline)
            outline.forceActiveFocus(Qt.TabFocusReason);
    }

    objectName: "spreadDesignCanvas"
    implicitHeight: (2 * root.editor.reachDown + root.editor.cardHeight) * root.pixelsPerPoint
    radius: 12
    color: Theme.alpha(Theme.surfaceDeep, 0.6)
    border.width: 1
    border.color: Theme.alpha(Theme.accent, 0.3)
    clip: true

    // The grid, one line every four steps so that it stays faint.
    Repeater {
        model: root.width > 0 ? Math.floor(root.width / (120 * root.pixelsPerPoint)) + 1 : 0

        delegate: Rectangle {
            required property int index

            x: root.width / 2 + (index - Math.floor(root.width / (240 * root.pixelsPerPoint))) * 120 * root.pixelsPerPoint
            width: 1
            height: root.height
            color: Theme.alpha(Theme.accent, 0.08)
        }
    }
    Repeater {
        model: root.width > 0 ? Math.floor(root.height / (120 * root.pixelsPerPoint)) + 1 : 0

        delegate: Rectangle {
            required property int index

            y: root.height / 2 + (index - Math.floor(root.height / (240 * root.pixelsPerPoint))) * 120 * root.pixelsPerPoint
            width: root.width
            height: 1
            color: Theme.alpha(Theme.accent, 0.08)
        }
    }

    Text {
        anchors.centerIn: parent
        visible: root.editor.count === 0
        width: parent.width - 40
        horizontalAlignment: Text.AlignHCenter
        text: qsTr("No positions yet. Add one below, or start from one of the spreads above.")
        font: Theme.body
        color: Theme.textSecondary
        wrapMode: Text.Wrap
    }

    Repeater {
        id: outlines

        model: root.editor

        delegate: Rectangle {
            id: outline

            required property int index
            required property int number
            required property string positionName
            required property real layoutX
            required property real layoutY
            required property real layoutRotation

            readonly property bool selected: root.editor.selectedIndex === outline.index
            // How far the card is being dragged, until it is dropped.
            property point dragged: Qt.point(0, 0)

            objectName: "designCard" + outline.index
            width: root.editor.cardWidth * root.pixelsPerPoint
            height: root.editor.cardHeight * root.pixelsPerPoint
            x: root.width / 2 + outline.layoutX * root.pixelsPerPoint - width / 2 + outline.dragged.x
            y: root.height / 2 + outline.layoutY * root.pixelsPerPoint - height / 2 + outline.dragged.y
            z: outline.selected || drag.active ? 100 : outline.index
            rotation: outline.layoutRotation
            radius: 6
            color: outline.selected ? Theme.alpha(Theme.accent, 0.35) : Theme.alpha(Theme.surface, 0.85)
            border.width: outline.activeFocus ? 3 : outline.selected ? 2 : 1
            border.color: outline.activeFocus ? Theme.focusRingOn(Theme.surface) : Theme.accent
            activeFocusOnTab: true
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Position %1, %2").arg(outline.number)
                                                    .arg(outline.positionName.length > 0 ? outline.positionName
                                                                                         : qsTr("no name yet"))
            Accessible.description: qsTr("Arrow keys move it, Shift for a fine step, R turns it.")

            onActiveFocusChanged: if (outline.activeFocus) root.editor.selectedIndex = outline.index
            Keys.onPressed: (event) => {
                const step = (event.modifiers & Qt.ShiftModifier) ? SpreadEditorModel.FineStep
                                                                  : SpreadEditorModel.GridStep;
                let handled = true;
                if (event.key === Qt.Key_Left)
                    root.editor.moveBy(outline.index, -1, 0, step);
                else if (event.key === Qt.Key_Right)
                    root.editor.moveBy(outline.index, 1, 0, step);
                else if (event.key === Qt.Key_Up)
                    root.editor.moveBy(outline.index, 0, -1, step);
                else if (event.key === Qt.Key_Down)
                    root.editor.moveBy(outline.index, 0, 1, step);
                else if (event.key === Qt.Key_R)
                    root.editor.rotate(outline.index);
                else if (event.key === Qt.Key_Delete)
                    root.editor.removePosition(outline.index);
                else
                    handled = false;
                event.accepted = handled;
            }

            Text {
                anchors.centerIn: parent
                width: parent.width - 6
                horizontalAlignment: Text.AlignHCenter
                text: outline.number + (outline.positionName.length > 0 ? "\n" + outline.positionName : "")
                font: Theme.subheadline
                color: Theme.textPrimary
                wrapMode: Text.WordWrap
                // A long word shrinks to fit rather than breaking in two.
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: 7
                elide: Text.ElideRight
                maximumLineCount: 4
            }

            DragHandler {
                id: drag

                target: null
                onTranslationChanged: if (drag.active) outline.dragged = drag.translation
                onActiveChanged: {
                    if (drag.active) {
                        root.editor.selectedIndex = outline.index;
                        return;
                    }
                    const dropped = outline.dragged;
                    outline.dragged = Qt.point(0, 0);
                    root.editor.moveTo(outline.index, outline.layoutX + dropped.x / root.pixelsPerPoint,
                                       outline.layoutY + dropped.y / root.pixelsPerPoint);
                }
            }
            TapHandler {
                onTapped: outline.forceActiveFocus(Qt.MouseFocusReason)
            }
        }
    }
}
