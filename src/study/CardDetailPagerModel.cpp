#include "CardDetailPagerModel.h"

#include "CardDataStore.h"

CardDetailPagerModel::CardDetailPagerModel(QObject *parent) : QObject(parent)
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
    emit currentIndexChanged();
}

void CardDetailPagerModel::setStartIndex(int index)
{
    if (index != m_startIndex) {
        m_startIndex = index;
        emit startIndexChanged();
    }
    moveTo(index, true);
}

QString CardDetailPagerModel::positionText() const
{
    return QStringLiteral("%1 of %2").arg(m_currentIndex + 1).arg(count());
}

void CardDetailPagerModel::next()
{
    if (m_currentIndex < count() - 1)
        moveTo(m_currentIndex + 1, true);
}

void CardDetailPagerModel::previous()
{
    if (m_currentIndex >= 1)
        moveTo(m_currentIndex - 1, false);
}

bool CardDetailPagerModel::handleKey(int key)
{
    if (key == Qt::Key_Right) {
        next();
        return true;
    }
    if (key == Qt::Key_Left) {
        previous();
        return true;
    }
    return false;
}

void CardDetailPagerModel::moveTo(int index, bool forward)
{
    if (index == m_currentIndex && forward == m_navigatingForward)
        return;
    m_currentIndex = index;
    m_navigatingForward = forward;
    emit currentIndexChanged();
}
