// A store created by this version and one upgraded step by step from the first release's file
// must hold the same tables, columns, indexes and triggers: a forgotten upgrade step shows
// here, not later as saves that fail on one user's computer. And a store whose tables lack a
// column the records need is refused, not half read.
#include "JournalEntry.h"
#include "OtherConnection.h"
#include "StoreTestSupport.h"
#include "Version1Store.h"

#include <QSignalSpy>
#include <QSqlQuery>

#include <algorithm>

namespace {

// Every table, column (name, declared type, NOT NULL, default, key), foreign key, index and
// trigger of a store, one line each, in a fixed order.
QStringList schemaOf(const QString &path)
{
    OtherConnection db(path, QStringLiteral("schema"));
    QStringList lines;
    const auto rows = [](const QString &sql, int columns) {
        QList<QStringList> result;
        QSqlQuery query(QSqlDatabase::database(QStringLiteral("schema")));
        if (!query.exec(sql))
            return result;
        while (query.next()) {
            QStringList row;
            for (int i = 0; i < columns; ++i)
                row.append(query.value(i).isNull() ? QStringLiteral("NULL") : query.value(i).toString());
            result.append(row);
        }
        return result;
    };
    lines.append(QStringLiteral("application_id %1").arg(db.scalar(QStringLiteral("PRAGMA application_id")).toInt()));
    lines.append(QStringLiteral("user_version %1").arg(db.scalar(QStringLiteral("PRAGMA user_version")).toInt()));
    for (const QVariant &table : db.column(QStringLiteral(
             "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' ORDER BY name"))) {
        const QString name = table.toString();
        lines.append(QStringLiteral("table ") + name);
        // cid, name, type, notnull, dflt_value, pk
        for (const QStringList &column : rows(QStringLiteral("PRAGMA table_xinfo(%1)").arg(name), 6))
            lines.append(QStringLiteral("  column %1 %2 notnull=%3 default=%4 pk=%5")
                             .arg(column.at(1), column.at(2), column.at(3), column.at(4), column.at(5)));
        // id, seq, table, from, to, on_update, on_delete, match
        for (const QStringList &key : rows(QStringLiteral("PRAGMA foreign_key_list(%1)").arg(name), 8))
            lines.append(QStringLiteral("  foreign key %1 -> %2(%3) on update %4 on delete %5")
                             .arg(key.at(3), key.at(2), key.at(4), key.at(5), key.at(6)));
        // seq, name, unique, origin, partial
        QList<QStringList> indexes = rows(QStringLiteral("PRAGMA index_list(%1)").arg(name), 5);
        std::sort(indexes.begin(), indexes.end(),
                  [](const QStringList &a, const QStringList &b) { return a.at(1) < b.at(1); });
        for (const QStringList &index : indexes) {
            QStringList columns;
            for (const QStringList &part : rows(QStringLiteral("PRAGMA index_xinfo(%1)").arg(index.at(1)), 6))
                if (part.at(5) == QLatin1String("1")) // key columns, not the row id SQLite adds
                    columns.append(part.at(2) +
                                   (part.at(3) == QLatin1String("1") ? QStringLiteral(" DESC") : QString()));
            lines.append(
                QStringLiteral("  index %1 (%2) unique=%3 origin=%4 partial=%5")
                    .arg(index.at(1), columns.join(QStringLiteral(", ")), index.at(2), index.at(3), index.at(4)));
        }
    }
    for (const QStringList &trigger :
         rows(QStringLiteral("SELECT name, tbl_name, sql FROM sqlite_master WHERE type = 'trigger' ORDER BY name"), 3))
        lines.append(
            QStringLiteral("trigger %1 on %2: %3").arg(trigger.at(0), trigger.at(1), trigger.at(2).simplified()));
    return lines;
}

} // namespace

class StoreSchemaTest : public QObject
{
    Q_OBJECT

private slots:
    void aCreatedStoreAndAnUpgradedOneAgree()
    {
        TempStore created;
        QVERIFY(created.open());
        TempStore upgraded;
        QVERIFY(writeVersion1Store(upgraded.path()));
        QVERIFY(upgraded.open());

        const QStringList fresh = schemaOf(created.path());
        const QStringList stepped = schemaOf(upgraded.path());
        // Every record type has its table, each with more than its key column.
        QVERIFY(fresh.filter(QStringLiteral("table ")).size() >= 5);
        for (const QString &line : stepped)
            if (!fresh.contains(line))
                qWarning("only in the upgraded store: %s", qPrintable(line));
        for (const QString &line : fresh)
            if (!stepped.contains(line))
                qWarning("only in the created store: %s", qPrintable(line));
        QCOMPARE(stepped, fresh);
    }

    void aTableWithoutAColumnIsRefusedNotSkipped()
    {
        TempStore store;
        {
            auto context = store.open();
            QVERIFY(context);
            auto *entry = new JournalEntry(QDateTime::currentDateTime());
            entry->setMood(QStringLiteral("Hopeful"));
            context->insert(entry);
            QVERIFY(context->save());
        }
        {
            OtherConnection other(store.path());
            // Renamed, so the views and triggers over it follow and the table simply lacks "mood".
            QVERIFY(other.exec(QStringLiteral("ALTER TABLE JournalEntry RENAME COLUMN mood TO feeling")));
        }
        auto context = store.open();
        QVERIFY(context);
        QSignalSpy damaged(context.get(), &ModelContext::damaged);
        QVERIFY(context->fetch<JournalEntry>().isEmpty());
        QCOMPARE(damaged.size(), 1);
        QVERIFY(damaged.first().first().toString().contains(QStringLiteral("mood")));
        // Nothing more is written to it.
        context->insert(new JournalEntry(QDateTime::currentDateTime()));
        QVERIFY(!context->save());
        OtherConnection other(store.path(), QStringLiteral("after"));
        QCOMPARE(other.scalar(QStringLiteral("SELECT count(*) FROM JournalEntry")).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(StoreSchemaTest)
#include "tst_store_schema.moc"
