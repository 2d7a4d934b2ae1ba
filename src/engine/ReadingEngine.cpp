#include "ReadingEngine.h"

#include "Clock.h"
#include "Deck.h"

using namespace Qt::StringLiterals;

ReadingEngine::ReadingEngine(QObject *parent) : ReadingEngine(CardDataStore::shared(), RandomSource::system(), parent)
{}

ReadingEngine::ReadingEngine(CardDataStore &cardStore, RandomSource &random, QObject *parent)
    : QObject(parent), m_cardStore(&cardStore), m_random(&random)
{}

std::optional<ReadingResult> ReadingEngine::performReading(const SpreadDefinition &spread, bool allowReversed) const
{
    auto cards = Deck::deal(m_cardStore->allCards(), spread.positions, allowReversed, *m_random);
    if (!cards)
        return std::nullopt;
    return ReadingResult{spread, *cards, Clock::now()};
}

int ReadingEngine::variantIndex(const QList<PositionedCard> &cards)
{
    // Unsigned arithmetic wraps like the signed 64-bit sum it stands for, without the undefined
    // behaviour; the magnitude is taken the same way so that the most negative sum works too.
    quint64 sum = 0;
    for (const PositionedCard &positioned : cards) {
        for (char32_t scalar : QStringView(positioned.card.id).toUcs4())
            sum += scalar;
    }
    const bool negative = qint64(sum) < 0;
    const quint64 magnitude = negative ? 0 - sum : sum;
    return int(magnitude % 3);
}

QStringList ReadingEngine::threeCardNarrative(const QList<PositionedCard> &cards)
{
    if (cards.size() != 3)
        return {};
    const PositionedCard &past = cards.at(0);
    const PositionedCard &present = cards.at(1);
    const PositionedCard &future = cards.at(2);
    const QString k0 = past.leadKeyword();
    const QString k1 = present.leadKeyword();
    const QString k2 = future.leadKeyword();
    const int variant = variantIndex(cards);

    QString opening;
    QString closing;
    switch (variant) {
    case 0:
        opening = u"Your reading reveals a journey from "_s + k0 + u" through "_s + k1 + u" toward "_s + k2 + u"."_s;
        closing = QStringLiteral("Together, these cards invite you to honor what has been, engage fully with what is, "
                                 "and trust in what is coming.");
        break;
    case 1:
        opening = u"The cards trace a path: what was shaped by "_s + k0 + u" meets the present energy of "_s + k1 +
                  u", pointing toward "_s + k2 + u"."_s;
        closing = u"Consider how the themes of "_s + k0 + u", "_s + k1 + u", and "_s + k2 +
                  u" weave together in your life right now."_s;
        break;
    default:
        opening = u"From "_s + k0 + u" in your past to "_s + k1 + u" in your present, the cards suggest "_s + k2 +
                  u" lies ahead."_s;
        closing = QStringLiteral("Let these three energies guide your reflection \u2014 the wisdom of the past, the "
                                 "truth of now, and the promise of what awaits.");
        break;
    }

    return {
        opening,
        u"In the past position, "_s + past.orientedName() + u" speaks of "_s + past.keywordPhrase() +
            u". This energy has been shaping your journey up to this point."_s,
        u"At the center of your reading, "_s + present.orientedName() + u" brings the energy of "_s + k1 +
            u". This is the force most active in your life right now."_s,
        u"Looking ahead, "_s + future.orientedName() + u" suggests "_s + future.keywordPhrase() +
            u". This is the direction your current path is leading."_s,
        closing,
    };
}

