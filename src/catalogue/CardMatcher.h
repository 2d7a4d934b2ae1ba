#pragma once

#include "TarotCard.h"

#include <QList>
#include <QString>
#include <QStringList>

// Finds the card a person means from a few typed characters, the way a reader names a card
// drawn from their own deck: by its name ("tower", "queen sw"), its number ("16", "3 cups"), a
// major's Roman numeral ("xvi"), or a suit word of another tradition ("coins", "chalices").
// Case and accents do not matter. Every typed word must fit some word of the card; the last one
// may be the start of a word (the person is still typing it), and so may any word of letters.
// Numbers and numerals must be whole unless they are last.
class CardMatcher
{
public:
    explicit CardMatcher(const QList<TarotCard> &cards);

    // The indexes in `cards` of the cards `typed` may mean, best first: cards fitting more
    // typed words whole come first, then deck order. Empty text gives every card in deck order.
    QList<int> match(const QString &typed) const;

    // Lower case, without accents, one space between words.
    static QString folded(const QString &text);

private:
    struct Card
    {
        QStringList words;   // the name's words, suit words, "major" or "minor"
        QStringList numbers; // digits, and a major's Roman numeral
    };
    QList<Card> m_cards;
};
