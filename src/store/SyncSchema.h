#pragma once

#include <QList>
#include <QMetaObject>
#include <QString>
#include <QStringList>

// What the store shares with the user's other computers, and the tables that keep track of it.
// Each shared record has a key that is the same on every computer (its identifier, or its day
// for a journal entry, or its card for a card note), and fields that merge one by one.
namespace SyncSchema {

enum class Merge {
    LastWriter, // the value written last (by the hybrid clock) wins
    FirstValue, // the first value that is not empty wins: a day keeps the first card drawn for it
    Text,       // the last text wins, and a text changed on two computers apart keeps both
};

struct Column
{
    QString column; // the column in the record's table
    QString field;  // the shared field it belongs to (several columns may make one field)
};

struct Field
{
    QString name;
    Merge merge;
};

struct Table
{
    const QMetaObject *meta;
    QString kind;      // the first part of a key: "reading", "journal", ...
    QString keyColumn; // empty for the one settings record
    QList<Column> columns;
    QList<Field> fields;
};

// Every shared kind of record. A reading's drawn cards are its field "cards".
const QList<Table> &tables();
const Table *tableOfKind(const QString &kind);
const Table *tableOf(const QMetaObject *meta);
Merge mergeOf(const Table &table, const QString &field);

inline const QString cardsField = QStringLiteral("cards");
inline const QString deletedField = QStringLiteral("deleted");

// The tables of the sync state and the triggers that note every change made to a shared
// record in the same transaction as the change.
QStringList statements();

} // namespace SyncSchema
