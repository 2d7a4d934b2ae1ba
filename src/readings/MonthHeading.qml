import QtQuick
import Quillmoor.Ui

// The heading over one month's readings in the history.
ReadableText {
    required property string section

    topPadding: 10
    bottomPadding: 4
    text: section
    font: Theme.title3Serif
    color: Theme.accent
    Accessible.role: Accessible.Heading
}
