#include "AppSettings.h"
#include "Clock.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "Reading.h"
#include "RecordListModel.h"
#include "StoreLog.h"
#include "StoreTestSupport.h"
#include "UserCardNote.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

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

    void newSettingsHaveTheirDefaults()
    {
        Clock::pin(QDateTime(QDate(2026, 12, 5), QTime(21, 30)));
        AppSettings settings;
        QVERIFY(settings.allowReversedCards());
        QVERIFY(!settings.soundEnabled());
        QVERIFY(!settings.dailyReminderEnabled());
        QCOMPARE(settings.dailyReminderTime(), QDateTime(QDate(2026, 12, 5), QTime(9, 0)));
        QCOMPARE(settings.activeDeckTheme(), QStringLiteral("dark-art-nouveau"));
        QVERIFY(settings.guidedReadingMode());
        QVERIFY(!settings.hasCompletedOnboarding());
    }

    void journalEntryIsDatedAtTheStartOfItsDay_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QDateTime>("given");
        QTest::addColumn<QDate>("day");
        // A minute before midnight, on both of Berlin's clock-change days, and in a zone whose
        // clocks jump at midnight so that the day starts at 01:00.
        QTest::newRow("23:59") << QByteArray("Europe/Berlin") << QDateTime(QDate(2026, 6, 1), QTime(23, 59))
                               << QDate(2026, 6, 1);
        QTest::newRow("spring forward") << QByteArray("Europe/Berlin") << QDateTime(QDate(2026, 3, 29), QTime(23, 59))
                                        << QDate(2026, 3, 29);
        QTest::newRow("fall back") << QByteArray("Europe/Berlin") << QDateTime(QDate(2026, 10, 25), QTime(23, 59))
                                   << QDate(2026, 10, 25);
        QTest::newRow("no midnight") << QByteArray("America/Santiago") << QDateTime(QDate(2026, 9, 6), QTime(23, 59))
                                     << QDate(2026, 9, 6);
    }
    void journalEntryIsDatedAtTheStartOfItsDay()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QDateTime, given);
        QFETCH(QDate, day);
        setTimeZone(zone.constData());
        const QDateTime localGiven(given.date(), given.time());
        JournalEntry entry(localGiven);
        QCOMPARE(entry.date().date(), day);
        QVERIFY(entry.date() <= localGiven);
        // Nothing of the day comes before the stored instant.
        QCOMPARE(entry.date().addSecs(-1).date(), day.addDays(-1));
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

    void moodColours()
    {
        QCOMPARE(JournalEntry::moods().size(), 8);
        QCOMPARE(JournalEntry::moods().first(), QStringLiteral("Peaceful"));
        QCOMPARE(JournalEntry::moodColor(QStringLiteral("Grateful")), QColor(0xC4, 0x97, 0x3B));
        QCOMPARE(JournalEntry::moodColor(QStringLiteral("Peaceful")).alpha(), qRound(0.7 * 255));
        // Case matters: an unknown word is grey like "Uncertain".
        QCOMPARE(JournalEntry::moodColor(QStringLiteral("grateful")),
                 JournalEntry::moodColor(QStringLiteral("Uncertain")));
    }

    void fetchSeesUnsavedInsertsAndNotRemovals()
    {
        TempStore store;
        auto context = store.open();
        QVERIFY(context);
        auto *a = new UserCardNote(QStringLiteral("major_01"), QStringLiteral("b"));
        auto *b = new UserCardNote(QStringLiteral("major_00"), QStringLiteral("a"));
        auto *c = new UserCardNote(QStringLiteral("major_02"), QStringLiteral("c"));
        context->insert(a);
        context->insert(b);
        context->insert(c);
        const auto byCard = [](const UserCardNote *x, const UserCardNote *y) { return x->cardId() < y->cardId(); };
        QCOMPARE(context->fetch<UserCardNote>({}, byCard), (QList<UserCardNote *>{b, a, c}));
        context->remove(a);
        QCOMPARE(context->fetch<UserCardNote>({}, byCard), (QList<UserCardNote *>{b, c}));
        const auto onlyC = [](const UserCardNote *n) { return n->noteText() == QLatin1String("c"); };
        QCOMPARE(context->fetch<UserCardNote>(onlyC), (QList<UserCardNote *>{c}));
        QVERIFY(context->save());
        context.reset();

        context = store.open();
        const QList<UserCardNote *> reread = context->fetch<UserCardNote>({}, byCard);
        QCOMPARE(reread.size(), 2);
        QCOMPARE(reread.at(0)->noteText(), QStringLiteral("a"));
        // The identity map hands out one object per stored row.
        QCOMPARE(context->fetch<UserCardNote>({}, byCard).at(0), reread.at(0));
    }

    void savedRecordsReadBackEqual()
    {
        TempStore store;
        const QDateTime when = QDateTime(QDate(2026, 3, 29), QTime(3, 15, 42, 123));
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
            reading->setNotes(QString::fromUtf8(""));
            reading->setIsFavorite(true);
            readingId = reading->id();
            reading->addDrawnCard(new DrawnCard(QStringLiteral("major_16"), QStringLiteral("past"), true));
            reading->addDrawnCard(new DrawnCard(QStringLiteral("wands_01"), QStringLiteral("present"), false));
            context->insert(reading);

            auto *settings = new AppSettings;
            settings->setAllowReversedCards(false);
            settings->setDailyReminderTime(QDateTime(QDate(2026, 1, 1), QTime(7, 45)));
            context->insert(settings);

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
        QVERIFY(!settings.first()->allowReversedCards());
        QCOMPARE(settings.first()->dailyReminderTime().time(), QTime(7, 45));
        QCOMPARE(context->fetch<UserCardNote>().first()->id(), noteId);
        QCOMPARE(context->fetch<UserCardNote>().first()->lastModified(), when);
    }

    void changesToStoredRecordsAreSaved()
    {
        TempStore store;
        {
            auto context = store.open();
            context->insert(new JournalEntry(QDateTime::currentDateTime()));
            QVERIFY(context->save());
            JournalEntry *entry = context->fetch<JournalEntry>().first();
            entry->setMood(QStringLiteral("Joyful"));
            QVERIFY(context->hasChanges());
            QVERIFY(context->save());
            entry->setMood(QString()); // back to no mood
            entry->setReflectionText(QStringLiteral("later"));
            QVERIFY(context->save());
        }
        auto context = store.open();
        const JournalEntry *entry = context->fetch<JournalEntry>().first();
        QVERIFY(entry->mood().isNull());
        QCOMPARE(entry->reflectionText(), QStringLiteral("later"));
    }

    void removingAReadingRemovesItsDrawnCards()
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
            QCOMPARE(context->fetch<DrawnCard>().size(), 6);

            Reading *doomed =
                context->fetch<Reading>([](const Reading *r) { return r->spreadType() == QLatin1String("three_card"); })
                    .first();
            context->remove(doomed);
            QCOMPARE(context->fetch<DrawnCard>().size(), 3);
            QVERIFY(context->save());
        }
        auto context = store.open();
        QCOMPARE(context->fetch<Reading>().size(), 1);
        QCOMPARE(context->fetch<DrawnCard>().size(), 3);
        for (const DrawnCard *card : context->fetch<DrawnCard>())
            QCOMPARE(card->reading()->spreadType(), QStringLiteral("yes_no"));
        OtherConnection other(store.path());
        QCOMPARE(other.scalar(QStringLiteral("SELECT count(*) FROM DrawnCard")).toInt(), 3);
    }

    void removingADrawnCardKeepsItsReading()
    {
        TempStore store;
        auto context = store.open();
        auto *reading = new Reading(QStringLiteral("three_card"));
        auto *card = new DrawnCard(QStringLiteral("cups_01"), QStringLiteral("past"), false);
        reading->addDrawnCard(card);
        reading->addDrawnCard(new DrawnCard(QStringLiteral("cups_02"), QStringLiteral("present"), false));
        context->insert(reading);
        QVERIFY(context->save());
        context->remove(card);
        QCOMPARE(reading->drawnCards().size(), 1);
        QVERIFY(context->save());
        context.reset();
        context = store.open();
        QCOMPARE(context->fetch<Reading>().size(), 1);
        QCOMPARE(context->fetch<Reading>().first()->drawnCards().size(), 1);
    }

    void twoNotesForOneCardAreBothStored()
    {
        TempStore store;
        {
            auto context = store.open();
            context->insert(new UserCardNote(QStringLiteral("major_13"), QStringLiteral("first")));
            context->insert(new UserCardNote(QStringLiteral("major_13"), QStringLiteral("second")));
            QVERIFY(context->save());
        }
        auto context = store.open();
        QCOMPARE(
            context->fetch<UserCardNote>([](const UserCardNote *n) { return n->cardId() == QLatin1String("major_13"); })
                .size(),
            2);
    }

    void failedSaveIsLoggedAndRetried()
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
        QVERIFY(saveContext(*context));
        QCOMPARE(other.scalar(QStringLiteral("SELECT reflectionText FROM JournalEntry")).toString(),
                 QStringLiteral("keep me"));
        QCOMPARE(other.scalar(QStringLiteral("SELECT soundEnabled FROM AppSettings")).toInt(), 1);
    }

    void aStoreHeldByAnotherWriterIsWaitedForThenRetried()
    {
        TempStore store;
        auto context = store.open();
        context->setBusyTimeout(300);
        OtherConnection other(store.path());
        QVERIFY(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
        context->insert(new UserCardNote(QStringLiteral("major_05"), QStringLiteral("waiting")));
        QElapsedTimer waited;
        waited.start();
        QString error;
        QVERIFY(!context->save(&error));
        QVERIFY2(waited.elapsed() >= 250, qPrintable(QString::number(waited.elapsed())));
        QVERIFY2(error.contains(QLatin1String("locked")), qPrintable(error));
        QVERIFY(other.exec(QStringLiteral("COMMIT")));
        QVERIFY(context->save());
        QCOMPARE(other.scalar(QStringLiteral("SELECT count(*) FROM UserCardNote")).toInt(), 1);
    }

    void unusableFilesAreRefusedAndLeftUntouched_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("reason");
        QTest::newRow("text file") << QByteArray("These are my notes, not a database.\n").repeated(10)
                                   << QStringLiteral("not a database");
        QByteArray foreign("SQLite format 3\0", 16);
        foreign.append(QByteArray(84, '\0'));
        foreign.append(QByteArray(4096 - 100, '\0'));
        QTest::newRow("another application's database") << foreign << QStringLiteral("another application");
    }
    void unusableFilesAreRefusedAndLeftUntouched()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, reason);
        TempStore store;
        QFile file(store.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        const QDateTime modified = QFileInfo(store.path()).lastModified();

        QString error;
        QVERIFY(!ModelContext::open(store.path(), &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
        QCOMPARE(QFileInfo(store.path()).lastModified(), modified);
        QCOMPARE(QDir(store.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("default.store")});
    }

    void aStoreFromANewerVersionIsRefused()
    {
        TempStore store;
        {
            auto context = store.open();
            context->insert(new AppSettings);
            QVERIFY(context->save());
        }
        {
            OtherConnection other(store.path());
            QVERIFY(other.exec(QStringLiteral("PRAGMA user_version = 7")));
            QVERIFY(other.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
        }
        QFile file(store.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();

        QString error;
        QVERIFY(!ModelContext::open(store.path(), &error));
        QVERIFY2(error.contains(QLatin1String("newer version")), qPrintable(error));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void aMissingFolderIsCreatedButABlockedOneFails()
    {
        QTemporaryDir dir;
        QString error;
        const QString nested = dir.filePath(QStringLiteral("a/b/default.store"));
        QVERIFY(ModelContext::open(nested, &error));
        QCOMPARE(QFile::permissions(nested) & (QFileDevice::ReadOther | QFileDevice::ReadGroup),
                 QFileDevice::Permissions());

        // A plain file where the data folder should be.
        QFile blocker(dir.filePath(QStringLiteral("blocked")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!ModelContext::open(dir.filePath(QStringLiteral("blocked/default.store")), &error));
        QVERIFY2(error.contains(QLatin1String("folder")), qPrintable(error));
        // A folder where the store file should be.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("c/default.store")));
        QVERIFY(!ModelContext::open(dir.filePath(QStringLiteral("c/default.store")), &error));
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
