#include "DesignedSpreadList.h"

#include "CustomSpread.h"
#include "ModelContext.h"
#include "Readings.h"
#include "Spread.h"
#include "SpreadBook.h"
#include "Spreads.h"
#include "StoreLog.h"

DesignedSpreadList::DesignedSpreadList(QObject *parent) : QAbstractListModel(parent)
{}

void DesignedSpreadList::setModelContext(ModelContext *context)
{
    if (context == m_context)
        return;
    if (m_context)
        disconnect(m_context, nullptr, this, nullptr);
    m_context = context;
    if (context)
        connect(context, &ModelContext::changed, this, &DesignedSpreadList::refresh);
    emit modelContextChanged();
    refresh();
}

void DesignedSpreadList::refresh()
{
    const int before = count();
    beginResetModel();
    m_rows.clear();
    for (Spread *spread : Spreads(m_context).all())
        if (const std::optional<SpreadDefinition> design = SpreadBook::definitionOf(*spread))
            m_rows.append({spread, {*design, spread->summary()}});
    endResetModel();
    if (before != count())
        emit countChanged();
}

int DesignedSpreadList::readingCount(int row) const
{
    const Spread *spread = row >= 0 && row < count() ? m_rows.at(row).spread.data() : nullptr;
    return spread ? Readings(m_context).countOfSpread(CustomSpread::spreadTypeFor(spread->id())) : 0;
}

QString DesignedSpreadList::deleteQuestion(const QString &name, int readingCount)
{
    const QString spread = QStringLiteral("\u201c%1\u201d").arg(name);
    if (readingCount == 0)
        return tr("Delete %1? No reading was made with it yet.").arg(spread);
    if (readingCount == 1)
        return tr("Delete %1? One reading was made with it. It keeps its cards and the spread as it was, and stays "
                  "in your history.")
            .arg(spread);
    return tr("Delete %1? %2 readings were made with it. They keep their cards and the spread as it was, and stay "
              "in your history.")
        .arg(spread)
        .arg(readingCount);
}

QString DesignedSpreadList::deleteQuestion(int row) const
{
    const Spread *spread = row >= 0 && row < count() ? m_rows.at(row).spread.data() : nullptr;
    return spread ? deleteQuestion(spread->name(), readingCount(row)) : QString();
}

bool DesignedSpreadList::remove(int row)
{
    Spread *spread = row >= 0 && row < count() ? m_rows.at(row).spread.data() : nullptr;
    if (!spread || !m_context)
        return false;
    Spreads(m_context).remove(spread);
    const bool saved = saveContext(*m_context);
    // The row goes at once, not a turn later with the store's change.
    refresh();
    return saved;
}

int DesignedSpreadList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant DesignedSpreadList::data(const QModelIndex &index, int role) const
{
    const Spread *spread = index.isValid() && index.row() < count() ? m_rows.at(index.row()).spread.data() : nullptr;
    if (!spread)
        return {};
    switch (role) {
    case SpreadRole:
        return QVariant::fromValue(const_cast<Spread *>(spread));
    case SpreadTypeRole:
        return CustomSpread::spreadTypeFor(spread->id());
    case NameRole:
        return spread->name();
    case ItemRole:
        return QVariant::fromValue(m_rows.at(index.row()).item);
    default:
        return {};
    }
}

QHash<int, QByteArray> DesignedSpreadList::roleNames() const
{
    return {{SpreadRole, "spread"}, {SpreadTypeRole, "spreadType"}, {NameRole, "name"}, {ItemRole, "item"}};
}
