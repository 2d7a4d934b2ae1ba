#include "SyncSchema.h"

#include "AppSettings.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "Reading.h"
#include "Spread.h"
#include "UserCardNote.h"

using namespace Qt::StringLiterals;

namespace SyncSchema {

namespace {

Table plainTable(const QMetaObject *meta, const QString &kind, const QString &key,
                 const QList<std::pair<QString, Merge>> &fields)
{
    Table table{meta, kind, key, {}, {}};
    for (const auto &[name, merge] : fields) {
        table.columns.append({name, name});
        table.fields.append({name, merge});
    }
    return table;
}

} // namespace

const QList<Table> &tables()
{
    static const QList<Table> all = [] {
        QList<Table> result;
        Table reading = plainTable(&Reading::staticMetaObject, u"reading"_s, u"id"_s,
                                   {{u"spreadType"_s, Merge::LastWriter},
                                    {u"date"_s, Merge::LastWriter},
                                    {u"notes"_s, Merge::Text},
                                    {u"isFavorite"_s, Merge::LastWriter},
                                    {u"question"_s, Merge::Text},
                                    {u"origin"_s, Merge::LastWriter},
                                    {u"outcome"_s, Merge::Text},
                                    {u"lookBackOn"_s, Merge::LastWriter},
                                    {u"spreadLayout"_s, Merge::LastWriter}});
        reading.fields.append({cardsField, Merge::LastWriter});
        result.append(reading);

        Table journal{&JournalEntry::staticMetaObject, u"journal"_s, u"date"_s, {}, {}};
        journal.columns = {{u"id"_s, u"id"_s},
                           {u"dailyCardId"_s, u"dailyCard"_s},
                           {u"dailyCardReversed"_s, u"dailyCard"_s},
                           {u"journalPrompt"_s, u"dailyCard"_s},
                           {u"reflectionText"_s, u"reflectionText"_s},
                           {u"mood"_s, u"mood"_s}};
        journal.fields = {{u"id"_s, Merge::FirstValue},
                          {u"dailyCard"_s, Merge::FirstValue},
                          {u"reflectionText"_s, Merge::Text},
                          {u"mood"_s, Merge::LastWriter}};
        result.append(journal);

        result.append(plainTable(
            &UserCardNote::staticMetaObject, u"note"_s, u"cardId"_s,
            {{u"id"_s, Merge::FirstValue}, {u"noteText"_s, Merge::Text}, {u"lastModified"_s, Merge::LastWriter}}));
        result.append(plainTable(&Spread::staticMetaObject, u"spread"_s, u"id"_s,
                                 {{u"name"_s, Merge::LastWriter},
                                  {u"summary"_s, Merge::LastWriter},
                                  {u"layout"_s, Merge::LastWriter},
                                  {u"created"_s, Merge::LastWriter}}));
        // The reminder and the sound belong to each computer: its own timer posts the reminder.
        result.append(plainTable(&AppSettings::staticMetaObject, u"settings"_s, QString(),
                                 {{u"allowReversedCards"_s, Merge::LastWriter},
                                  {u"hasCompletedOnboarding"_s, Merge::LastWriter},
                                  {u"activeDeckTheme"_s, Merge::LastWriter},
                                  {u"guidedReadingMode"_s, Merge::LastWriter}}));
        return result;
    }();
    return all;
}

const Table *tableOfKind(const QString &kind)
{
    for (const Table &table : tables())
        if (table.kind == kind)
            return &table;
    return nullptr;
}

const Table *tableOf(const QMetaObject *meta)
{
    for (const Table &table : tables())
        if (table.meta == meta)
            return &table;
    return nullptr;
}

Merge mergeOf(const Table &table, const QString &field)
{
    for (const Field &candidate : table.fields)
        if (candidate.name == field)
            return candidate.merge;
    return Merge::LastWriter;
}

QStringList statements()
{
    QStringList result{
        // This computer's part: its identity, the folder, the clock and what the last pass did.
        // `logging` starts with the first pass and stays on, so that changes made while sync is
        // off still go out when it is turned on again.
        u"CREATE TABLE IF NOT EXISTS SyncDevice (only INTEGER PRIMARY KEY CHECK (only = 1), "
        "deviceId TEXT NOT NULL, name TEXT NOT NULL, folder TEXT NOT NULL DEFAULT '', "
        "logging INTEGER NOT NULL DEFAULT 0, applying INTEGER NOT NULL DEFAULT 0, "
        "clockWall INTEGER NOT NULL DEFAULT 0, clockCounter INTEGER NOT NULL DEFAULT 0, "
        "segment INTEGER NOT NULL DEFAULT 0, lastHlc TEXT NOT NULL DEFAULT '', "
        "exportedTo TEXT NOT NULL DEFAULT '', lastSynced INTEGER, lastIn INTEGER NOT NULL DEFAULT 0, "
        "lastOut INTEGER NOT NULL DEFAULT 0, problem TEXT NOT NULL DEFAULT '')"_s,
        // The shared records changed here since the last pass; one row per field.
        u"CREATE TABLE IF NOT EXISTS SyncOutbox (tbl TEXT NOT NULL, rowKey TEXT NOT NULL, field TEXT NOT NULL, "
        "PRIMARY KEY (tbl, rowKey, field)) WITHOUT ROWID"_s,
        // The winning value of every shared field of a record, with the clock of its change, as
        // one JSON object: {"field": [clock, value], ...}.
        // (Rows this long keep their pages fuller in a table with row ids.)
        u"CREATE TABLE IF NOT EXISTS SyncRecord (rowKey TEXT PRIMARY KEY, fields TEXT NOT NULL)"_s,
        // The versions of the long texts, each with the versions it replaced, so that two
        // computers that changed one text apart keep both.
        u"CREATE TABLE IF NOT EXISTS SyncVersion (rowKey TEXT NOT NULL, field TEXT NOT NULL, hlc TEXT NOT NULL, "
        "parents TEXT NOT NULL, value TEXT, PRIMARY KEY (rowKey, field, hlc)) WITHOUT ROWID"_s,
        // How far each change file of the folder has been read.
        u"CREATE TABLE IF NOT EXISTS SyncFile (path TEXT PRIMARY KEY, offset INTEGER NOT NULL, "
        "size INTEGER NOT NULL, modified INTEGER NOT NULL) WITHOUT ROWID"_s,
        // Each other computer: how much of its changes this one has read whole, and how much of
        // this one's it says it has read.
        u"CREATE TABLE IF NOT EXISTS SyncPeer (deviceId TEXT PRIMARY KEY, name TEXT NOT NULL, "
        "readOfTheirs TEXT NOT NULL DEFAULT '', seenOfMine TEXT NOT NULL DEFAULT '') WITHOUT ROWID"_s,
    };

    // Sync finds a reading or a spread by its identifier.
    result.append(u"CREATE INDEX IF NOT EXISTS Reading_id ON Reading(id)"_s);
    result.append(u"CREATE INDEX IF NOT EXISTS Spread_id ON Spread(id)"_s);

    const QString on = u"(SELECT logging AND NOT applying FROM SyncDevice) IS 1"_s;
    for (const Table &table : tables()) {
        const QString name = QString::fromLatin1(table.meta->className());
        const QString key = table.keyColumn.isEmpty() ? u"'settings'"_s : table.keyColumn;
        const auto log = [&](const QString &row, const QString &field) {
            return u"INSERT OR IGNORE INTO SyncOutbox VALUES ('%1', %2.%3, '%4');"_s.arg(
                name, row, table.keyColumn.isEmpty() ? u"pk"_s : key, field);
        };
        result.append(u"CREATE TRIGGER IF NOT EXISTS Sync_%1_insert AFTER INSERT ON %1 WHEN %2 BEGIN %3 END"_s.arg(
            name, on, log(u"new"_s, u"*"_s)));
        result.append(u"CREATE TRIGGER IF NOT EXISTS Sync_%1_delete AFTER DELETE ON %1 WHEN %2 BEGIN %3 END"_s.arg(
            name, on, log(u"old"_s, u"-"_s)));
        for (const Column &column : table.columns)
            result.append(u"CREATE TRIGGER IF NOT EXISTS Sync_%1_%2 AFTER UPDATE OF %2 ON %1 "
                          "WHEN %3 AND old.%2 IS NOT new.%2 BEGIN %4 END"_s.arg(name, column.column, on,
                                                                                log(u"new"_s, column.column)));
        // A journal entry is known by its day, a card note by its card: the key itself may change.
        if (!table.keyColumn.isEmpty() && table.keyColumn != u"id")
            result.append(u"CREATE TRIGGER IF NOT EXISTS Sync_%1_key AFTER UPDATE OF %2 ON %1 "
                          "WHEN %3 AND old.%2 IS NOT new.%2 BEGIN %4 %5 END"_s.arg(name, key, on, log(u"old"_s, u"-"_s),
                                                                                   log(u"new"_s, u"*"_s)));
    }
    // A reading's cards are one field of the reading.
    for (const char *event : {"INSERT", "DELETE", "UPDATE"}) {
        const QString row = QLatin1String(event) == u"DELETE" ? u"old"_s : u"new"_s;
        result.append(
            u"CREATE TRIGGER IF NOT EXISTS Sync_DrawnCard_%1 AFTER %2 ON DrawnCard WHEN %3 BEGIN "
            "INSERT OR IGNORE INTO SyncOutbox SELECT 'Reading', id, 'cards' FROM Reading "
            "WHERE pk = %4.reading; END"_s.arg(QString::fromLatin1(event).toLower(), QLatin1String(event), on, row));
    }
    return result;
}

} // namespace SyncSchema
