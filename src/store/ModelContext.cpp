// The identity map: each stored row is one live record, read when first asked for, by type,
// by a selection of rows, or as one column without making records.
#include "ModelContext.h"

#include "RowMapper.h"
#include "StoreSchema.h"
#include "StoreSql.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace StoreSchema;
using namespace StoreSql;
using Problem = ModelContext::Problem;
using namespace RowMapper;

const QList<Record *> &ModelContext::records(const QMetaObject &type)
{
    TypeState &state = m_types[&type];
    if (!state.loaded)
        loadWithLinked(type);
    return m_types[&type].live;
}

// A record and the records it owns are always loaded together, owners first, so that every
// link read finds the record it points at.
bool ModelContext::loadWithLinked(const QMetaObject &type)
{
    for (const QMetaProperty &link : links(type))
        if (!loadWithLinked(*linkedType(link)))
            return false;
    if (!loadType(type))
        return false;
    for (const Link &link : linksTo(type))
        if (!loadType(*link.type))
            return false;
    return true;
}

bool ModelContext::loadType(const QMetaObject &type)
{
    if (m_types[&type].loaded)
        return true;
    if (!loadRows(type, QString(), {}))
        return false; // a failed fetch counts as an empty result; the next fetch tries again
    // Records read earlier by a partial query, or inserted before this first full read, stand
    // where they came; an unsorted fetch lists the type in storage order, then the new ones in
    // the order they were inserted.
    QList<Record *> &live = m_types[&type].live;
    std::stable_sort(live.begin(), live.end(), [](const Record *a, const Record *b) {
        const qint64 left = a->m_storeId == 0 ? std::numeric_limits<qint64>::max() : a->m_storeId;
        const qint64 right = b->m_storeId == 0 ? std::numeric_limits<qint64>::max() : b->m_storeId;
        return left < right;
    });
    m_types[&type].loaded = true;
    return !m_damaged;
}

QList<Record *> ModelContext::recordsWhere(const QMetaObject &type, const RowQuery &query)
{
    TypeState &state = m_types[&type];
    QList<Record *> result;
    if (state.loaded) {
        result = state.live;
    } else {
        QString clause;
        if (!query.where.isEmpty())
            clause += QStringLiteral(" WHERE ") + query.where;
        clause += QStringLiteral(" ORDER BY ") + (query.orderBy.isEmpty() ? QStringLiteral("pk") : query.orderBy);
        if (query.limit >= 0) {
            // Rows removed, or changed in memory so they may no longer match, must not leave
            // the window short: read that many more.
            qsizetype spare = 0;
            for (Record *record : std::as_const(m_dirty))
                spare += record->metaObject() == &type;
            for (Record *record : std::as_const(m_removed))
                spare += record->metaObject() == &type;
            clause += QStringLiteral(" LIMIT %1").arg(query.limit + spare);
        }
        loadRows(type, clause, query.values, &result);
        // A record comes with all the records it owns (a reading with its drawn cards), so
        // what it shows is complete.
        loadOwnedBy(type, result);
        // Records not yet written as they are in memory are judged by their values here.
        for (Record *record : std::as_const(state.live))
            if ((record->m_storeId == 0 || m_dirty.contains(record)) && !result.contains(record))
                result.append(record);
    }
    return result;
}

QVariantList ModelContext::storedValues(const QMetaObject &type, const QString &column, const RowQuery &query)
{
    QVariantList values;
    const QList<StoredValue> rows = storedRows(type, column, query);
    values.reserve(rows.size());
    for (const StoredValue &row : rows)
        values.append(row.value);
    return values;
}

