pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Readings

// The newest starred readings for quick access, or another short list of readings; each row
// opens its reading.
Rectangle {
    id: root

    required property StarredReadings readings
    property string title: qsTr("Saved Readings")
    property string symbolName: "star.fill"
    property string rowNamePrefix: "savedReadingRow"

    signal readingChosen(Reading reading)

    objectName: "savedReadingsPanel"
    implicitHeight: column.implicitHeight + 24
    radius: 12
    color: Theme.alpha(Theme.surface, 0.3)

    Column {
        id: column

        y: 12
        width: root.width
        spacing: 12

        Row {
            x: Theme.defaultPadding
            spacing: 8

            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                name: root.symbolName
                size: Theme.title3Serif.pixelSize
                color: Theme.accent
            }
            ReadableText {
                anchors.verticalCenter: parent.verticalCenter
                text: root.title
                font: Theme.title3Serif
                color: Theme.textPrimary
            }
        }
        Repeater {
            model: root.readings

            delegate: AbstractButton {
                id: row
                Accessible.onPressAction: Accessibility.press(row)

                required property int index
                required property Reading reading
                required property string spreadName
                required property string iconName
                required property string dateText

                objectName: root.rowNamePrefix + index
                x: Theme.defaultPadding
                width: column.width - 2 * Theme.defaultPadding
                focusPolicy: Qt.StrongFocus
                Accessible.name: row.spreadName + ", " + row.dateText
                onClicked: root.readingChosen(row.reading)

                background: Rectangle {
                    radius: 8
                    color: row.hovered ? Theme.alpha(Theme.surface, 0.4) : "transparent"
                }

                FocusRing {
                    radius: 10
                }

                contentItem: RowLayout {
                    spacing: 12

                    SymbolImage {
                        Layout.preferredWidth: 28
                        name: row.iconName
                        size: Theme.body.pixelSize + 4
                        color: Theme.accent
                    }
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 2

                        Text {
                            objectName: "savedReadingName"
                            Layout.fillWidth: true
                            text: row.spreadName
                            font: Theme.body
                            color: Theme.textPrimary
                        }
                        Text {
                            Layout.fillWidth: true
                            text: row.dateText
                            font: Theme.subheadline
                            color: Theme.textSecondary
                        }
                    }
                    SymbolImage {
                        name: "chevron.right"
                        size: Theme.textStyle(Theme.Caption, false).pixelSize
                        color: Theme.textSecondary
                    }
                }
            }
        }
    }
}
