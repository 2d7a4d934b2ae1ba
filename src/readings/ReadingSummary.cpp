#include "ReadingSummary.h"

#include "PositionedCardList.h"
#include "ReadingEngine.h"
#include "SpreadDefinition.h"

QStringList ReadingSummary::paragraphsFor(const QList<PositionedCard> &cards, const QString &spreadType)
{
    if (spreadType == SpreadDefinition::threeCard().id)
        return ReadingEngine::threeCardNarrative(cards);
    if (spreadType == SpreadDefinition::celticCross().id)
        return ReadingEngine::celticCrossNarrative(cards);
    return {};
}

void ReadingSummary::setCards(PositionedCardList *cards)
{
    if (m_cards == cards)
        return;
    if (m_cards)
        disconnect(m_cards, nullptr, this, nullptr);
    m_cards = cards;
    if (cards)
        connect(cards, &QAbstractItemModel::modelReset, this, &ReadingSummary::changed);
    emit changed();
}

void ReadingSummary::setSpreadType(const QString &spreadType)
{
    if (m_spreadType == spreadType)
        return;
    m_spreadType = spreadType;
    emit changed();
}

QStringList ReadingSummary::paragraphs() const
{
    return m_cards ? paragraphsFor(m_cards->cards(), m_spreadType) : QStringList();
}
