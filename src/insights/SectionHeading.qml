import QtQuick
import Quillmoor.Ui

// The heading of one part of the insights.
ReadableText {
    topPadding: 12
    font: Theme.title3Serif
    color: Theme.accent
    Accessible.role: Accessible.Heading
    Accessible.name: text
}
