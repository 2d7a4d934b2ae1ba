#pragma once

#include <QList>
#include <QMetaProperty>
#include <QStringList>

class Record;

// The tables of the store and the steps that bring an older store up to date. One table per
// record type, named after it, one column per stored property, named after the property.
namespace StoreSchema {

struct RecordType
{
    const QMetaObject *meta;
    Record *(*create)(); // an empty record for the loader to fill
};

// The stored types in dependency order: a reading is written before its drawn cards.
const QList<RecordType> &recordTypes();
const RecordType *typeFor(const QMetaObject *meta);
QString tableName(const QMetaObject &meta);
// The stored properties of a record type: its own properties marked STORED, in declaration order.
QList<QMetaProperty> storedProperties(const QMetaObject &meta);
// The one property that links a drawn card to its reading's row.
bool isReadingLink(const QMetaProperty &property);

// Creates every table and index of the current schema in an empty store.
QStringList createStatements();
// The statements that take a store from `version` to `version + 1`.
QStringList upgradeStatements(int version);

} // namespace StoreSchema
