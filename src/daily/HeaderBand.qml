import QtQuick
import Quillmoor.Ui
import Quillmoor.Daily

// Today's moon phase, the date and, from two days on, the streak.
Rectangle {
    id: root

    required property DailyCardViewModel model

    objectName: "headerBand"
    implicitWidth: row.implicitWidth + 2 * Theme.defaultPadding
    implicitHeight: row.implicitHeight + 2 * Theme.defaultPadding
    radius: 12
    color: Theme.alpha(Theme.surface, 0.3)

    Row {
        id: row

        anchors.centerIn: parent
        spacing: 12

        MoonDisc {
            objectName: "moonDisc"
            anchors.verticalCenter: parent.verticalCenter
            width: 28
            height: 28
            litFraction: root.model.moonPhase.litFraction
            litOnRight: root.model.moonPhase.litOnRight
            litColor: Theme.textPrimary
            darkColor: Theme.alpha(Theme.textSecondary, 0.18)
            Accessible.role: Accessible.Graphic
            Accessible.name: root.model.moonPhase.name
        }
        Column {
            anchors.verticalCenter: parent.verticalCenter
            spacing: 3
            ReadableText {
                objectName: "moonPhaseName"
                text: root.model.moonPhase.name
                font: Theme.title3Serif
                color: Theme.accent
            }
            ReadableText {
                objectName: "todayDate"
                text: root.model.todayText
                font: Theme.body
                color: Theme.textSecondary
            }
        }
        Row {
            objectName: "streak"
            anchors.verticalCenter: parent.verticalCenter
            visible: root.model.currentStreak >= 2
            spacing: 4
            leftPadding: 12
            SymbolImage {
                anchors.verticalCenter: parent.verticalCenter
                name: "flame.fill"
                size: 13
                color: Theme.streakFlame
            }
            ReadableText {
                objectName: "streakText"
                anchors.verticalCenter: parent.verticalCenter
                text: root.model.streakText
                font: Theme.subheadline
                color: Theme.accent
            }
        }
    }
}
