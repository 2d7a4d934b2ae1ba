// The unit of work: inserts, changes and removals wait in memory, and save() writes them all in
// one transaction or none of them.
#include "ModelContext.h"

#include "Record.h"
#include "RowMapper.h"
#include "StoreSchema.h"
#include "StoreSql.h"

#include <QSqlError>
#include <QSqlQuery>

using namespace StoreSchema;
using namespace StoreSql;
using Problem = ModelContext::Problem;
using namespace RowMapper;

void ModelContext::insert(Record *record)
{
    if (!record || record->m_context == this)
        return;
    record->m_context = this;
    record->m_deleted = false;
    record->setParent(this);
    // The stored rows stay on disk: a later load skips the rows it already has live, so the
    // new record is neither hidden nor made twice, and storing a reading in a long history
    // does not read the whole history first.
    m_types[record->metaObject()].live.append(record);
    m_inserted.append(record);
    scheduleChanged();

    // Related records are stored together, as one would expect from attaching them.
    for (Record *owned : record->ownedRecords())
        if (!owned->context())
            insert(owned);
    for (const QMetaProperty &link : links(*record->metaObject()))
        if (Record *owner = linked(link, record); owner && !owner->context())
            insert(owner);
}

bool ModelContext::insertIfNoneStored(Record *record, QString *error)
{
    if (!record || record->m_context)
        return false;
    const QMetaObject &type = *record->metaObject();
    records(type); // rows found below then join what is loaded already
    const auto failed = [&](const QString &why) {
        if (error)
            *error = why;
        insert(record);
        return false;
    };
    if (m_damaged)
        return failed(QStringLiteral("The store is damaged; nothing more is written to it."));
    if (!ensureConnected(error)) {
        insert(record);
        return false;
    }
    QString unchecked;
    if (!ensureChecked(&unchecked))
        return failed(unchecked);

    QSqlQuery query(m_db);
    bool inserted = false;
    qint64 id = 0;
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failed(sqlError(query.lastError()));
    query.prepare(insertSql(type, true));
    if (!bindAndExec(query, storedProperties(type), record, {})) {
        const QString why = sqlError(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        m_needsReconnect = true;
        return failed(why);
    }
    inserted = query.numRowsAffected() == 1;
    id = query.lastInsertId().toLongLong();
    if (!query.exec(QStringLiteral("COMMIT"))) {
        const QString why = sqlError(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        m_needsReconnect = true;
        return failed(why);
    }

    if (inserted) {
        record->m_context = this;
        record->m_deleted = false;
        record->m_storeId = id;
        record->m_changedProperties = 0;
        record->setParent(this);
        m_types[&type].live.append(record);
        m_types[&type].stored.insert(id, record);
    } else {
        delete record;
        // Another context stored one: load the rows this context has not seen yet.
        m_types[&type].loaded = false;
        loadType(type);
    }
    scheduleChanged();
    emit saved();
    return true;
}

void ModelContext::remove(Record *record)
{
    if (!record || record->m_context != this || record->m_deleted)
        return;
    const QList<Record *> owned = record->ownedRecords();
    for (Record *ownedRecord : owned)
        remove(ownedRecord);
    // A record removed leaves its owner's list.
    for (const QMetaProperty &link : links(*record->metaObject())) {
        if (Record *owner = linked(link, record); owner && !owner->isDeleted()) {
            QObject *none = nullptr;
            link.write(record, QVariant(link.metaType(), &none));
        }
    }
    record->m_deleted = true;
    m_types[record->metaObject()].live.removeOne(record);
    m_dirty.remove(record);
    if (m_inserted.removeOne(record))
        record->deleteLater();
    else
        m_removed.append(record);
    scheduleChanged();
}

void ModelContext::recordChanged(Record *record)
{
    if (record->m_deleted)
        return;
    if (record->m_storeId != 0)
        m_dirty.insert(record);
    scheduleChanged();
}

void ModelContext::scheduleChanged()
{
    if (m_changeQueued)
        return;
    m_changeQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_changeQueued = false;
            emit changed();
        },
        Qt::QueuedConnection);
}

bool ModelContext::hasChanges() const
{
    return !m_inserted.isEmpty() || !m_dirty.isEmpty() || !m_removed.isEmpty();
}

bool ModelContext::save(QString *error)
{
    if (!hasChanges())
        return true;
    if (m_damaged) {
        if (error)
            *error = QStringLiteral("The store is damaged; nothing more is written to it.");
        return false;
    }
    if (!ensureConnected(error) || !ensureChecked(error))
        return false;

    QHash<Record *, qint64> newIds;
    if (!writePending(newIds, error)) {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        // A failed save may leave the connection read-only or locked out; start afresh next time.
        m_needsReconnect = true;
        return false;
    }

    for (auto it = newIds.cbegin(); it != newIds.cend(); ++it) {
        it.key()->m_storeId = it.value();
        it.key()->m_changedProperties = 0;
        m_types[it.key()->metaObject()].stored.insert(it.value(), it.key());
    }
    for (Record *record : std::as_const(m_dirty))
        record->m_changedProperties = 0;
    for (Record *record : std::as_const(m_removed)) {
        m_types[record->metaObject()].stored.remove(record->m_storeId);
        record->deleteLater();
    }
    m_inserted.clear();
    m_dirty.clear();
    m_removed.clear();
    emit saved();
    return true;
}

bool ModelContext::writePending(QHash<Record *, qint64> &newIds, QString *error)
{
    QSqlQuery query(m_db);
    const auto fail = [&](const QSqlError &sqlErr) {
        if (error)
            *error = sqlError(sqlErr);
        return false;
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(query.lastError());

    for (Record *record : std::as_const(m_removed)) {
        if (record->m_storeId == 0)
            continue;
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE pk = ?").arg(tableName(*record->metaObject())));
        query.addBindValue(record->m_storeId);
        if (!query.exec())
            return fail(query.lastError());
    }

    for (const RecordType &type : recordTypes()) {
        const QList<QMetaProperty> properties = storedProperties(*type.meta);
        bool prepared = false;
        for (Record *record : std::as_const(m_inserted)) {
            if (record->metaObject() != type.meta)
                continue;
            if (!prepared && !query.prepare(insertSql(*type.meta, false)))
                return fail(query.lastError());
            prepared = true;
            if (!bindAndExec(query, properties, record, newIds))
                return fail(query.lastError());
            newIds.insert(record, query.lastInsertId().toLongLong());
        }
        // Only the columns that changed: another window or process may have changed the others
        // since this context read the row, and an old copy must not write them back.
        for (Record *record : std::as_const(m_dirty)) {
            if (record->metaObject() != type.meta || record->m_storeId == 0)
                continue;
            QList<QMetaProperty> changed;
            for (const QMetaProperty &property : properties)
                if (record->m_changedProperties & (quint64(1) << property.propertyIndex()))
                    changed.append(property);
            if (changed.isEmpty())
                continue;
            query.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE pk = ?")
                              .arg(tableName(*type.meta), columnNames(changed).join(QStringLiteral(" = ?, "))));
            for (int i = 0; i < changed.size(); ++i)
                query.bindValue(i, toColumn(changed.at(i), record, newIds));
            query.bindValue(changed.size(), record->m_storeId);
            if (!query.exec())
                return fail(query.lastError());
        }
    }

    if (!query.exec(QStringLiteral("COMMIT")))
        return fail(query.lastError());
    return true;
}
