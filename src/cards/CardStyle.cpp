#include "CardStyle.h"

#include "ResourceLocation.h"
#include "SoundCues.h"
#include "Theme.h"

#include <QMatrix4x4>

#include <cmath>

namespace {

QUrl imageUrl(const QString &name)
{
    const std::optional<QString> path = ResourceLocation().path(name, QStringLiteral("jpg"));
    if (!path)
        return {};
    if (path->startsWith(u':'))
        return QUrl(QStringLiteral("qrc") + *path);
    return QUrl::fromLocalFile(*path);
}

} // namespace

CardMetrics CardStyle::metrics(int size)
{
    return CardMetrics::forSize(static_cast<CardSize::Size>(std::clamp(size, 0, int(CardSize::Large))));
}

QUrl CardStyle::faceImage(const TarotCard &card)
{
    return card.imageName.isEmpty() ? QUrl() : imageUrl(card.imageName);
}

QUrl CardStyle::backImage()
{
    return imageUrl(QStringLiteral("card_back"));
}

QString CardStyle::suitSymbol(const TarotCard &card)
{
    if (card.arcana == Arcana::major || !card.suit)
        return QStringLiteral("star.fill");
    switch (*card.suit) {
    case Suit::wands:
        return QStringLiteral("flame.fill");
    case Suit::cups:
        return QStringLiteral("drop.fill");
    case Suit::swords:
        return QStringLiteral("wind");
    case Suit::pentacles:
        return QStringLiteral("leaf.fill");
    }
    return QStringLiteral("star.fill");
}

QColor CardStyle::suitSymbolColor(const TarotCard &card)
{
    QString palette = QStringLiteral("C4973B");
    if (card.arcana == Arcana::minor && card.suit) {
        switch (*card.suit) {
        case Suit::wands:
            palette = QStringLiteral("D4582A");
            break;
        case Suit::cups:
            palette = QStringLiteral("3B7DD8");
            break;
        case Suit::swords:
            palette = QStringLiteral("8B9DAF");
            break;
        case Suit::pentacles:
            palette = QStringLiteral("4A8C3F");
            break;
        }
    }
    return Theme::hex(palette, 0.6);
}

bool CardStyle::showsReversedMarker(int size, bool isReversed)
{
    return isReversed && metrics(size).showsReversedMarker;
}

QMatrix4x4 CardStyle::flipTransform(double degrees, double width, double height, double perspective)
{
    // Points are moved so the centre is the origin, turned about the y axis, projected with the
    // eye at depth max(w, h) / perspective in front of the card, and moved back.
    const double eye = std::max(width, height) / std::max(perspective, 1e-6);
    QMatrix4x4 projection;
    projection(3, 2) = float(-1.0 / eye);
    QMatrix4x4 turn;
    turn.rotate(float(degrees), 0, 1, 0);
    QMatrix4x4 toCentre;
    toCentre.translate(float(-width / 2), float(-height / 2));
    QMatrix4x4 back;
    back.translate(float(width / 2), float(height / 2));
    return back * projection * turn * toCentre;
}

bool CardStyle::flippedByClick(bool isFlipped)
{
    const bool faceUp = !isFlipped;
    if (faceUp)
        SoundCues::shared().cue(SoundEffect::CardFlip);
    return faceUp;
}
