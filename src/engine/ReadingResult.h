#pragma once

#include "SpreadDefinition.h"
#include "TarotCard.h"

#include <QDateTime>

// A card as it lies in one position of a dealt spread.
struct PositionedCard
{
    Q_GADGET
    QML_VALUE_TYPE(positionedCard)
    Q_PROPERTY(TarotCard card MEMBER card)
    Q_PROPERTY(SpreadPosition position MEMBER position)
    Q_PROPERTY(bool isReversed MEMBER isReversed)
    Q_PROPERTY(QString orientedName READ orientedName)

public:
    TarotCard card;
    SpreadPosition position;
    bool isReversed = false;

    // The name, followed by " reversed" when the card lies reversed.
    QString orientedName() const;
    // The keywords of the orientation the card lies in.
    const QStringList &orientationKeywords() const;
    // The first of those keywords as written, or "transformation" when there are none.
    QString leadKeyword() const;
    // The first two keywords joined by " and ", the only one, or "change" when there are none.
    QString keywordPhrase() const;
};

// One dealt spread: a card for each position, in position order.
struct ReadingResult
{
    using PositionedCard = ::PositionedCard;

    SpreadDefinition spread;
    QList<PositionedCard> cards;
    // When the spread was dealt.
    QDateTime date;
};
