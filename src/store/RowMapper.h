#pragma once

#include <QHash>
#include <QList>
#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlQuery;
class Record;

// How a record's stored properties become a row and back: one column per property, named after
// it. Booleans are 0 or 1, dates milliseconds since the epoch, ids texts without braces, and a
// drawn card's reading the reading's store key.
namespace RowMapper {

// A property value as it is written to its column. Absent optional texts become NULL. A link
// to a reading saved in the same transaction takes its new key from `newIds`.
QVariant toColumn(const QMetaProperty &property, const Record *record, const QHash<Record *, qint64> &newIds);
QVariant fromColumn(const QMetaProperty &property, const QVariant &column);
QStringList columnNames(const QList<QMetaProperty> &properties);
// Inserts a row for every stored property; with `onlyIntoEmptyTable`, only when the table has
// no row yet, decided by the same statement.
QString insertSql(const QMetaObject &type, bool onlyIntoEmptyTable);
bool bindAndExec(QSqlQuery &query, const QList<QMetaProperty> &properties, const Record *record,
                 const QHash<Record *, qint64> &newIds);

} // namespace RowMapper
