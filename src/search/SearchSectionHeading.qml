import QtQuick
import Quillmoor.Ui

// The heading over one kind of search result, with how many there are when not all are shown.
ReadableText {
    required property string section

    objectName: "searchSectionHeading"
    width: ListView.view ? ListView.view.width : implicitWidth
    leftPadding: 18
    topPadding: 8
    bottomPadding: 4
    text: section
    font: Theme.subheadlineSerifSemibold
    color: Theme.accent
    elide: Text.ElideRight
    Accessible.role: Accessible.Heading
    Accessible.name: section
}
