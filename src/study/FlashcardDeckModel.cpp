#include "FlashcardDeckModel.h"

int FlashcardDeckModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_cards.size());
}

QVariant FlashcardDeckModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_cards.size())
        return {};
    const TarotCard &card = m_cards.at(index.row());
    switch (role) {
    case CardIdRole:
        return card.id;
    case NameRole:
        return card.name;
    case StudiedRole:
        return m_studied.contains(card.id);
    case CurrentRole:
        return index.row() == m_current;
    default:
        return {};
    }
}

QHash<int, QByteArray> FlashcardDeckModel::roleNames() const
{
    return {{CardIdRole, "cardId"}, {NameRole, "name"}, {StudiedRole, "studied"}, {CurrentRole, "current"}};
}

void FlashcardDeckModel::reset(const QList<TarotCard> &cards, const QSet<QString> &studied, int current)
{
    beginResetModel();
    m_cards = cards;
    m_studied = studied;
    m_current = current;
    endResetModel();
}

void FlashcardDeckModel::setCurrent(int row)
{
    if (row == m_current)
        return;
    const int previous = m_current;
    m_current = row;
    rowChanged(previous, {CurrentRole});
    rowChanged(row, {CurrentRole});
}

void FlashcardDeckModel::setStudied(const QSet<QString> &studied)
{
    const QSet<QString> before = m_studied;
    m_studied = studied;
    for (int row = 0; row < m_cards.size(); ++row) {
        const QString &id = m_cards.at(row).id;
        if (before.contains(id) != studied.contains(id))
            rowChanged(row, {StudiedRole});
    }
}

void FlashcardDeckModel::rowChanged(int row, const QList<int> &roles)
{
    if (row >= 0 && row < m_cards.size())
        emit dataChanged(index(row), index(row), roles);
}
