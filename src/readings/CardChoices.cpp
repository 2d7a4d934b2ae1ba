#include "CardChoices.h"

#include "CardDataStore.h"
#include "CardMatcher.h"

#include <QHash>

CardChoices::CardChoices(QObject *parent) : QAbstractListModel(parent)
{}

CardChoices::CardChoices(const CardDataStore &cards, QObject *parent) : QAbstractListModel(parent), m_cards(&cards)
{}

CardChoices::~CardChoices() = default;

const CardDataStore &CardChoices::cards() const
{
    return m_cards ? *m_cards : CardDataStore::shared();
}

const CardMatcher &CardChoices::matcher() const
{
    // One matcher per catalogue: its words are worked out once, not per field.
    static QHash<const CardDataStore *, CardMatcher *> matchers;
    const CardDataStore *store = &cards();
    CardMatcher *&found = matchers[store];
    if (!found)
        found = new CardMatcher(store->allCards());
    return *found;
}

void CardChoices::setQuery(const QString &query)
{
    if (query == m_query)
        return;
    m_query = query;
    emit queryChanged();
    const int before = count();
    beginResetModel();
    m_rows = query.trimmed().isEmpty() ? QList<int>() : matcher().match(query).mid(0, shownLimit());
    endResetModel();
    if (count() != before)
        emit countChanged();
    m_currentRow = m_rows.isEmpty() ? -1 : 0;
    emit currentRowChanged();
}

void CardChoices::setCurrentRow(int row)
{
    if (row < -1 || row >= count() || row == m_currentRow)
        return;
    m_currentRow = row;
    emit currentRowChanged();
}

QString CardChoices::currentCardId() const
{
    return cardIdAt(m_currentRow);
}

void CardChoices::moveCurrent(int delta)
{
    if (m_rows.isEmpty())
        return;
    setCurrentRow(std::clamp(m_currentRow + delta, 0, count() - 1));
}

QString CardChoices::cardIdAt(int row) const
{
    return row >= 0 && row < count() ? cards().allCards().at(m_rows.at(row)).id : QString();
}

int CardChoices::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant CardChoices::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const TarotCard &card = cards().allCards().at(m_rows.at(index.row()));
    switch (role) {
    case CardIdRole:
        return card.id;
    case NameRole:
        return card.name;
    case DetailRole:
        return card.arcana == Arcana::major ? tr("Major Arcana · %1").arg(card.numberLabel()) : card.suitLabel();
    }
    return {};
}

QHash<int, QByteArray> CardChoices::roleNames() const
{
    return {{CardIdRole, "cardId"}, {NameRole, "name"}, {DetailRole, "detail"}};
}
