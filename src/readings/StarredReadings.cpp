#include "StarredReadings.h"

#include "DateFormat.h"
#include "Reading.h"
#include "Readings.h"
#include "RecordListModel.h"
#include "SpreadBook.h"

StarredReadings::StarredReadings(QObject *parent) : QAbstractListModel(parent)
{}

StarredReadings::~StarredReadings() = default;

void StarredReadings::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    m_context = context;
    delete m_query;
    m_query = nullptr;
    if (context) {
        // Only the newest starred rows are read, over the date index: a long history stays on disk.
        m_query = new RecordListModel(
            context,
            [this](ModelContext &c) {
                const QList<Reading *> selected = select(c, m_limit);
                return QList<Record *>(selected.cbegin(), selected.cend());
            },
            this);
        connect(m_query, &QAbstractItemModel::modelReset, this, &StarredReadings::refresh);
        // A reading's own fields can change without changing which readings are listed.
        connect(context, &ModelContext::changed, this, [this] {
            if (!m_rows.isEmpty())
                emit dataChanged(index(0), index(int(m_rows.size()) - 1));
        });
    }
    emit modelContextChanged();
    refresh();
}

void StarredReadings::setLimit(int limit)
{
    if (limit == m_limit)
        return;
    m_limit = limit;
    emit limitChanged();
    if (m_query)
        m_query->refresh();
    refresh();
}

void StarredReadings::refresh()
{
    QList<Reading *> fresh;
    if (m_query) {
        for (Record *record : m_query->records()) {
            if (fresh.size() >= m_limit)
                break;
            fresh.append(static_cast<Reading *>(record));
        }
    }
    if (fresh != m_rows) {
        const bool countDiffers = fresh.size() != m_rows.size();
        beginResetModel();
        m_rows = fresh;
        endResetModel();
        if (countDiffers)
            emit countChanged();
    }
    refreshed();
}

QList<Reading *> StarredReadings::select(ModelContext &context, int limit) const
{
    return Readings(&context).starred(limit);
}

int StarredReadings::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant StarredReadings::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Reading *reading = m_rows.at(index.row());
    switch (role) {
    case ReadingRole:
        return QVariant::fromValue(const_cast<Reading *>(reading));
    case SpreadNameRole:
        return SpreadBook::nameOf(*reading);
    case IconNameRole:
        return SpreadBook::iconOf(*reading);
    case DateTextRole:
        return DateFormat::mediumDate(reading->date().toLocalTime().date());
    default:
        return {};
    }
}

QHash<int, QByteArray> StarredReadings::roleNames() const
{
    return {{ReadingRole, "reading"},
            {SpreadNameRole, "spreadName"},
            {IconNameRole, "iconName"},
            {DateTextRole, "dateText"}};
}
