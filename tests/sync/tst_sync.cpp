// Computers kept in step through a folder: edits, deletions and undos made apart come together
// the same on every computer, whatever order, repetition or cut the sync tool delivers the
// files in; texts changed on two computers apart are both kept; a folder that cannot be used
// is said in words and the store stays as it was.
#include "AppSettings.h"
#include "JournalEntry.h"
#include "Reading.h"
#include "Readings.h"
#include "StoreTestSupport.h"
#include "SyncEngine.h"
#include "UserCardNote.h"

#include <QDir>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace Qt::StringLiterals;

namespace {

const QDateTime start(QDate(2026, 12, 1), QTime(9, 0));

// One computer: its store, its copy of the shared folder, its clock.
struct Computer
{
    QTemporaryDir home;
    std::unique_ptr<ModelContext> context;
    std::unique_ptr<SyncEngine> engine;
    qint64 now = start.toMSecsSinceEpoch();
    qint64 skew = 0; // how wrong its clock is
    QList<Readings::Contents> deleted;
    // The last text this computer wrote to each field while apart, by "key|field".
    QHash<QString, QString> written;

    QString storePath() const { return home.filePath(u"default.store"_s); }
    QString folder() const { return home.filePath(u"shared"_s); }
    QString root() const { return QDir(folder()).filePath(SyncEngine::folderName()); }

    void open()
    {
        QString error;
        context = ModelContext::open(storePath(), &error);
        QVERIFY2(context, qPrintable(error));
        context->insertIfNoneStored(new AppSettings);
        QDir().mkpath(folder());
        engine = std::make_unique<SyncEngine>(storePath(), [this] { return now + skew; });
        engine->setCompactionThreshold(4096);
        engine->setSegmentLimit(2048);
        QVERIFY2(engine->setFolder(folder(), &error), qPrintable(error));
    }

    SyncEngine::Pass pass()
    {
        now += 1000;
        SyncEngine::Pass result = engine->runPass();
        if (!result.error.isEmpty())
            qWarning("pass failed: %s", qPrintable(result.error));
        context->reloadRows(result.changedRows);
        return result;
    }

    void save()
    {
        now += 37;
        QString error;
        if (!context->save(&error))
            qWarning("save failed: %s", qPrintable(error));
    }
};

// Everything shared, as text: two stores that print the same hold the same.
QString contentsOf(const QString &path, SyncEngine &engine)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"dump"_s);
    db.setDatabaseName(path);
    db.open();
    QStringList lines;
    {
        QSqlQuery query(db);
        const QStringList selects{
            u"SELECT 'reading', id, spreadType, date, notes, isFavorite, question, origin, outcome, lookBackOn, "
            "spreadLayout, (SELECT group_concat(cardId || ':' || positionId || ':' || isReversed, ' ') FROM "
            "(SELECT * FROM DrawnCard d WHERE d.reading = r.pk ORDER BY d.pk)) FROM Reading r ORDER BY id"_s,
            u"SELECT 'journal', date, id, dailyCardId, dailyCardReversed, journalPrompt, reflectionText, mood FROM "
            "JournalEntry ORDER BY date"_s,
            u"SELECT 'note', cardId, id, noteText, lastModified FROM UserCardNote ORDER BY cardId"_s,
            u"SELECT 'settings', allowReversedCards, hasCompletedOnboarding, activeDeckTheme, guidedReadingMode "
            "FROM AppSettings"_s,
            u"SELECT 'orphans', count(*) FROM DrawnCard WHERE reading IS NULL"_s,
        };
        for (const QString &select : selects) {
            if (!query.exec(select))
                qWarning("%s failed", qPrintable(select));
            while (query.next()) {
                QStringList values;
                for (int i = 0; i < query.record().count(); ++i)
                    values.append(query.value(i).isNull() ? u"∅"_s : query.value(i).toString());
                lines.append(values.join(u'|'));
            }
        }
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(u"dump"_s);
    for (const SyncEngine::Conflict &conflict : engine.conflicts())
        lines.append(
            u"conflict|%1|%2|%3|%4"_s.arg(conflict.key, conflict.field, conflict.kept, conflict.others.join(u'/')));
    return lines.join(u'\n');
}

