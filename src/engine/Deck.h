#pragma once

#include "RandomSource.h"
#include "ReadingResult.h"
#include "Shuffle.h"

#include <QList>

#include <optional>
#include <utility>

// The drawing rules every card of the app comes from. A deck is a throw-away copy of the
// catalogue that lives for one draw; the catalogue itself never changes.
namespace Deck {

// The shuffle shared with every other deck of the app (forward Fisher–Yates).
template <typename T> void shuffle(QList<T> &items, RandomSource &random)
{
    Random::shuffle(items, random);
}

// One card by uniform index over the catalogue in its own order; nothing when it is empty.
std::optional<TarotCard> randomCard(const QList<TarotCard> &catalogue, RandomSource &random);

// A fair coin when reversals are allowed; upright, with nothing drawn, otherwise.
bool reversalDecision(bool allowReversed, RandomSource &random);

// Shuffles a copy of the catalogue, then gives each position, in order, the next card and its
// reversal decision; all shuffling randomness comes before any coin. Nothing, and nothing
// drawn, when the catalogue has fewer cards than there are positions.
std::optional<QList<PositionedCard>> deal(const QList<TarotCard> &catalogue, const QList<SpreadPosition> &positions,
                                          bool allowReversed, RandomSource &random);

} // namespace Deck
