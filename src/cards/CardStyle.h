#pragma once

#include "CardSize.h"
#include "TarotCard.h"

#include <QColor>
#include <QMatrix4x4>
#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

// The rules the card views draw by: the metrics of a size, which picture a face or the back
// uses, and the symbol and colour of a face drawn without a picture.
class CardStyle : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString artCredit READ artCredit CONSTANT)
    Q_PROPERTY(double captionTop READ captionTop CONSTANT)

public:
    // The engine's instance; it also gives the engine the card picture provider, which every
    // picture URL below names. (Qt 6.4 uses this factory only when there is no default
    // constructor.)
    static CardStyle *create(QQmlEngine *qmlEngine, QJSEngine *jsEngine);
    explicit CardStyle(QObject *parent) : QObject(parent) {}

    Q_INVOKABLE static CardMetrics metrics(int size);

    // The picture "<imageName>.jpg" among the image resources, as a URL of the card picture
    // provider, or an empty URL when there is no such file (the view then draws the face).
    // `corner` rounds the picture's corners by that fraction of its width. Whether the file
    // exists is looked up on every call; the decoded pictures are cached by the provider.
    Q_INVOKABLE static QUrl faceImage(const TarotCard &card, double corner = 0);
    // Whether the card has a picture file at all.
    Q_INVOKABLE static bool hasFaceImage(const TarotCard &card);
    // "card_back.jpg" likewise.
    Q_INVOKABLE static QUrl backImage(double corner = 0);
    // The corner fraction of a card of `size`: its corner radius over its width.
    Q_INVOKABLE static double cornerFraction(int size);

    // What a card view is called for assistive technology: the card's name, and ", reversed"
    // when it is drawn upside down ("Three of Cups, reversed").
    Q_INVOKABLE static QString accessibleName(const TarotCard &card, bool isReversed);

    // Where the caption band of a card picture begins, as a fraction of the picture's height:
    // the pictures print their card's name in a band along the bottom edge.
    static constexpr double captionTop() { return 0.905; }

    // The credit the card pictures ask for, for the about information.
    static QString artCredit();

    // The symbol of the drawn face: the suit's symbol, a star for the majors and suitless cards.
    Q_INVOKABLE static QString suitSymbol(const TarotCard &card);
    // The suit colour at 60 % opacity; gold for the majors and suitless cards.
    Q_INVOKABLE static QColor suitSymbolColor(const TarotCard &card);

    // The "R" marker: reversed and at a size with room for it.
    Q_INVOKABLE static bool showsReversedMarker(int size, bool isReversed);

    // The face-up flag after a click on a flipping card: toggled. Turning the card face up plays
    // the flip sound; turning it face down is silent.
    Q_INVOKABLE static bool flippedByClick(bool isFlipped);

    // How much of the face shows at `progress` of the turn (0 face down, 1 face up); the back
    // shows the rest. The two cross-fade while the card is nearly edge-on, so neither the back
    // nor the face is seen through the other, and the face never reads mirrored.
    Q_INVOKABLE static double faceOpacity(double progress);

    // The 3-D half turn of a flipping card: `degrees` about the vertical axis through the centre
    // of a width × height card, in perspective with the eye max(width, height) / `perspective`
    // in front of the card.
    Q_INVOKABLE static QMatrix4x4 flipTransform(double degrees, double width, double height, double perspective = 0.5);
};
