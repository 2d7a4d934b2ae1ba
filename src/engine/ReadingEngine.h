#pragma once

#include "CardDataStore.h"
#include "RandomSource.h"
#include "ReadingResult.h"

#include <QObject>

// The answer to a yes/no question and the sentence that explains it.
struct YesNoAnswer
{
    QString answer;
    QString explanation;

    bool operator==(const YesNoAnswer &) const = default;
};

// Deals spreads from the catalogue and turns drawn cards into the reading texts. Every text is
// built from fixed templates, card names and keywords; the only choice among templates comes
// from the cards' ids, so the same cards always read the same way.
class ReadingEngine : public QObject
{
    Q_OBJECT
    Q_PROPERTY(CardDataStore *cardStore READ cardStore CONSTANT)

public:
    // Deals from the shared catalogue with the system's random source.
    explicit ReadingEngine(QObject *parent = nullptr);
    ReadingEngine(CardDataStore &cardStore, RandomSource &random, QObject *parent = nullptr);

    CardDataStore *cardStore() const { return m_cardStore; }

    // One card per position from a freshly shuffled deck, dated now. Nothing when the catalogue
    // has fewer cards than the spread has positions.
    std::optional<ReadingResult> performReading(const SpreadDefinition &spread, bool allowReversed) const;

    // Five paragraphs for past, present and future; none for any other number of cards.
    static QStringList threeCardNarrative(const QList<PositionedCard> &cards);
    // Five paragraphs for the ten Celtic Cross cards in position order; none otherwise.
    static QStringList celticCrossNarrative(const QList<PositionedCard> &cards);
    // The paragraphs for a spread of the user's own design, built from its position names and
    // the cards' keywords: an opening, the positions a few at a time, and a closing. Any
    // number of cards from one up reads as whole sentences; none gives no paragraphs.
    static QStringList generalNarrative(const QString &spreadName, const QList<PositionedCard> &cards);
    // The card's leaning, turned round when it lies reversed, with its general meaning.
    static YesNoAnswer yesNoAnswer(const TarotCard &card, bool isReversed);

    // 0, 1 or 2: the Unicode scalar values of all the cards' ids summed (wrapping at 64 bits),
    // taken absolute, modulo 3. Neither orientation nor order changes it.
    static int variantIndex(const QList<PositionedCard> &cards);

private:
    CardDataStore *m_cardStore;
    RandomSource *m_random;
};
