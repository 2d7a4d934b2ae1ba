#include "TarotCard.h"

namespace {

template <typename Enum, size_t N>
std::optional<Enum> fromRawValue(const QString &text, const std::array<Enum, N> &cases)
{
    for (Enum value : cases) {
        if (rawValue(value) == text)
            return value;
    }
    return std::nullopt;
}

const QStringList &romanNumerals()
{
    static const QStringList numerals{
        QStringLiteral("0"),    QStringLiteral("I"),    QStringLiteral("II"),    QStringLiteral("III"),
        QStringLiteral("IV"),   QStringLiteral("V"),    QStringLiteral("VI"),    QStringLiteral("VII"),
        QStringLiteral("VIII"), QStringLiteral("IX"),   QStringLiteral("X"),     QStringLiteral("XI"),
        QStringLiteral("XII"),  QStringLiteral("XIII"), QStringLiteral("XIV"),   QStringLiteral("XV"),
        QStringLiteral("XVI"),  QStringLiteral("XVII"), QStringLiteral("XVIII"), QStringLiteral("XIX"),
        QStringLiteral("XX"),   QStringLiteral("XXI"),
    };
    return numerals;
}

} // namespace

QString rawValue(Arcana arcana)
{
    switch (arcana) {
    case Arcana::major:
        return QStringLiteral("major");
    case Arcana::minor:
        return QStringLiteral("minor");
    }
    Q_UNREACHABLE();
}

QString rawValue(Suit suit)
{
    switch (suit) {
    case Suit::wands:
        return QStringLiteral("wands");
    case Suit::cups:
        return QStringLiteral("cups");
    case Suit::swords:
        return QStringLiteral("swords");
    case Suit::pentacles:
        return QStringLiteral("pentacles");
    }
    Q_UNREACHABLE();
}

QString rawValue(YesNoLeaning leaning)
{
    switch (leaning) {
    case YesNoLeaning::yes:
        return QStringLiteral("yes");
    case YesNoLeaning::no:
        return QStringLiteral("no");
    case YesNoLeaning::maybe:
        return QStringLiteral("maybe");
    }
    Q_UNREACHABLE();
}

std::optional<Arcana> arcanaFromRawValue(const QString &text)
{
    return fromRawValue(text, allArcanaCases);
}

std::optional<Suit> suitFromRawValue(const QString &text)
{
    return fromRawValue(text, allSuitCases);
}

std::optional<YesNoLeaning> yesNoLeaningFromRawValue(const QString &text)
{
    // The leaning has no public list of cases; this one is only for decoding.
    static constexpr std::array<YesNoLeaning, 3> leanings{YesNoLeaning::yes, YesNoLeaning::no, YesNoLeaning::maybe};
    return fromRawValue(text, leanings);
}

size_t qHash(Arcana arcana, size_t seed)
{
    return qHash(rawValue(arcana), seed);
}

size_t qHash(Suit suit, size_t seed)
{
    return qHash(rawValue(suit), seed);
}

size_t qHash(YesNoLeaning leaning, size_t seed)
{
    return qHash(rawValue(leaning), seed);
}

size_t qHash(const PositionMeaning &meaning, size_t seed)
{
    return qHashMulti(seed, meaning.upright, meaning.reversed);
}

QString TarotCard::numberLabel() const
{
    if (arcana == Arcana::major)
        return number >= 0 && number < romanNumerals().size() ? romanNumerals().at(number) : QString::number(number);
    switch (number) {
    case 1:
        return QStringLiteral("Ace");
    case 11:
        return QStringLiteral("Page");
    case 12:
        return QStringLiteral("Knight");
    case 13:
        return QStringLiteral("Queen");
    case 14:
        return QStringLiteral("King");
    default:
        return QString::number(number);
    }
}

QString TarotCard::suitLabel() const
{
    if (arcana == Arcana::major)
        return QStringLiteral("Major Arcana");
    if (!suit)
        return QString();
    const QString raw = rawValue(*suit);
    return raw.left(1).toUpper() + raw.mid(1);
}

QString TarotCard::meaningForPosition(const QString &positionId, bool isReversed) const
{
    const auto entry = positionMeanings.constFind(positionId);
    if (entry != positionMeanings.cend())
        return isReversed ? entry->reversed : entry->upright;
    return isReversed ? reversedMeaning : uprightMeaning;
}

size_t qHash(const TarotCard &card, size_t seed)
{
    // Every field in declaration order, so that cards sharing an id but differing elsewhere
    // spread over the table instead of colliding.
    seed = qHashMulti(seed, card.id, card.name, card.arcana);
    seed = card.suit ? qHashMulti(seed, true, *card.suit) : qHash(false, seed);
    seed = qHashMulti(seed, card.number, card.imageName, card.uprightKeywords, card.reversedKeywords,
                      card.uprightMeaning, card.reversedMeaning, card.yesNoLeaning, card.artDescription);
    seed = qHash(card.positionMeanings.size(), seed);
    for (auto entry = card.positionMeanings.cbegin(); entry != card.positionMeanings.cend(); ++entry)
        seed = qHashMulti(seed, entry.key(), entry.value());
    return qHashMulti(seed, card.affirmation, card.reflectionQuestions, card.journalPrompt);
}
