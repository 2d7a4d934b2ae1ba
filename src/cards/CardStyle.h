#pragma once

#include "CardSize.h"
#include "TarotCard.h"

#include <QColor>
#include <QMatrix4x4>
#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// The rules the card views draw by: the metrics of a size, which picture a face or the back
// uses, and the symbol and colour of a face drawn without a picture.
class CardStyle : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    explicit CardStyle(QObject *parent = nullptr) : QObject(parent) {}

    Q_INVOKABLE static CardMetrics metrics(int size);

    // The picture "<imageName>.jpg" among the image resources, or an empty URL when it is
    // missing; looked up on every call, nothing is cached.
    Q_INVOKABLE static QUrl faceImage(const TarotCard &card);
    // "card_back.jpg", or an empty URL.
    Q_INVOKABLE static QUrl backImage();

    // The symbol of the drawn face: the suit's symbol, a star for the majors and suitless cards.
    Q_INVOKABLE static QString suitSymbol(const TarotCard &card);
    // The suit colour at 60 % opacity; gold for the majors and suitless cards.
    Q_INVOKABLE static QColor suitSymbolColor(const TarotCard &card);

    // The "R" marker: reversed and at a size with room for it.
    Q_INVOKABLE static bool showsReversedMarker(int size, bool isReversed);

    // The face-up flag after a click on a flipping card: toggled. Turning the card face up plays
    // the flip sound; turning it face down is silent.
    Q_INVOKABLE static bool flippedByClick(bool isFlipped);

    // The 3-D half turn of a flipping card: `degrees` about the vertical axis through the centre
    // of a width × height card, in perspective with the eye max(width, height) / `perspective`
    // in front of the card.
    Q_INVOKABLE static QMatrix4x4 flipTransform(double degrees, double width, double height, double perspective = 0.5);
};
