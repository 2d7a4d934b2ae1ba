import QtQuick
import Quillmoor.Cards
import Quillmoor.Daily

// The pile shuffle of seven cards; when it finishes the day's card is drawn.
ShuffleAnimationView {
    id: root

    required property DailyCardViewModel model

    objectName: "pileShuffle"
    cardCount: 7
    isShuffling: root.model.isShuffling
    onIsShufflingChanged: root.model.isShuffling = root.isShuffling
    onCompleted: root.model.drawWithStoredSetting()
}