// The sync tool: copies what one folder holds to another, some files not yet, some cut short,
// some twice under a conflict name, in any order. A computer's own files are never written by
// anyone else.
void deliver(const Computer &from, const Computer &to, QRandomGenerator *random)
{
    QDirIterator files(from.root(), {u"*.jsonl"_s, u"device.json"_s}, QDir::Files, QDirIterator::Subdirectories);
    QStringList paths;
    while (files.hasNext())
        paths.append(files.next());
    if (random)
        std::shuffle(paths.begin(), paths.end(), *random);
    const QString ownPrefix = QDir(to.root()).filePath(to.engine->status().deviceId);
    for (const QString &source : std::as_const(paths)) {
        const QString relative = QDir(from.root()).relativeFilePath(source);
        const QString target = QDir(to.root()).filePath(relative);
        if (target.startsWith(ownPrefix) || (random && random->bounded(4) == 0))
            continue;
        QFile in(source);
        in.open(QIODevice::ReadOnly);
        QByteArray data = in.readAll();
        const qint64 had = QFileInfo(target).size();
        // Half delivered: a prefix, never shorter than what arrived before.
        if (random && random->bounded(3) == 0 && data.size() > had + 1 && !relative.endsWith(u"device.json"))
            data.truncate(had + random->bounded(int(data.size() - had)));
        QDir().mkpath(QFileInfo(target).path());
        QFile out(target);
        out.open(QIODevice::WriteOnly);
        out.write(data);
        out.close();
        if (random && random->bounded(8) == 0 && relative.endsWith(u".jsonl")) {
            QFile copy(target.chopped(6) + u".sync-conflict-20261209-101010-ABC%1.jsonl"_s.arg(random->bounded(9)));
            copy.open(QIODevice::WriteOnly);
            copy.write(data);
        }
    }
    if (random)
        return;
    // A whole delivery also takes away what the other folder no longer holds.
    QDirIterator held(to.root(), {u"changes-*.jsonl"_s, u"snapshot-*.jsonl"_s}, QDir::Files,
                      QDirIterator::Subdirectories);
    while (held.hasNext()) {
        const QString path = held.next();
        if (!path.startsWith(ownPrefix) && !path.contains(u"sync-conflict") &&
            !QFileInfo::exists(QDir(from.root()).filePath(QDir(to.root()).relativeFilePath(path))))
            QFile::remove(path);
    }
}

void edit(Computer &computer, int name, int step, QRandomGenerator &random, bool remember)
{
    ModelContext &context = *computer.context;
    const QList<Reading *> readings = context.fetch<Reading>();
    const QString text = u"computer %1, step %2"_s.arg(name).arg(step);
    const auto keep = [&](const QString &key, const QString &field) {
        if (remember)
            computer.written.insert(key + u'|' + field, text);
    };
    switch (random.bounded(10)) {
    case 0:
    case 1: {
        QList<CardPlan> cards;
        for (int i = 0; i <= random.bounded(3); ++i)
            cards.append({u"major-%1"_s.arg(random.bounded(22)), u"p%1"_s.arg(i), random.bounded(2) == 0});
        addReading(context, u"three_card"_s, QDateTime::fromMSecsSinceEpoch(computer.now), false, cards);
        break;
    }
    case 2:
        if (!readings.isEmpty()) {
            Reading *reading = readings.at(random.bounded(int(readings.size())));
            reading->setNotes(text);
            keep(u"reading/"_s + reading->id().toString(QUuid::WithoutBraces), u"notes"_s);
        }
        break;
    case 3:
        if (!readings.isEmpty())
            readings.at(random.bounded(int(readings.size())))->setIsFavorite(random.bounded(2) == 0);
        break;
    case 4:
        if (!readings.isEmpty()) {
            Reading *reading = readings.at(random.bounded(int(readings.size())));
            reading->setOutcome(text);
            keep(u"reading/"_s + reading->id().toString(QUuid::WithoutBraces), u"outcome"_s);
        }
        break;
    case 5:
        if (!readings.isEmpty()) {
            Reading *reading = readings.at(random.bounded(int(readings.size())));
            computer.deleted.append(Readings::contentsOf(*reading));
            Readings(&context).remove(reading);
        }
        break;
    case 6:
        if (!computer.deleted.isEmpty()) {
            const Readings::Contents contents = computer.deleted.takeLast();
            const QUuid id = contents.id;
            if (context.fetch<Reading>([&](const Reading *r) { return r->id() == id; }).isEmpty())
                Readings(&context).restore(contents);
        }
        break;
    case 7: {
        const QDate day = start.date().addDays(random.bounded(4));
        QList<JournalEntry *> entries =
            context.fetch<JournalEntry>([&](const JournalEntry *e) { return e->date().date() == day; });
        JournalEntry *entry = entries.value(0);
        if (!entry) {
            entry = new JournalEntry(QDateTime(day, QTime(0, 0)));
            context.insert(entry);
        }
        if (entry->dailyCardId().isEmpty() && random.bounded(2) == 0) {
            entry->setDailyCardId(u"major-%1"_s.arg(random.bounded(22)));
            entry->setDailyCardReversed(random.bounded(2) == 0);
        }
        if (random.bounded(2) == 0) {
            entry->setMood(JournalEntry::moods().at(random.bounded(int(JournalEntry::moods().size()))));
        } else {
            entry->setReflectionText(text);
            keep(u"journal/"_s + day.toString(Qt::ISODate), u"reflectionText"_s);
        }
        break;
    }
    case 8: {
        const QString card = u"major-%1"_s.arg(random.bounded(3));
        QList<UserCardNote *> notes =
            context.fetch<UserCardNote>([&](const UserCardNote *n) { return n->cardId() == card; });
        if (notes.isEmpty())
            context.insert(new UserCardNote(card, text));
        else
            notes.first()->setNoteText(text);
        keep(u"note/"_s + card, u"noteText"_s);
        break;
    }
    default:
        for (AppSettings *settings : context.fetch<AppSettings>())
            settings->setAllowReversedCards(!settings->allowReversedCards());
    }
    computer.save();
}

