pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Cards

// One section's navigation stack: a title bar (back button, the current screen's title and its
// toolbar items) over a stack of screens. Screens push with `StackView.view.push(...)`.
Item {
    id: root

    // The section's root screen, built from its file with these properties when the stack is.
    required property url rootScreen
    required property var rootProperties
    readonly property NavigationPage currentPage: stack.currentItem as NavigationPage

    objectName: "navigationStack"

    Rectangle {
        id: titleBar

        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 48
        color: Theme.background

        ToolButton {
            id: back

            objectName: "backButton"
            anchors { left: parent.left; leftMargin: 8; verticalCenter: parent.verticalCenter }
            visible: stack.depth > 1
            width: 32
            height: 32
            Accessible.name: qsTr("Back")
            contentItem: SymbolImage {
                name: "chevron.left"
                size: 20
                color: Theme.accent
            }
            focusPolicy: Qt.StrongFocus
            Keys.onReturnPressed: back.clicked()
            Keys.onEnterPressed: back.clicked()
            background: Item {
                Rectangle {
                    anchors.fill: parent
                    radius: 6
                    color: back.hovered ? Theme.alpha(Theme.surface, 0.5) : "transparent"
                }
                FocusRing {
                    control: back
                    radius: 8
                }
            }
            onClicked: stack.pop()
        }

        Text {
            objectName: "navigationTitle"
            anchors { left: back.visible ? back.right : parent.left; leftMargin: back.visible ? 8 : Theme.defaultPadding; verticalCenter: parent.verticalCenter }
            text: root.currentPage ? root.currentPage.navigationTitle : ""
            font: Theme.title2SerifSemibold
            color: Theme.textPrimary
            elide: Text.ElideRight
            width: Math.max(0, toolbar.x - x - 8)
        }

        Row {
            id: toolbar

            anchors { right: parent.right; rightMargin: Theme.defaultPadding; verticalCenter: parent.verticalCenter }
            spacing: 8
            children: root.currentPage ? root.currentPage.toolbarItems : []
        }

        Rectangle {
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            height: 1
            color: Theme.alpha(Theme.surface, 0.6)
        }
    }

    StackView {
        id: stack

        objectName: "stackView"
        anchors { left: parent.left; right: parent.right; top: titleBar.bottom; bottom: parent.bottom }
        clip: true
    }

    Component.onCompleted: stack.push(root.rootScreen, root.rootProperties, StackView.Immediate)

    Shortcut {
        sequence: "Alt+Left"
        enabled: stack.depth > 1
        onActivated: stack.pop()
    }

    // Escape from anywhere in the section (a pushed screen or its toolbar) goes back too.
    Keys.onEscapePressed: (event) => {
        if (stack.depth > 1)
            stack.pop();
        else
            event.accepted = false;
    }
}
