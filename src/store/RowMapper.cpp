#include "RowMapper.h"

#include "Record.h"
#include "StoreSchema.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QUuid>

using namespace StoreSchema;

namespace RowMapper {

QVariant toColumn(const QMetaProperty &property, const Record *record, const QHash<Record *, qint64> &newIds)
{
    const QVariant value = property.read(record);
    const QMetaType type = property.metaType();
    if (linkedType(property)) {
        auto *owner = qobject_cast<Record *>(value.value<QObject *>());
        if (!owner || owner->context() != record->context() || owner->isDeleted())
            return QVariant(QMetaType::fromType<qint64>());
        const qint64 id = owner->storeId() ? owner->storeId() : newIds.value(owner, 0);
        return id ? QVariant(id) : QVariant(QMetaType::fromType<qint64>());
    }
    if (type == QMetaType::fromType<bool>())
        return value.toBool() ? 1 : 0;
    if (type == QMetaType::fromType<QDateTime>()) {
        const QDateTime dt = value.toDateTime();
        return dt.isValid() ? QVariant(dt.toMSecsSinceEpoch()) : QVariant(QMetaType::fromType<qint64>());
    }
    if (type == QMetaType::fromType<QUuid>())
        return value.toUuid().toString(QUuid::WithoutBraces);
    const QString text = value.toString();
    return text.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

QVariant fromColumn(const QMetaProperty &property, const QVariant &column)
{
    const QMetaType type = property.metaType();
    if (type == QMetaType::fromType<bool>())
        return column.toLongLong() != 0;
    if (type == QMetaType::fromType<QDateTime>())
        return column.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(column.toLongLong());
    if (type == QMetaType::fromType<QUuid>())
        return QUuid::fromString(column.toString());
    return column.isNull() ? QString() : column.toString();
}

QStringList columnNames(const QList<QMetaProperty> &properties)
{
    QStringList names;
    for (const QMetaProperty &property : properties)
        names.append(QString::fromLatin1(property.name()));
    return names;
}

QString insertSql(const QMetaObject &type, bool onlyIntoEmptyTable)
{
    const QString table = tableName(type);
    const QStringList names = columnNames(storedProperties(type));
    const QString values = QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", "));
    if (onlyIntoEmptyTable)
        return QStringLiteral("INSERT INTO %1 (%2) SELECT %3 WHERE NOT EXISTS (SELECT 1 FROM %1)")
            .arg(table, names.join(QStringLiteral(", ")), values);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(QStringLiteral(", ")), values);
}

bool bindAndExec(QSqlQuery &query, const QList<QMetaProperty> &properties, const Record *record,
                 const QHash<Record *, qint64> &newIds)
{
    for (int i = 0; i < properties.size(); ++i)
        query.bindValue(i, toColumn(properties.at(i), record, newIds));
    return query.exec();
}

} // namespace RowMapper
