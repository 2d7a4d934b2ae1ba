import QtQuick
import Quillmoor.Cards
import Quillmoor.Daily

// The wash shuffle of fifteen cards; when it finishes the day's card is drawn.
WashShuffleView {
    id: root

    required property DailyCardViewModel model

    objectName: "washShuffle"
    cardCount: 15
    isShuffling: root.model.isWashShuffling
    onIsShufflingChanged: root.model.isWashShuffling = root.isShuffling
    onCompleted: root.model.drawWithStoredSetting()
}
