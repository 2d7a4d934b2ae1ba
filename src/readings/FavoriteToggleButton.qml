import QtQuick
import QtQuick.Controls
import Quillmoor.Ui
import Quillmoor.Store
import Quillmoor.Readings

// The star of a stored reading: filled while it is a favourite. Pressing it stars or unstars
// the reading and saves.
AbstractButton {
    id: root
    Accessible.onPressAction: Accessibility.press(root)

    property Reading reading
    property real size: 24

    objectName: "favoriteToggleButton"
    padding: 4
    focusPolicy: Qt.StrongFocus
    Accessible.name: toggle.isFavorite ? qsTr("Remove from saved readings") : qsTr("Save reading")
    Accessible.checkable: true
    Accessible.checked: toggle.isFavorite

    FavoriteToggle {
        id: toggle

        reading: root.reading
    }

    contentItem: SymbolImage {
        objectName: "favoriteSymbol"
        name: toggle.symbolName
        size: root.size
        color: Theme.accent

        Behavior on name {
            SequentialAnimation {
                NumberAnimation { target: root.contentItem; property: "scale"; to: 0.6; duration: 90 }
                PropertyAction {}
                NumberAnimation { target: root.contentItem; property: "scale"; to: 1; duration: 120 }
            }
        }
    }
    background: Rectangle {
        radius: 6
        color: root.hovered ? Theme.alpha(Theme.surface, 0.5) : "transparent"
    }

    FocusRing {
        radius: 8
    }
    onClicked: toggle.toggle()

    // An icon alone does not say what it does: its name shows while the pointer rests on it.
    HintToolTip {
        text: root.Accessible.name
    }
}
