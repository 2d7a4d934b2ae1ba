#include "RecordListModel.h"

RecordListModel::RecordListModel(ModelContext *context, Query query, QObject *parent)
    : QAbstractListModel(parent), m_context(context), m_query(std::move(query))
{
    if (m_context)
        connect(m_context, &ModelContext::changed, this, &RecordListModel::refresh);
    refresh();
}

int RecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant RecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size() || role != RecordRole)
        return {};
    return QVariant::fromValue(m_records.at(index.row()));
}

QHash<int, QByteArray> RecordListModel::roleNames() const
{
    return {{RecordRole, "record"}};
}

Record *RecordListModel::at(int row) const
{
    return row >= 0 && row < m_records.size() ? m_records.at(row) : nullptr;
}

void RecordListModel::refresh()
{
    const QList<Record *> fresh = m_context ? m_query(*m_context) : QList<Record *>();
    if (fresh == m_records)
        return; // the records' own change signals redraw what they show
    const bool countDiffers = fresh.size() != m_records.size();
    beginResetModel();
    m_records = fresh;
    endResetModel();
    if (countDiffers)
        emit countChanged();
}
