pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quillmoor.Ui

// One stored reading in the history: the spread's symbol and name, then the answer (and the
// question asked) for a yes/no reading or the number of cards for any other, the day, and a
// star when the reading is starred. A right click asks for the row's menu.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    required property string spreadName
    required property string iconName
    required property string dateText
    required property string answer
    required property string cardCountText
    required property string accessibleName
    required property string notes
    required property bool isFavorite
    property bool selected: false

    // A right click, or the menu key, on the row.
    signal contextMenuRequested(point at)

    focusPolicy: Qt.NoFocus
    leftPadding: Theme.defaultPadding
    rightPadding: Theme.defaultPadding + menuButton.width + 8
    topPadding: 10
    bottomPadding: 10
    Accessible.name: root.accessibleName

    background: Rectangle {
        radius: 10
        color: root.hovered ? Theme.alpha(Theme.surface, 0.45) : Theme.alpha(Theme.surface, 0.3)
        border.width: root.selected ? 2 : 0
        border.color: Theme.alpha(Theme.accent, 0.8)
    }

    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: (point) => root.contextMenuRequested(point.position)
    }

    contentItem: RowLayout {
        spacing: 12

        SymbolImage {
            Layout.preferredWidth: 32
            name: root.iconName
            size: Theme.title3Serif.pixelSize + 5
            color: Theme.accent
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 4

            Text {
                objectName: "rowSpreadName"
                Layout.fillWidth: true
                text: root.spreadName
                font: Theme.title3Serif
                color: Theme.textPrimary
                elide: Text.ElideRight
            }
            Text {
                objectName: "rowAnswer"
                visible: root.answer.length > 0
                text: root.answer
                font: Theme.title2SerifSemibold
                color: Theme.answerColor(root.answer)
            }
            Text {
                objectName: "rowNotes"
                Layout.fillWidth: true
                visible: root.answer.length > 0 && root.notes.length > 0
                text: root.notes
                font.family: Theme.subheadline.family
                font.pixelSize: Theme.subheadline.pixelSize
                font.italic: true
                color: Theme.textSecondary
                elide: Text.ElideRight
                maximumLineCount: 1
            }
            Text {
                objectName: "rowCardCount"
                visible: root.answer.length === 0
                text: root.cardCountText
                font: Theme.subheadline
                color: Theme.alpha(Theme.accent, 0.7)
            }
            Text {
                objectName: "rowDate"
                text: root.dateText
                font: Theme.subheadline
                color: Theme.textSecondary
            }
        }
        SymbolImage {
            objectName: "rowStar"
            visible: root.isFavorite
            name: "star.fill"
            size: Theme.body.pixelSize + 2
            color: Theme.accent
        }
    }

    AbstractButton {
        id: menuButton
        Accessible.onPressAction: Accessibility.press(menuButton)

        objectName: "rowMenuButton"
        anchors.right: parent.right
        anchors.rightMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        padding: 6
        focusPolicy: Qt.NoFocus
        Accessible.role: Accessible.Button
        Accessible.name: qsTr("Actions for %1").arg(root.accessibleName)
        HintToolTip {
            text: qsTr("Open or delete this reading")
        }
        onClicked: root.contextMenuRequested(menuButton.mapToItem(root, menuButton.width / 2, menuButton.height))

        contentItem: SymbolImage {
            name: "ellipsis"
            size: Theme.title3Serif.pixelSize + 3
            color: Theme.textSecondary
        }
        background: Rectangle {
            radius: width / 2
            color: menuButton.hovered ? Theme.alpha(Theme.surface, 0.8) : "transparent"
        }
    }
}
