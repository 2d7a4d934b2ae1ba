#include "AppSettings.h"
#include "Clock.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "OtherConnection.h"
#include "Reading.h"
#include "RecordListModel.h"
#include "StoreFile.h"
#include "StoreLog.h"
#include "StoreTestSupport.h"
#include "UserCardNote.h"
#include "Version1Store.h"

#include <QMetaProperty>
#include <QSignalSpy>

#include <csignal>
#include <ctime>
#include <sys/resource.h>

namespace {

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

// Every stored field of a record by name, an absent text told apart from an empty one.
QVariantMap fields(const QObject *record)
{
    QVariantMap map;
    const QMetaObject *meta = record->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isStored() || (property.metaType().flags() & QMetaType::PointerToQObject))
            continue;
        const QVariant value = property.read(record);
        const bool absent = value.typeId() == QMetaType::QString && value.toString().isNull();
        map.insert(QString::fromLatin1(property.name()), absent ? QVariant(QStringLiteral("<absent>")) : value);
    }
    return map;
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
        QTest::addColumn<QDate>("day");
        // Both of Berlin's clock-change days, and a zone whose clocks jump at midnight so that
        // the day starts at 01:00.
        QTest::newRow("ordinary") << QByteArray("Europe/Berlin") << QDate(2026, 6, 1);
        QTest::newRow("spring forward") << QByteArray("Europe/Berlin") << QDate(2026, 3, 29);
        QTest::newRow("fall back") << QByteArray("Europe/Berlin") << QDate(2026, 10, 25);
        QTest::newRow("no midnight") << QByteArray("America/Santiago") << QDate(2026, 9, 6);
    }
    void journalEntryIsDatedAtTheStartOfItsDay()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDate, day);
        setTimeZone(zone.constData());
        const QDateTime minuteBeforeMidnight(day, QTime(23, 59));
        JournalEntry entry(minuteBeforeMidnight);
        QCOMPARE(entry.date().date(), day);
        QVERIFY(entry.date() <= minuteBeforeMidnight);
        QCOMPARE(entry.date().addSecs(-1).date(), day.addDays(-1)); // nothing of the day comes before
    }

    void fetchSeesUnsavedInsertsAndNotRemovals()
    {
        TempStore store;
        auto context = store.open();
        QVERIFY(context);
        QList<UserCardNote *> notes;
        for (const char *card : {"major_01", "major_00", "major_02", "major_02"}) // two notes on one card
            context->insert(notes.emplace_back(new UserCardNote(QLatin1String(card), QLatin1String(card))));
        const auto byCard = [](const UserCardNote *x, const UserCardNote *y) { return x->cardId() < y->cardId(); };
        QCOMPARE(context->fetch<UserCardNote>({}, byCard), (QList{notes[1], notes[0], notes[2], notes[3]}));
        context->remove(notes[0]);
        QCOMPARE(context->fetch<UserCardNote>({}, byCard), (QList{notes[1], notes[2], notes[3]}));
        QCOMPARE(context->fetch<UserCardNote>([&](const UserCardNote *n) { return n == notes[2]; }), QList{notes[2]});
        QVERIFY(context->save());
        context.reset();

        context = store.open();
        const QList<UserCardNote *> reread = context->fetch<UserCardNote>({}, byCard);
        QCOMPARE(reread.size(), 3);
        QCOMPARE(reread.at(0)->cardId(), QStringLiteral("major_00"));
        QCOMPARE(context->fetch<UserCardNote>({}, byCard).at(0), reread.at(0)); // one object per stored row
    }

    void everyFieldReadsBackAsSaved()
    {
        TempStore store;
        const QDateTime when(QDate(2026, 3, 29), QTime(3, 15, 42, 123)); // the short day of a clock change
        Clock::pin(QDateTime(QDate(2026, 12, 5), QTime(21, 30)));
        QList<QVariantMap> saved;
        {
            auto context = store.open();
            auto *entry = new JournalEntry(when);
            entry->setDailyCardId(QStringLiteral("cups_12"));
            entry->setDailyCardReversed(true);
            entry->setReflectionText(QStringLiteral("Line one\nLine two — with an em dash and ünïcödé"));
            entry->setMood(QStringLiteral("Hopeful")); // the journal prompt stays absent
            auto *reading = new Reading(QStringLiteral("three_card"));
            reading->setDate(when);
            reading->setIsFavorite(true);
            reading->addDrawnCard(new DrawnCard(QStringLiteral("major_16"), QStringLiteral("past"), true));
            reading->addDrawnCard(new DrawnCard(QStringLiteral("wands_01"), QStringLiteral("present"), false));
            auto *settings = new AppSettings;
            settings->setSoundEnabled(true);
            auto *note = new UserCardNote(QStringLiteral("swords_03"), QStringLiteral("Heartache passes."));
            note->setLastModified(when);
            for (Record *record : std::initializer_list<Record *>{entry, reading, settings, note})
                context->insert(record);
            for (const QObject *record : std::initializer_list<const QObject *>{
                     entry, reading, reading->drawnCards().at(0), reading->drawnCards().at(1), settings, note})
                saved.append(fields(record));
            QVERIFY(context->save());
            QVERIFY(!context->hasChanges());
        }
        auto context = store.open();
        const Reading *reading = context->fetch<Reading>().value(0);
        QVERIFY(reading && reading->drawnCards().size() == 2);
        QCOMPARE(reading->drawnCards().at(1)->reading(), reading);
        const QList<const QObject *> read{context->fetch<JournalEntry>().value(0),
                                          reading,
                                          reading->drawnCards().at(0),
                                          reading->drawnCards().at(1),
                                          context->fetch<AppSettings>().value(0),
                                          context->fetch<UserCardNote>().value(0)};
        for (qsizetype i = 0; i < read.size(); ++i) {
            QVERIFY(read.at(i));
            QCOMPARE(fields(read.at(i)), saved.at(i));
        }
    }

    void removingAReadingTakesItsDrawnCardsButNotTheOtherWayRound()
    {
        TempStore store;
        {
            auto context = store.open();
            for (int i = 0; i < 2; ++i)
                addReading(*context, "three_card", {}, false,
                           {{"major_00", "past"}, {"major_00", "present"}, {"major_00", "future"}});
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
        QCOMPARE(OtherConnection(store.path()).scalar(QStringLiteral("SELECT count(*) FROM DrawnCard")).toInt(), 2);
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
        const QString sound = QStringLiteral("SELECT soundEnabled FROM AppSettings");
        QCOMPARE(other.scalar(sound).toInt(), 0);
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
        QCOMPARE(other.scalar(sound).toInt(), 1);
    }

    void unusableFilesAreRefusedAndLeftUntouched_data()
    {
        QTest::addColumn<QByteArray>("contents"); // empty: a real store raised to schema 7
        QTest::addColumn<ModelContext::Problem>("problem");
        QTest::newRow("text file") << QByteArray("These are my notes, not a database.\n").repeated(10)
                                   << ModelContext::Problem::NotOurs;
        QTest::newRow("another application's database")
            << QByteArray("SQLite format 3\0", 16).append(QByteArray(4096 - 16, '\0'))
            << ModelContext::Problem::NotOurs;
        QTest::newRow("newer version") << QByteArray() << ModelContext::Problem::Newer;
    }
    void unusableFilesAreRefusedAndLeftUntouched()
    {
        QFETCH(QByteArray, contents);
        QFETCH(ModelContext::Problem, problem);
        TempStore store;
        if (contents.isEmpty()) {
            QVERIFY(store.open());
            QVERIFY(OtherConnection(store.path()).exec(QStringLiteral("PRAGMA user_version = 7")));
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

    // On a full disk the first start cannot even write the new store's header: it says so and
    // leaves no empty file behind for the next start to trip over.
    void aStoreThatCannotBeWrittenAtAllLeavesNoFileBehind()
    {
        TempStore store;
        rlimit previous{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit full = previous;
        full.rlim_cur = 0; // every write to a file fails as on a full disk
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
        QString error;
        ModelContext::Problem problem = ModelContext::Problem::None;
        auto context = ModelContext::open(store.path(), &error, &problem);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(!context);
        QVERIFY(!error.isEmpty());
        QCOMPARE(QDir(store.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
        // Once there is room again the store is made as usual.
        QVERIFY(store.open());
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
        QVERIFY(QFile(dir.filePath(QStringLiteral("blocked"))).open(QIODevice::WriteOnly));
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
        QVERIFY(writeVersion1Store(store.path()));
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
        QCOMPARE(other.scalar(QStringLiteral("PRAGMA user_version")).toInt(), StoreFile::schemaVersion);
        QCOMPARE(other
                     .column(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND name IN "
                                            "('Reading_date', 'JournalEntry_date', 'UserCardNote_cardId')"))
                     .size(),
                 3);
        QCOMPARE(other.scalar(QStringLiteral("SELECT reflectionText FROM JournalEntry")).toString(),
                 QStringLiteral("Still clear."));
    }

    // A live list of the entries with a reflection: only visible text counts as one.
    void liveQueriesFollowTheContextOncePerTurn()
    {
        TempStore store;
        auto context = store.open();
        auto *model = RecordListModel::make<JournalEntry>(
            context.get(), [](const JournalEntry *e) { return e->hasReflection(); },
            [](const JournalEntry *a, const JournalEntry *b) { return a->date() < b->date(); }, context.get());
        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        QList<JournalEntry *> entries;
        for (const char *text : {"\n b \n", "a", "  \n\t \r\n "}) {
            entries.append(new JournalEntry(QDateTime(QDate(2026, 5, 3 - int(entries.size())), QTime(8, 0))));
            entries.last()->setReflectionText(QLatin1String(text));
            context->insert(entries.last());
        }
        QCOMPARE(model->count(), 0); // nothing until the event loop turns
        QTRY_COMPARE(model->count(), 2);
        QCOMPARE(resets.size(), 1);
        QCOMPARE(model->at(0), entries[1]);
        QCOMPARE(model->data(model->index(1), RecordListModel::RecordRole).value<Record *>(), entries[0]);
        entries[2]->setReflectionText(QStringLiteral("."));
        QTRY_COMPARE(model->count(), 3);
        QCOMPARE(model->at(0), entries[2]);
    }
};

QTEST_GUILESS_MAIN(StoreTest)
#include "tst_store.moc"