QList<ModelContext::StoredValue> ModelContext::storedRows(const QMetaObject &type, const QString &column,
                                                          const RowQuery &query)
{
    QList<StoredValue> values;
    if (!m_db.isOpen() && !connect(nullptr, nullptr))
        return values;
    QSet<qint64> inMemory;
    for (Record *record : std::as_const(m_dirty))
        if (record->metaObject() == &type)
            inMemory.insert(record->m_storeId);
    for (Record *record : std::as_const(m_removed))
        if (record->metaObject() == &type)
            inMemory.insert(record->m_storeId);
    QString sql = QStringLiteral("SELECT pk, %1 FROM %2").arg(column, tableName(type));
    if (!query.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + query.where;
    sql += QStringLiteral(" ORDER BY ") + (query.orderBy.isEmpty() ? QStringLiteral("pk") : query.orderBy);
    if (query.limit >= 0)
        sql += QStringLiteral(" LIMIT %1").arg(query.limit + inMemory.size());
    QSqlQuery rows(m_db);
    rows.setForwardOnly(true);
    bool ran = rows.prepare(sql);
    for (const QVariant &value : query.values)
        rows.addBindValue(value);
    if (!ran || !rows.exec()) {
        if (!isBusy(rows.lastError()))
            markDamaged(sqlError(rows.lastError()));
        return values;
    }
    while (rows.next()) {
        const qint64 pk = rows.value(0).toLongLong();
        if (!inMemory.contains(pk))
            values.append({pk, rows.value(1)});
    }
    if (rows.lastError().isValid())
        markDamaged(sqlError(rows.lastError()));
    return values;
}

void ModelContext::loadOwnedBy(const QMetaObject &type, const QList<Record *> &owners)
{
    for (const Link &link : linksTo(type)) {
        if (m_types[link.type].loaded)
            continue;
        QSet<qint64> &read = m_ownedRead[link.type];
        QStringList ids;
        for (Record *owner : owners) {
            if (owner->m_storeId != 0 && !read.contains(owner->m_storeId)) {
                ids.append(QString::number(owner->m_storeId));
                read.insert(owner->m_storeId);
            }
        }
        if (!ids.isEmpty())
            loadRows(*link.type,
                     QStringLiteral(" WHERE %1 IN (%2)").arg(QString::fromLatin1(link.property.name()), ids.join(u',')),
                     {});
    }
}

// Reads the rows of one type that `where` selects, making a live record of each row that has
// none yet; rows already live or removed are skipped, so a partial read and a later full one
// never make two records of one row.
bool ModelContext::loadRows(const QMetaObject &type, const QString &where, const QVariantList &values,
                            QList<Record *> *rows)
{
    if (!m_db.isOpen() && !connect(nullptr, nullptr))
        return false;
    const RecordType *recordType = typeFor(&type);
    if (!recordType)
        return false;

    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    // `where` may carry its own ORDER BY and LIMIT; otherwise rows come in storage order.
    const QString clause = where.contains(QLatin1String("ORDER BY")) ? where : where + QStringLiteral(" ORDER BY pk");
    bool ran = query.prepare(QStringLiteral("SELECT * FROM %1%2").arg(tableName(type), clause));
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!ran || !query.exec()) {
        // Held by another writer: an empty result for now, and the next fetch tries again.
        // Anything else means the file cannot be read as it should.
        if (!isBusy(query.lastError()))
            markDamaged(sqlError(query.lastError()));
        return false;
    }

    // Rows already in memory are reused; rows of removed records are skipped. Every entry
    // exists before any reference is taken, so none moves.
    const QList<QMetaProperty> properties = storedProperties(type);
    for (const QMetaProperty &link : links(type))
        m_types[linkedType(link)];
    TypeState &state = m_types[&type];

    const QSqlRecord columns = query.record();
    QList<int> columnOf;
    for (const QMetaProperty &property : properties) {
        const QString name = QString::fromLatin1(property.name());
        const int column = columns.indexOf(name);
        // A table without a column its records hold was not made or upgraded by this version:
        // reading it would lose that field and the next save of the record would fail.
        if (column < 0) {
            markDamaged(QStringLiteral("The table %1 has no column %2.").arg(tableName(type), name));
            return false;
        }
        columnOf.append(column);
    }
    QList<Record *> loaded;
    while (query.next()) {
        const qint64 pk = query.value(0).toLongLong();
        if (Record *known = state.stored.value(pk)) {
            if (rows && !known->m_deleted)
                rows->append(known);
            continue;
        }
        Record *record = recordType->create();
        record->setParent(this);
        for (int i = 0; i < properties.size(); ++i) {
            const int column = columnOf.at(i);
            const QMetaProperty &property = properties.at(i);
            if (const QMetaObject *ownerType = linkedType(property)) {
                QObject *owner = m_types[ownerType].stored.value(query.value(column).toLongLong());
                if (owner && !static_cast<Record *>(owner)->m_deleted)
                    property.write(record, QVariant(property.metaType(), &owner));
                continue;
            }
            property.write(record, fromColumn(property, query.value(column)));
        }
        // Assigned after the fields so loading does not count as a change.
        record->m_storeId = pk;
        record->m_context = this;
        record->m_changedProperties = 0;
        state.stored.insert(pk, record);
        loaded.append(record);
        if (rows)
            rows->append(record);
    }
    state.live.append(loaded);
    // A read error part-way through leaves a partial list: the file is damaged, and whatever
    // was read stays in memory only.
    if (query.lastError().isValid())
        markDamaged(sqlError(query.lastError()));
    return !m_damaged;
}
