import QtQuick
import Quillmoor.Ui

// The hairline between two rows of one settings section, along the top of its row.
Rectangle {
    x: 12
    width: parent ? parent.width - 24 : 0
    height: 1
    color: Theme.alpha(Theme.textSecondary, 0.15)
}
