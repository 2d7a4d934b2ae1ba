pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Quillmoor.Ui

// One section's navigation stack: a title bar (back button, the current screen's title and its
// toolbar items) over a stack of screens. Screens push with `StackView.view.push(...)`.
Item {
    id: root

    // The section's root screen, built from its file with these properties when the stack is.
    required property url rootScreen
    required property var rootProperties
    readonly property NavigationPage currentPage: stack.currentItem as NavigationPage
    // The control that last had the focus on each screen, by depth: going back gives it the
    // focus again, so the keyboard continues from where it opened the screen.
    property var focusByDepth: ({})
    property bool restoreFocusAfterPop: false

    // A screen of the stack asked to open a record elsewhere (see NavigationPage).
    signal openRequested(var destination)

    function goBack() {
        if (stack.depth <= 1)
            return;
        const page = stack.currentItem as NavigationPage;
        if (page && page.holdsBack) {
            page.askToLeave();
            return;
        }
        stack.pop();
        root.restoreFocusAfterPop = true;
        if (!stack.busy)
            root.restoreFocus();
    }

    function restoreFocus() {
        root.restoreFocusAfterPop = false;
        const remembered = root.focusByDepth[stack.depth];
        const item = remembered ? remembered.item : null;
        if (item && item.visible && item.enabled)
            item.forceActiveFocus(remembered.fromKeyboard ? Qt.TabFocusReason : Qt.OtherFocusReason);
    }

    // A screen just pushed that gave no control of its own the focus takes it itself: a screen
    // reader then reads its name, and the keyboard starts from its top.
    function focusPushedPage() {
        const window = root.Window.window;
        const page = stack.currentItem;
        if (page && window && !root.isOnCurrentPage(window.activeFocusItem))
            page.forceActiveFocus(Qt.OtherFocusReason);
    }

    function isOnCurrentPage(item: Item): bool {
        for (let it = item; it; it = it.parent)
            if (it === stack.currentItem)
                return true;
        return false;
    }

    objectName: "navigationStack"

    Connections {
        target: root.Window.window

        function onActiveFocusItemChanged() {
            const item = root.Window.window ? root.Window.window.activeFocusItem : null;
            if (item && !stack.busy && root.isOnCurrentPage(item))
                root.focusByDepth[stack.depth] = { item: item, fromKeyboard: (item as Control)?.visualFocus === true };
        }
    }

    Rectangle {
        id: titleBar

        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 48
        color: Theme.background

        ToolButton {
            id: back
            Accessible.onPressAction: Accessibility.press(back)

            objectName: "backButton"
            anchors { left: parent.left; leftMargin: 8; verticalCenter: parent.verticalCenter }
            visible: stack.depth > 1
            width: 32
            height: 32
            Accessible.name: qsTr("Back")
            Accessible.ignored: !back.visible
            HintToolTip {
                text: qsTr("Back")
            }
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
            onClicked: root.goBack()
        }

        ReadableText {
            objectName: "navigationTitle"
            Accessible.role: Accessible.Heading
            Accessible.name: text
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
        onBusyChanged: {
            // After the screen coming back has taken the focus it takes on activation.
            if (!stack.busy && root.restoreFocusAfterPop)
                focusAfterActivation.start();
            else if (!stack.busy)
                root.focusPushedPage();
        }
        onDepthChanged: {
            // A screen pushed again starts with no remembered focus of its own.
            for (const depth in root.focusByDepth)
                if (Number(depth) > stack.depth)
                    delete root.focusByDepth[depth];
        }
    }

    Component.onCompleted: {
        const page = stack.push(root.rootScreen, root.rootProperties, StackView.Immediate) as NavigationPage;
        if (page)
            page.openRequested.connect(root.openRequested);
    }

    Timer {
        id: focusAfterActivation

        interval: 0
        onTriggered: root.restoreFocus()
    }

    Shortcut {
        sequence: "Alt+Left"
        enabled: stack.depth > 1
        onActivated: root.goBack()
    }

    // Escape from anywhere in the section (a pushed screen or its toolbar) goes back too.
    Keys.onEscapePressed: (event) => {
        if (stack.depth > 1)
            root.goBack();
        else
            event.accepted = false;
    }
}
