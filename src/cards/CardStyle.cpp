#include "CardStyle.h"

#include "CardPictures.h"
#include "ResourceLocation.h"
#include "SoundCues.h"
#include "Theme.h"

#include <QMatrix4x4>
#include <QQmlEngine>

#include <cmath>

// The pictures are compiled into an object of their own (see CMakeLists.txt); naming its
// initialiser here links it in wherever the card views are.
static void initPictures()
{
    Q_INIT_RESOURCE(quillmoor_pictures);
}

namespace {

QUrl imageUrl(const QString &name, double corner)
{
    static const bool initialised = (initPictures(), true);
    Q_UNUSED(initialised);
    const std::optional<QString> path = ResourceLocation().path(name, QStringLiteral("jpg"));
    return path ? CardPictures::url(*path, corner) : QUrl();
}

} // namespace

CardStyle *CardStyle::create(QQmlEngine *qmlEngine, QJSEngine *)
{
    CardPictureProvider::ensureRegistered(qmlEngine);
    return new CardStyle(nullptr);
}

CardMetrics CardStyle::metrics(int size)
{
    return CardMetrics::forSize(static_cast<CardSize::Size>(std::clamp(size, 0, int(CardSize::Large))));
}

QUrl CardStyle::faceImage(const TarotCard &card, double corner)
{
    return card.imageName.isEmpty() ? QUrl() : imageUrl(card.imageName, corner);
}

bool CardStyle::hasFaceImage(const TarotCard &card)
{
    return !faceImage(card).isEmpty();
}

QUrl CardStyle::backImage(double corner)
{
    return imageUrl(QStringLiteral("card_back"), corner);
}

double CardStyle::cornerFraction(int size)
{
    const CardMetrics m = metrics(size);
    return m.cornerRadius / m.width;
}

QString CardStyle::accessibleName(const TarotCard &card, bool isReversed)
{
    return isReversed ? tr("%1, reversed").arg(card.name) : card.name;
}

QString CardStyle::artCredit()
{
    return tr("Card art: Pamela Colman Smith, 1909 (public domain)");
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
    QMatrix4x4 result = back * projection * turn * toCentre;
    // The card stays flat in the scene: without depth, the near half of the turning card is not
    // cut off by the scene graph's depth range. The perspective lives in w and is kept.
    result.setRow(2, QVector4D(0, 0, 0, 0));
    return result;
}

double CardStyle::faceOpacity(double progress)
{
    // A smooth step across the tenth of the turn around edge-on (81° to 99°).
    const double t = std::clamp((progress - 0.45) / 0.1, 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

bool CardStyle::flippedByClick(bool isFlipped)
{
    const bool faceUp = !isFlipped;
    if (faceUp)
        SoundCues::shared().cue(SoundEffect::CardFlip);
    return faceUp;
}
