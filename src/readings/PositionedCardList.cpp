#include "PositionedCardList.h"

#include "CardStyle.h"

PositionedCardList::PositionedCardList(QObject *parent) : QAbstractListModel(parent)
{}

QString PositionedCardList::meaning(const PositionedCard &card)
{
    return card.card.meaningForPosition(card.position.id, card.isReversed);
}

QString PositionedCardList::accessibleName(const PositionedCard &card)
{
    // Read as the position, then the card: "Present: Three of Cups, reversed".
    const QString name = CardStyle::accessibleName(card.card, card.isReversed);
    return card.position.name.isEmpty() ? name : QObject::tr("%1: %2").arg(card.position.name, name);
}

void PositionedCardList::setCards(const QList<PositionedCard> &cards)
{
    const bool countDiffers = cards.size() != m_cards.size();
    beginResetModel();
    m_cards = cards;
    endResetModel();
    if (countDiffers)
        emit countChanged();
}

PositionedCard PositionedCardList::at(int index) const
{
    return index >= 0 && index < m_cards.size() ? m_cards.at(index) : PositionedCard();
}

int PositionedCardList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant PositionedCardList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_cards.size())
        return {};
    const PositionedCard &card = m_cards.at(index.row());
    switch (role) {
    case CardRole:
        return QVariant::fromValue(card.card);
    case PositionRole:
        return QVariant::fromValue(card.position);
    case IsReversedRole:
        return card.isReversed;
    case MeaningRole:
        return meaning(card);
    case AccessibleNameRole:
        return accessibleName(card);
    default:
        return {};
    }
}

QHash<int, QByteArray> PositionedCardList::roleNames() const
{
    return {{CardRole, "card"},
            {PositionRole, "position"},
            {IsReversedRole, "isReversed"},
            {MeaningRole, "meaning"},
            {AccessibleNameRole, "accessibleName"}};
}
