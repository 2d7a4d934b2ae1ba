#include "CardDetailPagerModel.h"

#include "CardDataStore.h"

CardDetailPagerModel::CardDetailPagerModel(QObject *parent) : CardPager(parent)
{}

void CardDetailPagerModel::setCardStore(const CardDataStore &store)
{
    m_store = &store;
}

QStringList CardDetailPagerModel::cardIds() const
{
    QStringList ids;
    ids.reserve(m_cards.size());
    for (const TarotCard &card : m_cards)
        ids.append(card.id);
    return ids;
}

void CardDetailPagerModel::setCardIds(const QStringList &ids)
{
    const CardDataStore &store = m_store ? *m_store : CardDataStore::shared();
    QList<TarotCard> cards;
    cards.reserve(ids.size());
    for (const QString &id : ids)
        if (const auto card = store.cardByID(id))
            cards.append(*card);
    setCards(cards);
}

void CardDetailPagerModel::setCards(const QList<TarotCard> &cards)
{
    if (cards == m_cards)
        return;
    m_cards = cards;
    emit cardsChanged();
    const int before = count();
    setCount(int(m_cards.size()));
    // The same number of different cards: the card shown changed all the same.
    if (count() == before)
        emit currentIndexChanged();
}

QString CardDetailPagerModel::positionText() const
{
    return QStringLiteral("%1 of %2").arg(currentIndex() + 1).arg(count());
}
