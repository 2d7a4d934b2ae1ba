#include "AppSettings.h"
#include "Clock.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "Reading.h"
#include "RecordListModel.h"
#include "StoreLog.h"
#include "StoreTestSupport.h"
#include "UserCardNote.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <ctime>

namespace {

// A second connection to the same file, as another process would have.
class OtherConnection
{
public:
    explicit OtherConnection(const QString &path)
    {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        m_db.setDatabaseName(path);
        m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        m_db.open();
    }
    ~OtherConnection()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }
    bool exec(const QString &sql)
    {
        QSqlQuery query(m_db);
        const bool ok = query.exec(sql);
        if (!ok)
            qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        return ok;
    }
    QVariant scalar(const QString &sql)
    {
        QSqlQuery query(m_db);
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }

private:
    QSqlDatabase m_db;
};

void setTimeZone(const char *zone)
{
    qputenv("TZ", zone);
    tzset();
}

int modeOf(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 0777) : -1;
}

} // namespace

class StoreTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Clock::reset();
        setTimeZone("Europe/Berlin");
    }

    void journalEntryIsDatedAtTheStartOfItsDay_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("given");
        // A minute before midnight, on both of Berlin's clock-change days, and in a zone whose
        // clocks jump at midnight so that the day starts at 01:00.
        QTest::newRow("23:59") << QByteArray("Europe/Berlin") << QDateTime(QDate(2026, 6, 1), QTime(23, 59));
        QTest::newRow("spring forward") << QByteArray("Europe/Berlin") << QDateTime(QDate(2026, 3, 29), QTime(23, 59));
        QTest::newRow("fall back") << QByteArray("Europe/Berlin") << QDateTime(QDate(2026, 10, 25), QTime(23, 59));
        QTest::newRow("no midnight") << QByteArray("America/Santiago") << QDateTime(QDate(2026, 9, 6), QTime(23, 59));
    }
    void journalEntryIsDatedAtTheStartOfItsDay()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, given);
        setTimeZone(zone.constData());
        const QDateTime localGiven(given.date(), given.time());
        JournalEntry entry(localGiven);
        QCOMPARE(entry.date().date(), given.date());
        QVERIFY(entry.date() <= localGiven);
        // Nothing of the day comes before the stored instant.
        QCOMPARE(entry.date().addSecs(-1).date(), given.date().addDays(-1));
        QVERIFY(entry.reflectionText().isEmpty() && !entry.reflectionText().isNull());
        QVERIFY(entry.mood().isNull() && entry.dailyCardId().isNull() && entry.journalPrompt().isNull());
    }

    void reflectionCountsOnlyVisibleText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("has");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("spaces and breaks") << QStringLiteral("  \n\t \r\n ") << false;
        QTest::newRow("one letter") << QStringLiteral("\n a \n") << true;
        QTest::newRow("punctuation") << QStringLiteral(".") << true;
    }
    void reflectionCountsOnlyVisibleText()
    {
        QFETCH(QString, text);
        QFETCH(bool, has);
        JournalEntry entry(QDateTime::currentDateTime());
        entry.setReflectionText(text);
        QCOMPARE(entry.hasReflection(), has);
    }

    void fetchSeesUnsavedInsertsAndNotRemovals()
    {
        TempStore store;
        auto context = store.open();
        QVERIFY(context);
        auto *a = new UserCardNote(QStringLiteral("major_01"), QStringLiteral("b"));
        auto *b = new UserCardNote(QStringLiteral("major_00"), QStringLiteral("a"));
        auto *c = new UserCardNote(QStringLiteral("major_02"), QStringLiteral("c"));
        auto *d = new UserCardNote(QStringLiteral("major_02"), QStringLiteral("d")); // a second note on one card
        for (UserCardNote *note : {a, b, c, d})
            context->insert(note);
        const auto byCard = [](const UserCardNote *x, const UserCardNote *y) { return x->cardId() < y->cardId(); };
        QCOMPARE(context->fetch<UserCardNote>({}, byCard), (QList<UserCardNote *>{b, a, c, d}));
        context->remove(a);
        QCOMPARE(context->fetch<UserCardNote>({}, byCard), (QList<UserCardNote *>{b, c, d}));
        const auto onlyC = [](const UserCardNote *n) { return n->noteText() == QLatin1String("c"); };
        QCOMPARE(context->fetch<UserCardNote>(onlyC), (QList<UserCardNote *>{c}));
        QVERIFY(context->save());
        context.reset();

        context = store.open();
        const QList<UserCardNote *> reread = context->fetch<UserCardNote>({}, byCard);
        QCOMPARE(reread.size(), 3);
        QCOMPARE(reread.at(0)->noteText(), QStringLiteral("a"));
        // The identity map hands out one object per stored row.
        QCOMPARE(context->fetch<UserCardNote>({}, byCard).at(0), reread.at(0));
    }

    void savedRecordsReadBackEqual()
    {
        TempStore store;
        const QDateTime when = QDateTime(QDate(2026, 3, 29), QTime(3, 15, 42, 123));
        Clock::pin(QDateTime(QDate(2026, 12, 5), QTime(21, 30)));
        QUuid entryId, readingId, noteId;
        {
            auto context = store.open();
            auto *entry = new JournalEntry(when);
            entry->setDailyCardId(QStringLiteral("cups_12"));
            entry->setDailyCardReversed(true);
            entry->setReflectionText(QStringLiteral("Line one\nLine two — with an em dash and ünïcödé"));
            entry->setMood(QStringLiteral("Hopeful"));
            // journalPrompt stays absent, which must not come back as an empty text
            entryId = entry->id();
            context->insert(entry);

            auto *reading = new Reading(QStringLiteral("three_card"));
            reading->setDate(when);
            reading->setIsFavorite(true);
            readingId = reading->id();
            reading->addDrawnCard(new DrawnCard(QStringLiteral("major_16"), QStringLiteral("past"), true));
            reading->addDrawnCard(new DrawnCard(QStringLiteral("wands_01"), QStringLiteral("present"), false));
            context->insert(reading);
            context->insert(new AppSettings); // with its defaults

            auto *note = new UserCardNote(QStringLiteral("swords_03"), QStringLiteral("Heartache passes."));
            note->setLastModified(when);
            noteId = note->id();
            context->insert(note);
            QVERIFY(context->save());
            QVERIFY(!context->hasChanges());
        }

        auto context = store.open();
        const auto entries = context->fetch<JournalEntry>();
        QCOMPARE(entries.size(), 1);
        const JournalEntry *entry = entries.first();
        QCOMPARE(entry->id(), entryId);
        QCOMPARE(entry->date(), when.date().startOfDay());
        QCOMPARE(entry->dailyCardId(), QStringLiteral("cups_12"));
        QVERIFY(entry->dailyCardReversed());
        QCOMPARE(entry->reflectionText(), QStringLiteral("Line one\nLine two — with an em dash and ünïcödé"));
        QCOMPARE(entry->mood(), QStringLiteral("Hopeful"));
        QVERIFY(entry->journalPrompt().isNull());

        const auto readings = context->fetch<Reading>();
        QCOMPARE(readings.size(), 1);
        const Reading *reading = readings.first();
        QCOMPARE(reading->id(), readingId);
        QCOMPARE(reading->date(), when);
        QVERIFY(reading->isFavorite());
        QVERIFY(reading->notes().isEmpty() && !reading->notes().isNull());
        QCOMPARE(reading->drawnCards().size(), 2);
        QCOMPARE(reading->drawnCards().at(0)->cardId(), QStringLiteral("major_16"));
        QVERIFY(reading->drawnCards().at(0)->isReversed());
        QCOMPARE(reading->drawnCards().at(1)->reading(), reading);

        const auto settings = context->fetch<AppSettings>();
        QCOMPARE(settings.size(), 1);
        const AppSettings *s = settings.first();
        QVERIFY(s->allowReversedCards() && s->guidedReadingMode() && !s->hasCompletedOnboarding());
        QVERIFY(!s->soundEnabled() && !s->dailyReminderEnabled());
        QCOMPARE(s->dailyReminderTime(), QDateTime(QDate(2026, 12, 5), QTime(9, 0)));
        QCOMPARE(s->activeDeckTheme(), QStringLiteral("dark-art-nouveau"));
        QCOMPARE(context->fetch<UserCardNote>().first()->id(), noteId);
        QCOMPARE(context->fetch<UserCardNote>().first()->lastModified(), when);
    }

    void removingAReadingTakesItsDrawnCardsButNotTheOtherWayRound()
    {
        TempStore store;
        {
            auto context = store.open();
            for (const char *spread : {"three_card", "yes_no"}) {
                auto *reading = new Reading(QString::fromLatin1(spread));
                for (const char *position : {"past", "present", "future"})
                    reading->addDrawnCard(
                        new DrawnCard(QStringLiteral("major_00"), QString::fromLatin1(position), false));
                context->insert(reading);
            }
            QVERIFY(context->save());
            const QList<Reading *> readings = context->fetch<Reading>();
            context->remove(readings.at(0));
            QCOMPARE(context->fetch<DrawnCard>().size(), 3);
            context->remove(readings.at(1)->drawnCards().first());
            QCOMPARE(readings.at(1)->drawnCards().size(), 2);
            QVERIFY(context->save());
        }
        auto context = store.open();
        QCOMPARE(context->fetch<Reading>().size(), 1);
        QCOMPARE(context->fetch<Reading>().first()->drawnCards().size(), 2);
        OtherConnection other(store.path());
        QCOMPARE(other.scalar(QStringLiteral("SELECT count(*) FROM DrawnCard")).toInt(), 2);
    }

    void anUpdateWritesOnlyTheFieldsItChanged()
    {
        TempStore store;
        {
            auto context = store.open();
            context->insert(new Reading(QStringLiteral("three_card")));
            auto *entry = new JournalEntry(QDateTime::currentDateTime());
            entry->setMood(QStringLiteral("Joyful"));
            context->insert(entry);
            QVERIFY(context->save());
        }
        // Two windows (or processes) hold the same rows; the second one's copy grows stale.
        auto mine = store.open();
        auto stale = store.open();
        Reading *staleReading = stale->fetch<Reading>().first();
        JournalEntry *staleEntry = stale->fetch<JournalEntry>().first();
        mine->fetch<Reading>().first()->setNotes(QStringLiteral("written in the first window"));
        mine->fetch<JournalEntry>().first()->setMood(QString()); // back to no mood
        QVERIFY(mine->save());
        staleReading->setIsFavorite(true);
        staleEntry->setReflectionText(QStringLiteral("later"));
        QVERIFY(stale->save());

        auto context = store.open();
        const Reading *reading = context->fetch<Reading>().first();
        QCOMPARE(reading->notes(), QStringLiteral("written in the first window"));
        QVERIFY(reading->isFavorite());
        const JournalEntry *entry = context->fetch<JournalEntry>().first();
        QVERIFY(entry->mood().isNull());
        QCOMPARE(entry->reflectionText(), QStringLiteral("later"));
    }

    void aFailedSaveKeepsEverythingForTheNextOne()
    {
        TempStore store;
        auto context = store.open();
        context->insert(new AppSettings);
        QVERIFY(context->save());

        // Another writer makes every new journal entry fail, as a full disk would.
        OtherConnection other(store.path());
        QVERIFY(other.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON JournalEntry "
                                          "BEGIN SELECT RAISE(ABORT, 'disk says no'); END")));
        auto *entry = new JournalEntry(QDateTime::currentDateTime());
        entry->setReflectionText(QStringLiteral("keep me"));
        context->insert(entry);
        context->fetch<AppSettings>().first()->setSoundEnabled(true);
        {
            LogCapture log;
            QVERIFY(!saveContext(*context));
            QCOMPARE(log.lines(),
                     QStringList{QStringLiteral("com.quillmoor.tarot.SwiftData: SwiftData save error: disk says no")});
        }
        // Nothing of the failed transaction reached the disk, and memory kept everything.
        QCOMPARE(other.scalar(QStringLiteral("SELECT soundEnabled FROM AppSettings")).toInt(), 0);
        QVERIFY(context->hasChanges());
        QCOMPARE(context->fetch<JournalEntry>(), QList<JournalEntry *>{entry});
        QVERIFY(other.exec(QStringLiteral("DROP TRIGGER refuse")));

        // Then it holds the store while we save: without waiting, the save fails and keeps all.
        context->setBusyTimeout(0);
        QVERIFY(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QString error;
        QVERIFY(!context->save(&error));
        QVERIFY2(error.contains(QLatin1String("locked")), qPrintable(error));
        QVERIFY(other.exec(QStringLiteral("COMMIT")));

        QVERIFY(saveContext(*context));
        QCOMPARE(other.scalar(QStringLiteral("SELECT reflectionText FROM JournalEntry")).toString(),
                 QStringLiteral("keep me"));
        QCOMPARE(other.scalar(QStringLiteral("SELECT soundEnabled FROM AppSettings")).toInt(), 1);
    }

    void unusableFilesAreRefusedAndLeftUntouched_data()
    {
        QTest::addColumn<QByteArray>("contents"); // empty: a real store raised to schema 7
        QTest::addColumn<ModelContext::Problem>("problem");
        QTest::newRow("text file") << QByteArray("These are my notes, not a database.\n").repeated(10)
                                   << ModelContext::Problem::NotOurs;
        QByteArray foreign("SQLite format 3\0", 16);
        foreign.append(QByteArray(4096 - 16, '\0'));
        QTest::newRow("another application's database") << foreign << ModelContext::Problem::NotOurs;
        QTest::newRow("newer version") << QByteArray() << ModelContext::Problem::Newer;
    }
    void unusableFilesAreRefusedAndLeftUntouched()
    {
        QFETCH(QByteArray, contents);
        QFETCH(ModelContext::Problem, problem);
        TempStore store;
        if (contents.isEmpty()) {
            QVERIFY(store.open());
            OtherConnection other(store.path());
            QVERIFY(other.exec(QStringLiteral("PRAGMA user_version = 7")));
        } else {
            QFile file(store.path());
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
        }
        const QByteArray before = fingerprint(store.path());

        ModelContext::Problem found = ModelContext::Problem::None;
        QVERIFY(!ModelContext::open(store.path(), nullptr, &found));
        QCOMPARE(found, problem);
        QCOMPARE(fingerprint(store.path()), before);
        QCOMPARE(QDir(store.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("default.store")});
    }

    void storeFilesArePrivateWhateverTheUmask()
    {
        QTemporaryDir dir;
        const mode_t previous = ::umask(0);
        // A store folder left open to everyone, holding a zero-byte store with stale side files.
        const QString open = dir.filePath(QStringLiteral("open"));
        QVERIFY(QDir().mkdir(open) && modeOf(open) == 0777);
        for (const char *suffix : {"", "-wal", "-shm"})
            QVERIFY(QFile(open + QStringLiteral("/default.store") + QLatin1String(suffix)).open(QIODevice::WriteOnly));
        const QString nested = dir.filePath(QStringLiteral("a/b/default.store"));
        for (const QString &path : {open + QStringLiteral("/default.store"), nested}) {
            auto context = ModelContext::open(path, nullptr);
            QVERIFY(context);
            context->insert(new AppSettings);
            QVERIFY(context->save());
            for (const char *suffix : {"", "-wal", "-shm"})
                QCOMPARE(modeOf(path + QLatin1String(suffix)), 0600);
        }
        // A shared sticky folder like /tmp keeps its mode: others rely on it.
        const QString shared = dir.filePath(QStringLiteral("shared"));
        QVERIFY(QDir().mkdir(shared));
        QVERIFY(::chmod(QFile::encodeName(shared).constData(), 01777) == 0);
        QVERIFY(ModelContext::open(shared + QStringLiteral("/default.store"), nullptr));
        ::umask(previous);
        QCOMPARE(modeOf(shared), 0777);
        for (const char *folder : {"open", "a", "a/b"})
            QCOMPARE(modeOf(dir.filePath(QLatin1String(folder))), 0700);

        // A plain file where the data folder should be, and a folder where the store should be.
        QFile blocker(dir.filePath(QStringLiteral("blocked")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("c/default.store")));
        for (const char *path : {"blocked/default.store", "c/default.store"}) {
            ModelContext::Problem problem = ModelContext::Problem::None;
            QVERIFY(!ModelContext::open(dir.filePath(QLatin1String(path)), nullptr, &problem));
            QCOMPARE(problem, ModelContext::Problem::CannotOpen);
        }
    }

    void aStoreOfThePreviousVersionIsUpgraded()
    {
        TempStore store;
        {
            // Version 1 exactly as the first release wrote it.
            OtherConnection old(store.path());
            for (const char *sql : {
                     "PRAGMA application_id = 1364476242",
                     "PRAGMA user_version = 1",
                     "CREATE TABLE Reading (pk INTEGER PRIMARY KEY, id TEXT, spreadType TEXT, date INTEGER, "
                     "notes TEXT, isFavorite INTEGER NOT NULL)",
                     "CREATE TABLE DrawnCard (pk INTEGER PRIMARY KEY, cardId TEXT, positionId TEXT, isReversed "
                     "INTEGER NOT NULL, reading INTEGER REFERENCES Reading(pk) ON DELETE CASCADE)",
                     "CREATE TABLE JournalEntry (pk INTEGER PRIMARY KEY, id TEXT, date INTEGER, dailyCardId TEXT, "
                     "dailyCardReversed INTEGER NOT NULL, reflectionText TEXT, mood TEXT, journalPrompt TEXT)",
                     "CREATE TABLE UserCardNote (pk INTEGER PRIMARY KEY, id TEXT, cardId TEXT, noteText TEXT, "
                     "lastModified INTEGER)",
                     "CREATE TABLE AppSettings (pk INTEGER PRIMARY KEY, allowReversedCards INTEGER NOT NULL, "
                     "dailyReminderEnabled INTEGER NOT NULL, dailyReminderTime INTEGER, hasCompletedOnboarding "
                     "INTEGER NOT NULL, soundEnabled INTEGER NOT NULL, activeDeckTheme TEXT, guidedReadingMode "
                     "INTEGER NOT NULL)",
                     "CREATE INDEX DrawnCard_reading ON DrawnCard(reading)",
                     "PRAGMA journal_mode = WAL",
                     "INSERT INTO Reading VALUES (1, '6f1c1d6e-5a0b-4d36-9c51-0f2b8f1e7a10', 'yes_no', "
                     "1780000000000, 'Will it rain?', 1)",
                     "INSERT INTO DrawnCard VALUES (1, 'cups_03', 'answer', 1, 1)",
                     "INSERT INTO JournalEntry VALUES (1, 'b3c8d1f2-1111-4a5b-8c9d-0e1f2a3b4c5d', 1779919200000, "
                     "'major_17', 0, 'Clear skies.', 'Hopeful', NULL)",
                     "INSERT INTO UserCardNote VALUES (1, 'c0ffee00-2222-4a5b-8c9d-0e1f2a3b4c5d', 'major_17', "
                     "'Hope after the storm.', 1779919200000)",
                     "INSERT INTO AppSettings VALUES (1, 0, 1, 1779951600000, 0, 1, 'dark-art-nouveau', 1)",
                 })
                QVERIFY(old.exec(QString::fromLatin1(sql)));
        }
        {
            auto context = store.open();
            QVERIFY(context);
            const Reading *reading = context->fetch<Reading>().value(0);
            QVERIFY(reading && reading->isFavorite());
            QCOMPARE(reading->notes(), QStringLiteral("Will it rain?"));
            QCOMPARE(reading->drawnCards().size(), 1);
            QCOMPARE(reading->drawnCards().first()->cardId(), QStringLiteral("cups_03"));
            QCOMPARE(context->fetch<JournalEntry>().value(0)->mood(), QStringLiteral("Hopeful"));
            QCOMPARE(context->fetch<UserCardNote>().value(0)->noteText(), QStringLiteral("Hope after the storm."));
            QVERIFY(!context->fetch<AppSettings>().value(0)->allowReversedCards());
            context->fetch<JournalEntry>().first()->setReflectionText(QStringLiteral("Still clear."));
            QVERIFY(context->save());
        }
        OtherConnection other(store.path());
        QCOMPARE(other.scalar(QStringLiteral("PRAGMA user_version")).toInt(), 2);
        QCOMPARE(other
                     .scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name IN "
                                            "('Reading_date', 'JournalEntry_date', 'UserCardNote_cardId')"))
                     .toInt(),
                 3);
        QCOMPARE(other.scalar(QStringLiteral("SELECT reflectionText FROM JournalEntry")).toString(),
                 QStringLiteral("Still clear."));
    }

    void liveQueriesFollowTheContextOncePerTurn()
    {
        TempStore store;
        auto context = store.open();
        auto *model = RecordListModel::make<JournalEntry>(
            context.get(), [](const JournalEntry *e) { return e->hasReflection(); },
            [](const JournalEntry *a, const JournalEntry *b) { return a->date() < b->date(); }, context.get());
        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        auto *later = new JournalEntry(QDateTime(QDate(2026, 5, 2), QTime(8, 0)));
        later->setReflectionText(QStringLiteral("b"));
        auto *earlier = new JournalEntry(QDateTime(QDate(2026, 5, 1), QTime(8, 0)));
        earlier->setReflectionText(QStringLiteral("a"));
        auto *blank = new JournalEntry(QDateTime(QDate(2026, 4, 1), QTime(8, 0)));
        context->insert(later);
        context->insert(earlier);
        context->insert(blank);
        QCOMPARE(model->count(), 0); // nothing until the event loop turns
        QTRY_COMPARE(model->count(), 2);
        QCOMPARE(resets.size(), 1);
        QCOMPARE(model->at(0), earlier);
        QCOMPARE(model->data(model->index(1), RecordListModel::RecordRole).value<Record *>(), later);
        blank->setReflectionText(QStringLiteral("now it counts"));
        QTRY_COMPARE(model->count(), 3);
        QCOMPARE(model->at(0), blank);
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"
