// Snapshots of a real store: what is copied and checked, what the thinning keeps, the one
// before an upgrade, the day's snapshot after the first save, and the headless commands.
#include "BackupCommands.h"
#include "BackupListModel.h"
#include "BackupScheduler.h"
#include "Clock.h"
#include "JournalEntry.h"
#include "StoreBackups.h"
#include "StoreTestSupport.h"
#include "Version1Store.h"

#include <QDir>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

using Kind = StoreBackups::Kind;
using namespace Qt::StringLiterals;

namespace {

QDateTime local(int year, int month, int day, int hour = 12)
{
    return QDateTime(QDate(year, month, day), QTime(hour, 0));
}

StoreBackups::Snapshot snapshot(const QDateTime &taken, Kind kind = Kind::Regular)
{
    StoreBackups::Snapshot made;
    made.taken = taken.toUTC();
    made.kind = kind;
    made.path = taken.toString(u"yyyy-MM-dd HH"_s) + (kind == Kind::BeforeUpgrade ? u" upgrade"_s : QString());
    return made;
}

QStringList names(const QList<StoreBackups::Snapshot> &snapshots)
{
    QStringList result;
    for (const auto &s : snapshots)
        result.append(s.path);
    return result;
}

unsigned modeOf(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : 0;
}

void fill(ModelContext &context, int readings, int entries)
{
    for (int i = 0; i < readings; ++i)
        addReading(context, u"three_card"_s, local(2026, 3, 1 + i % 28), false,
                   {{u"major_01"_s, u"past"_s}, {u"cups_02"_s, u"present"_s}, {u"wands_03"_s, u"future"_s}});
    for (int i = 0; i < entries; ++i)
        context.insert(new JournalEntry(local(2026, 4, 1).addDays(i)));
    QVERIFY(context.save());
}

} // namespace

class BackupsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::reset(); }

    // Newest first in, the removed ones out: the newest of each of the last 7 days with a
    // snapshot and of each of the last 4 weeks stays, and so does every snapshot before an upgrade.
    void thinning_data()
    {
        QTest::addColumn<QList<StoreBackups::Snapshot>>("snapshots");
        QTest::addColumn<QStringList>("removed");

        QList<StoreBackups::Snapshot> sameDay{snapshot(local(2026, 12, 8, 18)), snapshot(local(2026, 12, 8, 9)),
                                              snapshot(local(2026, 12, 8, 7))};
        QTest::newRow("three on one day keep the newest")
            << sameDay << QStringList{u"2026-12-08 09"_s, u"2026-12-08 07"_s};

        // Tuesday 8 December back to Tuesday 10 November, one a day: the 7 newest days stay, and
        // of the older weeks the newest of each until there are 4 weeks: 29 November (a Sunday,
        // week 48) and 22 November (week 47). Week 49 is in already through 6 December.
        QList<StoreBackups::Snapshot> daily;
        for (int back = 0; back < 29; ++back)
            daily.append(snapshot(local(2026, 12, 8).addDays(-back)));
        QStringList removed;
        for (int back = 7; back < 29; ++back) {
            const QDate day = QDate(2026, 12, 8).addDays(-back);
            if (day != QDate(2026, 11, 29) && day != QDate(2026, 11, 22))
                removed.append(day.toString(u"yyyy-MM-dd"_s) + u" 12"_s);
        }
        QTest::newRow("a month of daily snapshots") << daily << removed;

        QList<StoreBackups::Snapshot> withUpgrade = daily;
        withUpgrade.insert(20, snapshot(local(2026, 11, 18, 3), Kind::BeforeUpgrade));
        QTest::newRow("the one before an upgrade stays") << withUpgrade << removed;

        // The 7 newest days are those with a snapshot, however far apart. 1 to 3 January 2027
        // belong to ISO week 53 of 2026, like 28 December, which therefore goes; 21 and 14
        // December fill the four weeks.
        QList<StoreBackups::Snapshot> acrossTheYear{snapshot(local(2027, 1, 10))};
        for (int back = 0; back < 7; ++back)
            acrossTheYear.append(snapshot(local(2027, 1, 3).addDays(-back)));
        for (const QDate day : {QDate(2026, 12, 21), QDate(2026, 12, 14), QDate(2026, 12, 7), QDate(2026, 11, 30)})
            acrossTheYear.append(snapshot(day.startOfDay().addSecs(12 * 3600)));
        QTest::newRow("weeks across the new year")
            << acrossTheYear << QStringList{u"2026-12-28 12"_s, u"2026-12-07 12"_s, u"2026-11-30 12"_s};
    }
    void thinning()
    {
        QFETCH(QList<StoreBackups::Snapshot>, snapshots);
        QFETCH(QStringList, removed);
        QCOMPARE(names(StoreBackups::notKept(snapshots)), removed);
    }

    // A snapshot holds what was saved, passes SQLite's check on its own, and is private; it is
    // made while another connection holds an unfinished write, which it neither waits for nor sees.
    void aSnapshotIsACheckedPrivateCopyOfWhatWasSaved()
    {
        TempStore store;
        auto context = store.open();
        fill(*context, 12, 5);

        QSqlDatabase writer = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"writer"_s);
        writer.setDatabaseName(store.path());
        QVERIFY(writer.open());
        {
            QSqlQuery busy(writer);
            QVERIFY(busy.exec(u"BEGIN IMMEDIATE"_s));
            QVERIFY(busy.exec(u"DELETE FROM JournalEntry"_s));

            QString error;
            const StoreBackups backups(store.path());
            const auto made = backups.take(Kind::Regular, local(2026, 12, 8, 10), 0, &error);
            QVERIFY2(made, qPrintable(error));
            QVERIFY(busy.exec(u"ROLLBACK"_s));

            QCOMPARE(QFileInfo(made->path).fileName(), u"default-20261208T090000Z.store"_s);
            QCOMPARE(modeOf(backups.folder()), 0700u);
            QCOMPARE(modeOf(made->path), 0600u);
            QCOMPARE(QDir(backups.folder()).entryList(QDir::Files), QStringList{QFileInfo(made->path).fileName()});
            const auto contents = StoreBackups::contents(made->path, &error);
            QVERIFY2(contents, qPrintable(error));
            QCOMPARE(contents->readings, 12);
            QCOMPARE(contents->journalEntries, 5);
            QCOMPARE(contents->schemaVersion, StoreFile::schemaVersion);
            QCOMPARE(backups.list().size(), 1);
            QVERIFY(backups.hasRegularSnapshotOn(QDate(2026, 12, 8)));
            QVERIFY(!backups.hasRegularSnapshotOn(QDate(2026, 12, 7)));
        }
        writer.close();
        writer = QSqlDatabase();
        QSqlDatabase::removeDatabase(u"writer"_s);

        // The copy opens as a store of its own, with every reading's cards.
        QString error;
        auto copy = ModelContext::open(StoreBackups(store.path()).list().first().path, &error);
        QVERIFY2(copy, qPrintable(error));
        const QList<Reading *> readings = copy->fetch<Reading>();
        QCOMPARE(readings.size(), 12);
        QCOMPARE(readings.first()->drawnCards().size(), 3);
    }

    // A snapshot that fails leaves no file and removes none of the older ones.
    void aFailedSnapshotKeepsTheOlderOnes()
    {
        TempStore store;
        {
            auto context = store.open();
            fill(*context, 2, 2);
        }
        const StoreBackups backups(store.path());
        QString error;
        for (int day = 1; day <= 9; ++day)
            QVERIFY(backups.take(Kind::Regular, local(2026, 11, day), 0, &error));
        QCOMPARE(backups.list().size(), 7 + 1); // 3 to 9 November, and 1 November for its week
        const QStringList before = QDir(backups.folder()).entryList(QDir::Files);

        QFile garbage(store.path());
        QVERIFY(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
        garbage.write(QByteArray(8192, 'x'));
        garbage.close();
        QFile::remove(store.path() + u"-wal"_s);
        QFile::remove(store.path() + u"-shm"_s);
        QVERIFY(!backups.take(Kind::Regular, local(2026, 11, 10), 0, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(QDir(backups.folder()).entryList(QDir::Files), before);

        QFile::remove(store.path());
        QVERIFY(!backups.take(Kind::Regular, local(2026, 11, 10), 0, &error));
        QVERIFY(error.contains(u"no store"_s));
    }

    // Restoring puts a checked copy of the snapshot in the store's place; the store and its
    // log are kept aside together, byte for byte. A snapshot that is not sound changes nothing.
    void restoringKeepsTheReplacedStoreAside()
    {
        TempStore store;
        const StoreBackups backups(store.path());
        QString error;
        {
            auto context = store.open();
            fill(*context, 4, 0);
            QVERIFY(backups.take(Kind::Regular, local(2026, 12, 1), 0, &error));
            fill(*context, 6, 3);
        }
        // A log the closed store left beside it, as after a crash, moves with it.
        QFile log(store.path() + u"-wal"_s);
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("not yet checkpointed");
        log.close();
        const QByteArray storeBytes = fingerprint(store.path());
        const QByteArray logBytes = fingerprint(log.fileName());

        QFile garbage(backups.folder() + u"/default-20261205T120000Z.store"_s);
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'x'));
        garbage.close();
        QVERIFY(!backups.restore(garbage.fileName(), local(2026, 12, 8), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(fingerprint(store.path()), storeBytes);
        QCOMPARE(backups.latestGood()->taken, local(2026, 12, 1).toUTC());

        const auto aside = backups.restore(backups.latestGood()->path, local(2026, 12, 8, 10), &error);
        QVERIFY2(aside, qPrintable(error));
        QCOMPARE(*aside, QFileInfo(store.path()).absolutePath() + u"/default-replaced-20261208T090000Z.store"_s);
        QCOMPARE(fingerprint(*aside), storeBytes);
        QCOMPARE(fingerprint(*aside + u"-wal"_s), logBytes);
        QVERIFY(!QFileInfo::exists(store.path() + u"-wal"_s));
        QCOMPARE(modeOf(store.path()), 0600u);
        auto restored = store.open();
        QVERIFY(restored);
        QCOMPARE(restored->fetch<Reading>().size(), 4);
        QCOMPARE(restored->fetch<JournalEntry>().size(), 0);
    }

    // Opening a store of the first schema keeps a snapshot of it as it was, once.
    void anUpgradeKeepsTheStoreAsItWas()
    {
        TempStore store;
        QVERIFY(writeVersion1Store(store.path()));
        Clock::pin(local(2026, 12, 8, 3));
        {
            auto context = store.open();
            QVERIFY(context);
        }
        const QList<StoreBackups::Snapshot> kept = StoreBackups(store.path()).list();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept.first().kind, Kind::BeforeUpgrade);
        QCOMPARE(kept.first().fromVersion, 1);
        QCOMPARE(QFileInfo(kept.first().path).fileName(), u"default-20261208T020000Z-before-v2.store"_s);
        QString error;
        const auto contents = StoreBackups::contents(kept.first().path, &error);
        QVERIFY2(contents, qPrintable(error));
        QCOMPARE(contents->schemaVersion, 1);
        QCOMPARE(contents->readings, 1);
        QCOMPARE(contents->journalEntries, 1);

        auto again = store.open();
        QVERIFY(again);
        QCOMPARE(StoreBackups(store.path()).list().size(), 1);
    }

    // The first save of a day takes the day's snapshot off the GUI thread; later saves that day
    // take none; asking takes one whenever.
    void theFirstSaveOfEachDayTakesASnapshot()
    {
        TempStore store;
        auto context = store.open();
        BackupScheduler scheduler(context.get());
        QSignalSpy finished(&scheduler, &BackupScheduler::finished);

        Clock::pin(local(2026, 12, 8, 9));
        fill(*context, 1, 0);
        QVERIFY(scheduler.isRunning());
        scheduler.waitForIdle();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toString(), QString());
        QVERIFY(!scheduler.isRunning());
        QCOMPARE(scheduler.backups().list().size(), 1);

        Clock::pin(local(2026, 12, 8, 21));
        fill(*context, 1, 0);
        scheduler.waitForIdle();
        QCOMPARE(scheduler.backups().list().size(), 1);

        QVERIFY(scheduler.backUpNow());
        QVERIFY(!scheduler.backUpNow()); // one at a time
        scheduler.waitForIdle();
        QCOMPARE(scheduler.backups().list().size(), 1); // the newer of the day replaced the other
        QCOMPARE(scheduler.backups().list().first().taken, local(2026, 12, 8, 21).toUTC());

        Clock::pin(local(2026, 12, 9, 8));
        fill(*context, 0, 1);
        scheduler.waitForIdle();
        QCOMPARE(scheduler.backups().list().size(), 2);

        // A snapshot already taken today (by the command, say) is not taken twice.
        TempStore other;
        auto otherContext = other.open();
        QString error;
        QVERIFY(StoreBackups(other.path()).take(Kind::Regular, local(2026, 12, 9, 7), 0, &error));
        BackupScheduler otherScheduler(otherContext.get());
        fill(*otherContext, 1, 0);
        otherScheduler.waitForIdle();
        QCOMPARE(StoreBackups(other.path()).list().size(), 1);
    }

    // The settings list: each snapshot's time and what it holds, read again when one finishes;
    // what went wrong stays under the list.
    void theListShowsEachSnapshot()
    {
        StoreBackups::Snapshot upgrade = snapshot(local(2026, 12, 8, 3), Kind::BeforeUpgrade);
        QCOMPARE(BackupListModel::titleOf(upgrade), u"December 8, 2026, 3:00 AM (before an update)"_s);
        upgrade.size = 98304;
        QCOMPARE(BackupListModel::detailOf(upgrade, {2, 1, 1}), u"1 reading, 1 journal entry · 98 kB"_s);
        QCOMPARE(BackupListModel::detailOf(upgrade, {2, 20000, 0}), u"20,000 readings, 0 journal entries · 98 kB"_s);

        TempStore store;
        auto context = store.open();
        BackupScheduler scheduler(context.get());
        BackupListModel list;
        list.setScheduler(&scheduler);
        QCOMPARE(list.rowCount(), 0);
        Clock::pin(local(2026, 12, 8, 9));
        list.backUpNow();
        QCOMPARE(list.backUpLabel(), u"Backing Up…"_s);
        scheduler.waitForIdle();
        QCOMPARE(list.rowCount(), 1);
        QCOMPARE(list.data(list.index(0), BackupListModel::DetailRole).toString().left(29),
                 u"0 readings, 0 journal entries"_s);
        QVERIFY(list.status().startsWith(u"Backed up."_s));

        QFile::remove(store.path());
        list.backUpNow();
        scheduler.waitForIdle();
        QVERIFY(list.status().startsWith(u"The last backup could not be made: There is no store"_s));
        QCOMPARE(list.rowCount(), 1);
    }

    void commands()
    {
        TempStore store;
        {
            auto context = store.open();
            fill(*context, 3, 2);
        }
        Clock::pin(local(2026, 12, 8, 10));
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        QCOMPARE(BackupCommands::backUpNow(store.path(), outStream, errStream), 0);
        const QString path = StoreBackups(store.path()).list().first().path;
        QCOMPARE(out, path + u'\n');
        out.clear();
        QCOMPARE(BackupCommands::listBackups(store.path(), outStream, errStream), 0);
        const QStringList fields = out.trimmed().split(u'\t');
        QCOMPARE(fields.size(), 6);
        QCOMPARE(fields.at(0), u"2026-12-08T10:00:00+01:00"_s);
        QCOMPARE(fields.at(1), u"regular"_s);
        QCOMPARE(fields.at(2).toLongLong(), QFileInfo(path).size());
        QCOMPARE(fields.mid(3), (QStringList{u"3"_s, u"2"_s, path}));
        QVERIFY(err.isEmpty());

        TempStore missing;
        out.clear();
        QCOMPARE(BackupCommands::backUpNow(missing.path(), outStream, errStream), 1);
        QVERIFY(out.isEmpty());
        QVERIFY(err.contains(missing.path()));
        QCOMPARE(BackupCommands::listBackups(missing.path(), outStream, errStream), 0);
        QVERIFY(out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(BackupsTest)
#include "tst_backups.moc"