QStringList ReadingEngine::celticCrossNarrative(const QList<PositionedCard> &cards)
{
    if (cards.size() != 10)
        return {};
    const auto name = [&cards](int i) { return cards.at(i).orientedName(); };
    const auto lead = [&cards](int i) { return cards.at(i).leadKeyword(); };
    const auto phrase = [&cards](int i) { return cards.at(i).keywordPhrase(); };

    return {
        QStringLiteral("This Celtic Cross reading paints a rich picture of your situation, revealing both visible "
                       "and hidden forces at work."),
        u"At the heart of the matter, "_s + name(0) + u" reveals the energy of "_s + phrase(0) +
            u". Crossing this is "_s + name(1) + u", bringing the tension of "_s + phrase(1) +
            u". Together, these two cards define the central dynamic of your situation."_s,
        // The possessive goes after the whole oriented name ("The Tower reversed's").
        u"Your situation is rooted in "_s + name(2) + u"'s energy of "_s + lead(2) + u", with "_s + name(3) +
            u" showing "_s + lead(3) + u" as a recent influence. The best possible outcome points toward "_s + lead(4) +
            u", while "_s + name(5) + u" suggests "_s + lead(5) + u" approaching in the near term."_s,
        u"You see yourself through the lens of "_s + lead(6) + u", while those around you reflect the energy of "_s +
            lead(7) + u". Your hopes and fears center on "_s + lead(8) +
            u". Given all of this, the likely outcome carries the energy of "_s + name(9) + u": "_s + lead(9) + u"."_s,
        QStringLiteral("Remember that the outcome is not fixed. The Celtic Cross shows the most probable path "
                       "given current energies. Your awareness and choices can shift the trajectory."),
    };
}

YesNoAnswer ReadingEngine::yesNoAnswer(const TarotCard &card, bool isReversed)
{
    YesNoLeaning leaning = card.yesNoLeaning;
    if (isReversed && leaning == YesNoLeaning::yes)
        leaning = YesNoLeaning::no;
    else if (isReversed && leaning == YesNoLeaning::no)
        leaning = YesNoLeaning::yes;

    QString answer;
    QString middle;
    switch (leaning) {
    case YesNoLeaning::yes:
        answer = QStringLiteral("Yes");
        middle = QStringLiteral(" affirms your question. ");
        break;
    case YesNoLeaning::no:
        answer = QStringLiteral("No");
        middle = QStringLiteral(" suggests caution or a negative answer. ");
        break;
    case YesNoLeaning::maybe:
        answer = QStringLiteral("Maybe");
        middle = QStringLiteral(" is ambiguous \u2014 the answer may depend on factors not yet revealed. ");
        break;
    }
    const PositionedCard positioned{card, {}, isReversed};
    const QString meaning = isReversed ? card.reversedMeaning : card.uprightMeaning;
    return {answer, u"The energy of "_s + positioned.orientedName() + middle + meaning};
}

namespace {

// "A", "A and B", "A, B, and C": the other narratives list three themes with a final comma.
QString listed(const QStringList &items)
{
    if (items.size() <= 1)
        return items.value(0);
    if (items.size() == 2)
        return items.at(0) + u" and "_s + items.at(1);
    return QStringList(items.begin(), items.end() - 1).join(u", "_s) + u", and "_s + items.constLast();
}

// One sentence for one position; three ways of saying it, taken in turn, so that a long spread
// does not read as the same sentence fifteen times.
QString positionSentence(const PositionedCard &card, int turn)
{
    const QString place = u"\u201c"_s + card.position.name + u"\u201d"_s;
    switch (turn % 3) {
    case 0:
        return u"For "_s + place + u", "_s + card.orientedName() + u" speaks of "_s + card.keywordPhrase() + u"."_s;
    case 1:
        return place + u" is answered by "_s + card.orientedName() + u", bringing "_s + card.keywordPhrase() + u"."_s;
    default:
        return u"In the place of "_s + place + u" lies "_s + card.orientedName() + u", with the energy of "_s +
               card.leadKeyword() + u"."_s;
    }
}

QString numberWord(qsizetype count)
{
    static const QStringList words{u"no"_s,     u"one"_s,      u"two"_s,      u"three"_s,  u"four"_s, u"five"_s,
                                   u"six"_s,    u"seven"_s,    u"eight"_s,    u"nine"_s,   u"ten"_s,  u"eleven"_s,
                                   u"twelve"_s, u"thirteen"_s, u"fourteen"_s, u"fifteen"_s};
    return count < words.size() ? words.at(count) : QString::number(count);
}

// A sentence about what stands out among five or more cards, or nothing when nothing does.
QString patternSentence(const QList<PositionedCard> &cards)
{
    const qsizetype count = cards.size();
    if (count < 5)
        return {};
    qsizetype majors = 0;
    qsizetype reversed = 0;
    QHash<Suit, qsizetype> suits;
    for (const PositionedCard &card : cards) {
        majors += card.card.arcana == Arcana::major;
        reversed += card.isReversed;
        if (card.card.suit)
            ++suits[*card.card.suit];
    }
    if (majors == count)
        return u"Every one of the "_s + numberWord(count) +
               u" cards is a Major Arcana card, so the forces at work here reach beyond the everyday."_s;
    if (2 * majors > count)
        return numberWord(majors).left(1).toUpper() + numberWord(majors).mid(1) + u" of the "_s + numberWord(count) +
               u" cards are Major Arcana, so the forces at work here reach beyond the everyday."_s;
    static const QHash<Suit, QString> themes{
        {Suit::cups, u"Cups, and feelings and relationships are at the heart of this"_s},
        {Suit::wands, u"Wands, and drive, passion and creative fire lead the way"_s},
        {Suit::swords, u"Swords, and thoughts, words and decisions carry the weight"_s},
        {Suit::pentacles, u"Pentacles, and work, money and the body ask for attention"_s},
    };
    for (Suit suit : allSuitCases)
        if (2 * suits.value(suit) >= count)
            return u"Many of the cards are "_s + themes.value(suit) + u"."_s;
    if (2 * reversed > count)
        return u"More than half the cards lie reversed, which can point to energy held back or turned inward."_s;
    return {};
}

} // namespace

