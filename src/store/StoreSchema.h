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
// The record type a stored property points at (a drawn card's reading), or null when the
// property holds a plain value. Such a link is stored as the other row's key; the record
// pointed at owns the one pointing, which is loaded, stored and removed with it.
const QMetaObject *linkedType(const QMetaProperty &property);
struct Link
{
    const QMetaObject *type; // the type whose records point
    QMetaProperty property;  // the property they point with
};
// The link properties of a record type, and the record one of them points at.
QList<QMetaProperty> links(const QMetaObject &type);
Record *linked(const QMetaProperty &link, const Record *record);
// The links that point at records of `owner`: for a reading, its drawn cards' `reading`.
QList<Link> linksTo(const QMetaObject &owner);

// Creates every table and index of the current schema in an empty store.
QStringList createStatements();
// The statements that take a store from `version` to `version + 1`.
QStringList upgradeStatements(int version);

} // namespace StoreSchema
