#include "CardMatcher.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

// Other names the suits go by in other decks.
QStringList suitWords(Suit suit)
{
    switch (suit) {
    case Suit::wands:
        return {QStringLiteral("wand"), QStringLiteral("wands"), QStringLiteral("rods"), QStringLiteral("staves"),
                QStringLiteral("batons")};
    case Suit::cups:
        return {QStringLiteral("cup"), QStringLiteral("cups"), QStringLiteral("chalices")};
    case Suit::swords:
        return {QStringLiteral("sword"), QStringLiteral("swords"), QStringLiteral("blades")};
    case Suit::pentacles:
        return {QStringLiteral("pentacle"), QStringLiteral("pentacles"), QStringLiteral("coins"),
                QStringLiteral("disks"), QStringLiteral("discs")};
    }
    return {};
}

QStringList wordsOf(const QString &folded)
{
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}\\p{N}]+"));
    return folded.split(separators, Qt::SkipEmptyParts);
}

bool isNumber(const QString &word)
{
    return !word.isEmpty() && std::all_of(word.begin(), word.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

QString CardMatcher::folded(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString result;
    result.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            result += c.toLower();
    return result.simplified();
}

CardMatcher::CardMatcher(const QList<TarotCard> &cards)
{
    m_cards.reserve(cards.size());
    for (const TarotCard &card : cards) {
        Card entry;
        entry.words = wordsOf(folded(card.name));
        entry.numbers.append(QString::number(card.number));
        if (card.arcana == Arcana::major) {
            entry.words.append(QStringLiteral("major"));
            // The Fool's label is "0", already there.
            const QString numeral = folded(card.numberLabel());
            if (!entry.numbers.contains(numeral))
                entry.numbers.append(numeral);
        } else {
            entry.words.append(QStringLiteral("minor"));
            if (card.number == 1)
                entry.words.append(QStringLiteral("one"));
        }
        if (card.suit)
            for (const QString &word : suitWords(*card.suit))
                if (!entry.words.contains(word))
                    entry.words.append(word);
        m_cards.append(entry);
    }
}

QList<int> CardMatcher::match(const QString &typed) const
{
    const QString text = folded(typed);
    const QStringList words = wordsOf(text);
    // Still being typed: the last word, unless a space or a sign follows it (an accent typed
    // on its last letter still counts as the word).
    qsizetype end = typed.size();
    while (end > 0 && typed.at(end - 1).category() == QChar::Mark_NonSpacing)
        --end;
    const bool typing = end > 0 && typed.at(end - 1).isLetterOrNumber();
    struct Fit
    {
        int index;
        int whole; // typed words that fit a word of the card whole
    };
    QList<Fit> fits;
    for (int i = 0; i < m_cards.size(); ++i) {
        const Card &card = m_cards.at(i);
        int whole = 0;
        bool fitsAll = true;
        for (qsizetype w = 0; w < words.size() && fitsAll; ++w) {
            const QString &word = words.at(w);
            const bool last = typing && w == words.size() - 1;
            if (card.numbers.contains(word) || card.words.contains(word)) {
                ++whole;
                continue;
            }
            const auto startsOne = [&word](const QStringList &keys) {
                return std::any_of(keys.begin(), keys.end(),
                                   [&word](const QString &key) { return key.startsWith(word); });
            };
            // A word of letters may be the start of a card's word ("pent"); a number or numeral
            // only while it is still being typed ("1" on the way to "12").
            fitsAll = (!isNumber(word) && startsOne(card.words)) || (last && startsOne(card.numbers));
        }
        if (fitsAll)
            fits.append({i, whole});
    }
    std::stable_sort(fits.begin(), fits.end(), [](const Fit &a, const Fit &b) { return a.whole > b.whole; });
    QList<int> result;
    result.reserve(fits.size());
    for (const Fit &fit : std::as_const(fits))
        result.append(fit.index);
    return result;
}