QStringList ReadingEngine::generalNarrative(const QString &spreadName, const QList<PositionedCard> &cards)
{
    if (cards.isEmpty())
        return {};
    const QString spread = u"\u201c"_s + spreadName + u"\u201d"_s;
    const int variant = variantIndex(cards);
    QStringList paragraphs;

    if (cards.size() == 1) {
        const PositionedCard &card = cards.constFirst();
        paragraphs.append(spread + u" asks one thing, and one card answers it: "_s + card.orientedName() +
                          u" in the place of \u201c"_s + card.position.name + u"\u201d."_s);
        paragraphs.append(u"It speaks of "_s + card.keywordPhrase() + u". Let "_s + card.leadKeyword() +
                          u" be the thread you follow as you reflect on your question."_s);
        return paragraphs;
    }

    const QString first = cards.constFirst().leadKeyword();
    const QString last = cards.constLast().leadKeyword();
    paragraphs.append(u"Your "_s + spread + u" reading lays out "_s + numberWord(cards.size()) +
                      u" cards, moving from "_s + first + u" at the start toward "_s + last + u" at the end."_s);

    // A paragraph holds up to five positions, split evenly: fifteen read as three of five,
    // seven as four and three.
    const qsizetype groups = (cards.size() + 4) / 5;
    const qsizetype perGroup = (cards.size() + groups - 1) / groups;
    for (qsizetype start = 0; start < cards.size(); start += perGroup) {
        QStringList sentences;
        for (qsizetype i = start; i < std::min(cards.size(), start + perGroup); ++i)
            sentences.append(positionSentence(cards.at(i), variant + int(i)));
        paragraphs.append(sentences.join(u' '));
    }

    if (const QString pattern = patternSentence(cards); !pattern.isEmpty())
        paragraphs.append(pattern);

    // The closing names up to three different themes, the first, the middle and the last card's.
    QStringList themes;
    for (qsizetype i : {qsizetype(0), cards.size() / 2, cards.size() - 1}) {
        const QString theme = cards.at(i).leadKeyword();
        if (!themes.contains(theme, Qt::CaseInsensitive))
            themes.append(theme);
    }
    paragraphs.append(themes.size() == 1 ? u"One theme, "_s + themes.constFirst() +
                                               u", runs through the whole spread; notice where it "
                                               u"meets you in your life right now."_s
                                         : u"Hold the themes of "_s + listed(themes) +
                                               u" together, and notice where they meet in your life right now."_s);
    return paragraphs;
}