// Brings every folder up to date with every other until no pass has anything left to do.
void settle(QList<Computer *> &computers)
{
    for (int round = 0; round < 8; ++round) {
        int moved = 0;
        for (Computer *from : computers)
            for (Computer *to : computers)
                if (from != to)
                    deliver(*from, *to, nullptr);
        for (Computer *computer : computers) {
            const SyncEngine::Pass pass = computer->pass();
            moved += pass.incoming + pass.outgoing;
        }
        if (moved == 0 && round > 0)
            return;
    }
    QFAIL("the computers did not settle");
}

} // namespace

class SyncTest : public QObject
{
    Q_OBJECT

private slots:
    void partitionedComputersConverge_data()
    {
        QTest::addColumn<int>("computers");
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 8; ++seed) {
            QTest::addRow("two computers, seed %u", seed) << 2 << seed;
            QTest::addRow("three computers, seed %u", seed) << 3 << seed;
        }
    }

    // Rounds of edits made apart, each followed by a delivery in pieces; then a last round
    // apart and a whole delivery. Every store ends the same, and every text written in the
    // last round is there, as the text kept or as the other one of a conflict.
    void partitionedComputersConverge()
    {
        QFETCH(int, computers);
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        std::vector<std::unique_ptr<Computer>> owned;
        QList<Computer *> all;
        for (int i = 0; i < computers; ++i) {
            owned.push_back(std::make_unique<Computer>());
            all.append(owned.back().get());
            all.last()->open();
            // One computer's clock is hours wrong, in either direction.
            all.last()->skew = i == 1 ? (seed % 2 ? 3 : -5) * 3600 * 1000LL : 0;
        }
        int step = 0;
        for (int round = 0; round < 4; ++round) {
            const bool last = round == 3;
            for (int i = 0; i < computers; ++i) {
                for (int e = 0; e < 12; ++e)
                    edit(*all.at(i), i, step++, random, last);
                if (random.bounded(2) == 0)
                    all.at(i)->pass();
            }
            if (last)
                break;
            for (int delivery = 0; delivery < 3; ++delivery) {
                Computer *from = all.at(random.bounded(computers));
                Computer *to = all.at(random.bounded(computers));
                if (from != to)
                    deliver(*from, *to, &random);
                to->pass();
            }
        }
        for (Computer *computer : all)
            computer->pass();
        settle(all);

        const QString first = contentsOf(all.first()->storePath(), *all.first()->engine);
        for (Computer *computer : all) {
            const QStringList here = contentsOf(computer->storePath(), *computer->engine).split(u'\n');
            const QStringList there = first.split(u'\n');
            for (qsizetype i = 0; i < std::max(here.size(), there.size()); ++i) {
                QCOMPARE(here.value(i), there.value(i));
            }
        }

        // What the window shows agrees with the store.
        for (Computer *computer : all)
            QCOMPARE(computer->context->fetch<Reading>().size(),
                     first.count(u"\nreading|"_s) + (first.startsWith(u"reading|") ? 1 : 0));

        const QList<SyncEngine::Conflict> conflicts = all.first()->engine->conflicts();
        for (Computer *computer : all) {
            for (auto it = computer->written.cbegin(); it != computer->written.cend(); ++it) {
                const QString key = it.key().section(u'|', 0, 0);
                const QString field = it.key().section(u'|', 1);
                if (key.startsWith(u"reading/") && !first.contains(u"reading|"_s + key.mid(8)))
                    continue; // the reading was deleted
                bool found = first.contains(u'|' + it.value() + u'|');
                for (const SyncEngine::Conflict &conflict : conflicts)
                    if (conflict.key == key && conflict.field == field)
                        found = found || conflict.kept == it.value() || conflict.others.contains(it.value());
                QVERIFY2(found, qPrintable(u"lost: %1 = %2"_s.arg(it.key(), it.value())));
            }
        }
    }

    // Two computers that drew the day's card before they met end with one card for that day,
    // the one drawn first, and both reflections: one kept, the other offered beside it until
    // one is chosen, which then holds on both.
    void oneDailyCardPerDayAndBothReflections()
    {
        Computer desk;
        Computer laptop;
        desk.open();
        laptop.open();
        laptop.now += 60 * 1000;
        const QDateTime today(QDate(2026, 12, 9), QTime(0, 0));
        for (Computer *computer : {&desk, &laptop}) {
            auto *entry = new JournalEntry(today);
            entry->setDailyCardId(computer == &desk ? u"major-16"_s : u"cups-03"_s);
            entry->setDailyCardReversed(computer == &laptop);
            entry->setReflectionText(computer == &desk ? u"Written at the desk."_s : u"Written on the train."_s);
            computer->context->insert(entry);
            computer->save();
            computer->pass();
        }
        QList<Computer *> both{&desk, &laptop};
        settle(both);
        for (Computer *computer : both) {
            const QList<JournalEntry *> entries = computer->context->fetch<JournalEntry>();
            QCOMPARE(entries.size(), 1);
            QCOMPARE(entries.first()->dailyCardId(), u"major-16"_s);
            QCOMPARE(entries.first()->dailyCardReversed(), false);
            QCOMPARE(entries.first()->reflectionText(), u"Written on the train."_s);
            const QList<SyncEngine::Conflict> conflicts = computer->engine->conflicts();
            QCOMPARE(conflicts.size(), 1);
            QCOMPARE(conflicts.first().key, u"journal/2026-12-09"_s);
            QCOMPARE(conflicts.first().others, QStringList{u"Written at the desk."_s});
        }
        QCOMPARE(desk.context->fetch<JournalEntry>().first()->id(),
                 laptop.context->fetch<JournalEntry>().first()->id());

        const QString merged = u"Written at the desk.\n\nWritten on the train."_s;
        const SyncEngine::Pass settled = desk.engine->resolve(u"journal/2026-12-09"_s, u"reflectionText"_s, merged);
        QVERIFY2(settled.ran, qPrintable(settled.error));
        desk.context->reloadRows(settled.changedRows);
        settle(both);
        for (Computer *computer : both) {
            QCOMPARE(computer->context->fetch<JournalEntry>().first()->reflectionText(), merged);
            QVERIFY(computer->engine->conflicts().isEmpty());
        }
        // An edit made after seeing the other's text simply replaces it.
        laptop.context->fetch<JournalEntry>().first()->setReflectionText(u"Later, on the laptop."_s);
        laptop.save();
        laptop.pass();
        settle(both);
        QCOMPARE(desk.context->fetch<JournalEntry>().first()->reflectionText(), u"Later, on the laptop."_s);
        QVERIFY(desk.engine->conflicts().isEmpty());
    }

    // A deleted reading is deleted on the other computer; undoing the deletion brings it back
    // on both, with its cards.
    void deletionAndUndoTravel()
    {
        Computer desk;
        Computer laptop;
        desk.open();
        laptop.open();
        Reading *reading = addReading(*desk.context, u"celtic_cross"_s, start, true,
                                      {{u"major-00"_s, u"present"_s}, {u"cups-02"_s, u"challenge"_s, true}});
        desk.save();
        QList<Computer *> both{&desk, &laptop};
        settle(both);
        QCOMPARE(laptop.context->fetch<Reading>().size(), 1);
        QCOMPARE(laptop.context->fetch<Reading>().first()->drawnCards().size(), 2);

        const Readings::Contents contents = Readings::contentsOf(*reading);
        Readings(desk.context.get()).remove(reading);
        desk.save();
        settle(both);
        QVERIFY(laptop.context->fetch<Reading>().isEmpty());

        Readings(desk.context.get()).restore(contents);
        desk.save();
        settle(both);
        const QList<Reading *> back = laptop.context->fetch<Reading>();
        QCOMPARE(back.size(), 1);
        QCOMPARE(back.first()->id(), contents.id);
        QCOMPARE(back.first()->drawnCards().size(), 2);
        QCOMPARE(back.first()->drawnCards().at(1)->isReversed(), true);
        QVERIFY(back.first()->isFavorite());
    }

    // Files that are not ours, from a newer version or garbled are skipped with a sentence,
    // never a crash, and the rest still comes in. A folder that went away is said so.
    void badFilesAndFoldersAreSaidInWords()
    {
        Computer desk;
        Computer laptop;
        desk.open();
        laptop.open();
        addReading(*desk.context, u"three_card"_s, start, false, {{u"major-01"_s, u"past"_s}});
        desk.save();
        desk.pass();
        deliver(desk, laptop, nullptr);
        const QString deskId = desk.engine->status().deviceId;
        const QDir deskFolder(QDir(laptop.root()).filePath(deskId));
        const QString written = deskFolder.entryList({u"*.jsonl"_s}).value(0);
        QVERIFY(!written.isEmpty());
        QFile garbled(deskFolder.filePath(written));
        QVERIFY(garbled.open(QIODevice::Append));
        garbled.write(
            "{not json\n{\"k\":\"reading/x\",\"h\":\"0000000000001-0000-aaaaaaaaaaaa\",\"v\":{\"notes\":1}}\n");
        garbled.close();
        QFile foreign(deskFolder.filePath(u"notes.jsonl"_s));
        QVERIFY(foreign.open(QIODevice::WriteOnly));
        foreign.write("hello\n");
        foreign.close();

        SyncEngine::Pass pass = laptop.pass();
        QCOMPARE(laptop.context->fetch<Reading>().size(), 1);
        QVERIFY2(pass.problems.join(u' ').contains(u"2 changes in %1 could not be read"_s.arg(written)),
                 qPrintable(pass.problems.join(u'\n')));
        QVERIFY(pass.problems.join(u' ').contains(u"notes.jsonl"));

        QFile newer(deskFolder.filePath(u"device.json"_s));
        QVERIFY(newer.open(QIODevice::WriteOnly));
        newer.write(R"({"quillmoor-sync": 2, "device": "x"})");
        newer.close();
        pass = laptop.pass();
        QVERIFY(pass.problems.contains(u"Another device uses a newer version of Quillmoor Tarot"_s));

        QDir(laptop.folder()).removeRecursively();
        pass = laptop.pass();
        QVERIFY(pass.problems.value(0).startsWith(u"The folder is not there"));
        QCOMPARE(laptop.engine->status().problem, pass.problems.value(0));
        QCOMPARE(laptop.context->fetch<Reading>().size(), 1);

        QString error;
        QVERIFY(!laptop.engine->setFolder(laptop.home.filePath(u"missing"_s), &error));
        QVERIFY(error.startsWith(u"The folder is not there"));
        // Turning sync off keeps everything here.
        QVERIFY(laptop.engine->setFolder({}, &error));
        QVERIFY(laptop.engine->status().folder.isEmpty());
        QCOMPARE(laptop.context->fetch<Reading>().size(), 1);
    }

    // Once every computer has read a computer's changes, its files are replaced by a snapshot
    // of what still holds, and a computer that joins afterwards gets the same store from it.
    void compactedFilesStillBringEverything()
    {
        Computer desk;
        Computer laptop;
        desk.open();
        laptop.open();
        QRandomGenerator random(7);
        for (int i = 0; i < 80; ++i)
            edit(desk, 0, i, random, false);
        QList<Computer *> both{&desk, &laptop};
        settle(both);
        settle(both);
        const QDir deskFiles(QDir(desk.root()).filePath(desk.engine->status().deviceId));
        const QStringList files = deskFiles.entryList({u"*.jsonl"_s});
        QCOMPARE(files.size(), 1);
        QVERIFY2(files.first().startsWith(u"snapshot-"), qPrintable(files.join(u',')));

        Computer tablet;
        tablet.open();
        QList<Computer *> three{&desk, &laptop, &tablet};
        settle(three);
        const QString expected = contentsOf(desk.storePath(), *desk.engine);
        QCOMPARE(contentsOf(tablet.storePath(), *tablet.engine), expected);
        QCOMPARE(contentsOf(laptop.storePath(), *laptop.engine), expected);
    }
};

QTEST_GUILESS_MAIN(SyncTest)
#include "tst_sync.moc"
