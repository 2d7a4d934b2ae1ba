pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Readings

// A card picked by typing: a few letters, a number or "3 cups" list the cards they may mean
// below the field; the arrows move through them and Return takes the highlighted one. With the
// field left, it shows the card it holds.
FocusScope {
    id: root

    // The name of the card the field holds, shown while nobody types.
    property string cardName
    property string placeholderText: qsTr("Type a card’s name or number")
    property string accessibleName

    // A card was chosen.
    signal picked(string cardId)

    readonly property alias choices: choiceList
    readonly property bool listing: field.activeFocus && choiceList.count > 0

    implicitHeight: field.height + (root.listing ? list.height + 4 : 0)
    activeFocusOnTab: true

    // The card just picked was refused: the typed text is selected, so typing starts over.
    function refused() {
        field.selectAll();
    }

    function take(row: int) {
        const id = choiceList.cardIdAt(row);
        if (id.length === 0)
            return;
        choiceList.query = "";
        root.picked(id);
    }

    CardChoices {
        id: choiceList
    }

    TextField {
        id: field

        objectName: root.objectName + "Input"
        width: root.width
        focus: true
        placeholderText: root.placeholderText
        placeholderTextColor: Theme.alpha(Theme.textSecondary, 0.6)
        font: Theme.body
        color: Theme.textPrimary
        selectionColor: Theme.alpha(Theme.accent, 0.5)
        selectedTextColor: Theme.textPrimary
        leftPadding: 12
        rightPadding: 12
        topPadding: 10
        bottomPadding: 10
        Accessible.name: root.accessibleName
        Accessible.description: root.cardName
        background: Rectangle {
            radius: 8
            color: Theme.alpha(Theme.textPrimary, 0.12)
            border.width: field.activeFocus ? 2 : 1
            border.color: field.activeFocus ? Theme.accent : Theme.alpha(Theme.accent, 0.5)
        }
        // Typing starts over; leaving the field shows the card it holds again.
        onActiveFocusChanged: {
            if (field.activeFocus) {
                field.selectAll();
            } else {
                choiceList.query = "";
                field.text = root.cardName;
            }
        }
        onTextEdited: choiceList.query = field.text
        Keys.onDownPressed: choiceList.moveCurrent(1)
        Keys.onUpPressed: choiceList.moveCurrent(-1)
        Keys.onPressed: (event) => {
            if (event.key === Qt.Key_PageDown) {
                choiceList.moveCurrent(choiceList.shownLimit);
                event.accepted = true;
            } else if (event.key === Qt.Key_PageUp) {
                choiceList.moveCurrent(-choiceList.shownLimit);
                event.accepted = true;
            }
        }
        Keys.onReturnPressed: root.take(choiceList.currentRow)
        Keys.onEnterPressed: root.take(choiceList.currentRow)
        // Escape first closes the list; pressed again it leaves the screen.
        Keys.onEscapePressed: (event) => {
            if (choiceList.query.length > 0) {
                choiceList.query = "";
                field.text = root.cardName;
                field.selectAll();
            } else {
                event.accepted = false;
            }
        }
        Component.onCompleted: field.text = root.cardName
    }
    // The held card changed (picked here, or refused and kept): the field shows it.
    onCardNameChanged: if (!field.activeFocus || choiceList.query.length === 0) field.text = root.cardName

    Rectangle {
        id: list

        objectName: root.objectName + "Choices"
        y: field.height + 4
        width: root.width
        height: column.implicitHeight + 8
        visible: root.listing
        radius: 8
        color: Theme.surface
        border.width: 1
        border.color: Theme.alpha(Theme.accent, 0.4)

        Column {
            id: column

            x: 4
            y: 4
            width: parent.width - 8

            Repeater {
                model: choiceList

                delegate: Rectangle {
                    id: choice

                    required property int index
                    required property string name
                    required property string detail

                    objectName: "cardChoice" + index
                    width: column.width
                    height: choiceText.implicitHeight + 12
                    radius: 6
                    color: choice.index === choiceList.currentRow ? Theme.alpha(Theme.accent, 0.3) : "transparent"

                    ReadableText {
                        id: choiceText

                        x: 8
                        anchors.verticalCenter: parent.verticalCenter
                        width: parent.width - 16
                        text: choice.name + "  ·  " + choice.detail
                        font: Theme.body
                        color: Theme.textPrimary
                        elide: Text.ElideRight
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: root.take(choice.index)
                    }
                }
            }
        }
    }
}
