#include "ReadingSummary.h"

#include "CustomSpread.h"
#include "PositionedCardList.h"
#include "ReadingEngine.h"
#include "SpreadDefinition.h"

QStringList ReadingSummary::paragraphsFor(const QList<PositionedCard> &cards, const QString &spreadType,
                                          const QString &spreadName)
{
    if (CustomSpread::isCustom(spreadType))
        return ReadingEngine::generalNarrative(spreadName, cards);
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

void ReadingSummary::setSpreadName(const QString &name)
{
    if (m_spreadName == name)
        return;
    m_spreadName = name;
    emit changed();
}

QStringList ReadingSummary::paragraphs() const
{
    return m_cards ? paragraphsFor(m_cards->cards(), m_spreadType, m_spreadName) : QStringList();
}
