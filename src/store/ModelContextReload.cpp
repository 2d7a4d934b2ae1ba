// Rows written by another connection (the sync of another computer's changes) read into the
// live records, so the window shows them without being reopened.
#include "ModelContext.h"

#include "DrawnCard.h"
#include "Reading.h"
#include "RowMapper.h"
#include "StoreSchema.h"

#include <QSqlQuery>
#include <QSqlRecord>

using namespace StoreSchema;

void ModelContext::reloadRows(const QHash<QString, QList<qint64>> &rows)
{
    if (rows.isEmpty() || m_damaged || (!m_db.isOpen() && !connect(nullptr, nullptr)))
        return;
    bool anyChange = false;
    // Owners come before what they own, so that a new card finds its reading.
    for (const RecordType &type : recordTypes()) {
        const QList<qint64> keys = rows.value(tableName(*type.meta));
        if (keys.isEmpty())
            continue;
        QStringList ids;
        for (qint64 key : keys)
            ids.append(QString::number(key));
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT * FROM %1 WHERE pk IN (%2)").arg(tableName(*type.meta), ids.join(u','))))
            continue;
        QHash<qint64, QSqlRecord> found;
        while (query.next())
            found.insert(query.value(0).toLongLong(), query.record());
        query.finish();

        const QList<QMetaProperty> properties = storedProperties(*type.meta);
        TypeState &state = m_types[type.meta];
        QStringList unread;
        for (qint64 key : keys) {
            Record *record = state.stored.value(key);
            if (!found.contains(key)) {
                if (!record || record->m_deleted)
                    continue;
                // Deleted there: it leaves the lists here, and its owner's list.
                if (auto *card = qobject_cast<DrawnCard *>(record))
                    card->setReading(nullptr);
                record->m_deleted = true;
                state.live.removeOne(record);
                state.stored.remove(key);
                m_dirty.remove(record);
                record->deleteLater();
                anyChange = true;
                continue;
            }
            const QSqlRecord row = found.value(key);
            if (!record) {
                // A row new here is read now only where a full list is in memory, or its
                // owner is; other reads find it on disk.
                bool wanted = state.loaded;
                for (const QMetaProperty &link : links(*type.meta))
                    wanted = wanted || m_types[linkedType(link)].stored.contains(
                                           row.value(QString::fromLatin1(link.name())).toLongLong());
                if (wanted)
                    unread.append(QString::number(key));
                continue;
            }
            // Fields changed here and not saved yet keep their value: the save sends them on.
            const quint64 pending = record->m_changedProperties;
            for (const QMetaProperty &property : properties) {
                if (linkedType(property) || (pending & (quint64(1) << property.propertyIndex())))
                    continue;
                const QVariant value = RowMapper::fromColumn(property, row.value(QString::fromLatin1(property.name())));
                if (property.read(record) != value) {
                    property.write(record, value);
                    anyChange = true;
                }
            }
            record->m_changedProperties = pending;
            if (pending == 0)
                m_dirty.remove(record);
        }
        if (!unread.isEmpty()) {
            loadRows(*type.meta, QStringLiteral(" WHERE pk IN (%1)").arg(unread.join(u',')), {});
            anyChange = true;
        }
    }
    if (anyChange)
        scheduleChanged();
}
