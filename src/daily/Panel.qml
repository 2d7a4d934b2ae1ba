import QtQuick
import Quillmoor.Ui

// A soft purple panel holding a left-aligned column.
Rectangle {
    id: root

    default property alias content: column.data
    property alias spacing: column.spacing

    implicitHeight: column.implicitHeight + 2 * Theme.defaultPadding
    radius: 12
    color: Theme.alpha(Theme.surface, 0.2)

    Column {
        id: column

        x: Theme.defaultPadding
        y: Theme.defaultPadding
        width: root.width - 2 * Theme.defaultPadding
        spacing: 12
    }
}
