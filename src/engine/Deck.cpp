#include "Deck.h"

namespace Deck {

std::optional<TarotCard> randomCard(const QList<TarotCard> &catalogue, RandomSource &random)
{
    if (catalogue.isEmpty())
        return std::nullopt;
    return catalogue.at(qsizetype(random.uniformIndex(quint64(catalogue.size()))));
}

bool reversalDecision(bool allowReversed, RandomSource &random)
{
    return allowReversed && random.coin();
}

std::optional<QList<PositionedCard>> deal(const QList<TarotCard> &catalogue, const QList<SpreadPosition> &positions,
                                          bool allowReversed, RandomSource &random)
{
    if (catalogue.size() < positions.size())
        return std::nullopt;
    QList<TarotCard> deck = catalogue;
    shuffle(deck, random);
    QList<PositionedCard> dealt;
    dealt.reserve(positions.size());
    // Taking from the front of the shuffled deck, one card per position.
    for (qsizetype i = 0; i < positions.size(); ++i) {
        const bool reversed = reversalDecision(allowReversed, random);
        dealt.append(PositionedCard{deck.at(i), positions.at(i), reversed});
    }
    return dealt;
}

} // namespace Deck
