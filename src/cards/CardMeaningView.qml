pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Quillmoor.Catalogue
import Quillmoor.Ui
import Quillmoor.Cards

// The compact explanation of one drawn card: name and number, the reversed badge, the spread
// position, keywords, the meaning and the imagery. No background of its own. Give it a width:
// the texts and the keyword chips wrap to it.
ColumnLayout {
    id: root

    property tarotCard card
    property bool isReversed: false
    property string positionName
    property string positionDescription
    property string positionId
    // The text shown just above the view; a meaning it already ends with starts folded.
    property string textAbove

    spacing: 16

    CardMeaningModel {
        id: meaning
        card: root.card
        isReversed: root.isReversed
        positionName: root.positionName
        positionDescription: root.positionDescription
        positionId: root.positionId
        textAbove: root.textAbove
    }

    FontMetrics {
        id: bodyMetrics
        font: Theme.body
    }

    RowLayout {
        Layout.fillWidth: true

        ColumnLayout {
            Layout.alignment: Qt.AlignTop
            spacing: 4

            ReadableText {
                objectName: "cardName"
                text: root.card.name
                font: Theme.title2SerifSemibold
                color: Theme.textPrimary
            }

            Rectangle {
                objectName: "reversedBadge"
                visible: root.isReversed
                implicitWidth: badge.implicitWidth + 16
                implicitHeight: badge.implicitHeight + 6
                radius: height / 2
                color: Theme.reversedBadge

                Row {
                    id: badge
                    anchors.centerIn: parent
                    spacing: 4

                    SymbolImage {
                        anchors.verticalCenter: parent.verticalCenter
                        name: "arrow.trianglehead.2.counterclockwise.rotate.90"
                        size: Theme.textStyle(Theme.Caption2, false).pixelSize
                        color: Theme.textPrimary
                    }

                    ReadableText {
                        text: qsTr("Reversed")
                        font: Theme.subheadline
                        color: Theme.textPrimary
                    }
                }
            }
        }

        Item {
            Layout.fillWidth: true
        }

        ReadableText {
            Layout.alignment: Qt.AlignTop
            text: root.card.numberLabel
            font: Theme.titleSerifBold
            color: Theme.accent
        }
    }

    Rectangle {
        objectName: "positionBox"
        visible: meaning.showsPositionBox
        Layout.fillWidth: true
        implicitWidth: positionRow.implicitWidth + 24
        implicitHeight: positionRow.implicitHeight + 24
        radius: 8
        color: Theme.alpha(Theme.surface, 0.4)

        Row {
            id: positionRow
            x: 12
            y: 12
            spacing: 8

            SymbolImage {
                name: "mappin.circle.fill"
                size: Theme.title3Serif.pixelSize
                color: Theme.accent
            }

            Column {
                spacing: 2

                ReadableText {
                    text: root.positionName
                    font: Theme.title3Serif
                    color: Theme.textPrimary
                }

                ReadableText {
                    objectName: "positionDescription"
                    visible: meaning.showsPositionDescription
                    text: root.positionDescription
                    font: Theme.subheadline
                    color: Theme.textSecondary
                }
            }
        }
    }

    FlowLayout {
        objectName: "keywords"
        Layout.fillWidth: true
        Layout.preferredHeight: implicitHeight
        spacing: 6

        Repeater {
            model: meaning.keywords

            KeywordChip {
                id: chip

                required property string modelData

                text: chip.modelData
            }
        }
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 8

        ReadableText {
            objectName: "meaningTitle"
            visible: !meaning.meaningStartsFolded
            text: meaning.meaningTitle
            font: Theme.title3Serif
            color: Theme.accent
        }

        // When the text above already ended with the meaning, its title opens it on request.
        AbstractButton {
            id: meaningDisclosure
            Accessible.onPressAction: Accessibility.press(meaningDisclosure)

            objectName: "meaningDisclosure"
            visible: meaning.meaningStartsFolded
            checkable: true
            focusPolicy: Qt.StrongFocus
            text: meaning.meaningTitle
            Accessible.role: Accessible.Button
            Accessible.name: meaningDisclosure.text
            Accessible.checkable: true
            Accessible.checked: meaningDisclosure.checked

            contentItem: Row {
                spacing: 6

                SymbolImage {
                    anchors.verticalCenter: parent.verticalCenter
                    name: meaningDisclosure.checked ? "chevron.down" : "chevron.right"
                    size: Theme.subheadline.pixelSize
                    color: Theme.accent
                }
                Text {
                    text: meaningDisclosure.text
                    font: Theme.title3Serif
                    color: Theme.accent
                }
            }

            FocusRing {}
        }

        ReadableText {
            objectName: "meaningText"
            visible: !meaning.meaningStartsFolded || meaningDisclosure.checked
            Layout.fillWidth: true
            text: meaning.meaningText
            font: Theme.body
            color: Theme.textPrimary
            wrapMode: Text.WordWrap
            lineHeightMode: Text.FixedHeight
            lineHeight: bodyMetrics.height + 4
        }
    }

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 8

        ReadableText {
            text: qsTr("About This Card")
            font: Theme.title3Serif
            color: Theme.accent
        }

        ReadableText {
            Layout.fillWidth: true
            text: root.card.artDescription
            font: Theme.body
            color: Theme.textSecondary
            wrapMode: Text.WordWrap
            lineHeightMode: Text.FixedHeight
            lineHeight: bodyMetrics.height + 4
        }
    }
}
