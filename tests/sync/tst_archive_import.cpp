// Reading an archive back: what one store exported comes back whole in another, a second
// import changes nothing, two computers' entries of one day are joined without losing either,
// and a file that is damaged, newer or wrong anywhere is refused before the store is touched.
#include "AppSettings.h"
#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "CustomSpread.h"
#include "JournalEntry.h"
#include "Reading.h"
#include "Spread.h"
#include "Spreads.h"
#include "StoreTestSupport.h"
#include "UserCardNote.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {

const QDateTime exportTime(QDate(2026, 12, 8), QTime(10, 0));

QByteArray archiveOf(ModelContext &context)
{
    QString error;
    const QByteArray bytes = ArchiveWriter::document(context, exportTime, &error);
    if (bytes.isEmpty())
        qWarning("no archive: %s", qPrintable(error));
    return bytes;
}

ArchiveImport::Summary importInto(ModelContext &context, const QByteArray &archive)
{
    QString error;
    auto contents = ArchiveReader::parse(archive, &error);
    ArchiveImport::Summary summary;
    if (!contents || !ArchiveImport::merge(context, *contents, &summary, &error))
        qWarning("import failed: %s", qPrintable(error));
    return summary;
}

// Edits one value of an archive, as a hand or a broken tool might.
QByteArray edited(const QByteArray &archive, const std::function<void(QJsonObject &)> &edit)
{
    QJsonObject object = QJsonDocument::fromJson(archive).object();
    edit(object);
    return QJsonDocument(object).toJson();
}

void editFirst(QJsonObject &archive, const QString &list, const std::function<void(QJsonObject &)> &edit)
{
    QJsonArray records = archive.value(list).toArray();
    QJsonObject first = records.at(0).toObject();
    edit(first);
    records[0] = first;
    archive.insert(list, records);
}

} // namespace

class ArchiveImportTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_source = std::make_unique<TempStore>(); }

    // Every awkward value the writer handles survives export, import into an empty store and
    // export again byte for byte, and importing the archive a second time adds nothing.
    void everythingComesBackAndOnlyOnce()
    {
        auto source = m_source->open();
        auto *settings = new AppSettings;
        settings->setAllowReversedCards(false);
        source->insert(settings);
        // 29 March 2026 is the day Berlin's clocks go forward.
        auto *dstDay = new JournalEntry(QDateTime(QDate(2026, 3, 29), QTime(3, 30)));
        dstDay->setReflectionText(u"ab\u0301c 🌙\n"_s.repeated(50'000 / 6));
        dstDay->setMood(u"Grateful"_s);
        source->insert(dstDay);
        auto *empty = new JournalEntry(QDateTime(QDate(2026, 3, 30), QTime(9, 0)));
        empty->setReflectionText(u""_s);
        source->insert(empty);
        addReading(*source, u"three_card"_s, QDateTime(QDate(2026, 7, 1), QTime(21, 5, 7, 250)), true,
                   {{u"major_00"_s, u"past"_s, true}, {u"gone_99"_s, u"present"_s}},
                   u"Line one\nline two \"quoted\"\t\u0001 back\\slash\r"_s);
        Reading *own = addReading(*source, u"single_card"_s, QDateTime(QDate(2026, 7, 2), QTime(8, 0)));
        own->setOrigin(Reading::ownDeck);
        own->setQuestion(u"Should I take the job?"_s);
        own->setOutcome(u"I took it, and é it went well."_s);
        own->setLookBackOn(u"2026-08-02"_s);
        source->insert(new UserCardNote(u"cups_02"_s, u"Two hearts ❤️"_s));
        // A designed spread, and a reading made with it that keeps its own copy.
        const QString design =
            u"{\"name\":\"Bridge\",\"positions\":[{\"id\":\"place_1\",\"name\":\"Near é shore\",\"x\":0,\"y\":0}]}"_s;
        Spread *spread = Spreads(source.get()).add(u"Bridge"_s, u"Two banks"_s, design);
        Reading *designed =
            addReading(*source, CustomSpread::spreadTypeFor(spread->id()), QDateTime(QDate(2026, 7, 3), QTime(8, 0)),
                       false, {{u"cups_05"_s, u"place_1"_s}});
        designed->setSpreadLayout(design);
        QVERIFY(source->save());
        const QByteArray first = archiveOf(*source);

        TempStore target;
        auto context = target.open();
        const ArchiveImport::Summary added = importInto(*context, first);
        QCOMPARE(added.added, 8);
        context.reset();
        context = target.open(); // read back from the file, not from memory
        QCOMPARE(archiveOf(*context), first);
        QCOMPARE(context->fetch<Reading>().at(0)->drawnCards().at(1)->cardId(), u"gone_99"_s);
        const Reading *recorded = context->fetch<Reading>().at(1);
        QVERIFY(recorded->isRecorded());
        QCOMPARE(recorded->question(), u"Should I take the job?"_s);
        QCOMPARE(recorded->lookBackOn(), u"2026-08-02"_s);
        QCOMPARE(Spreads(context.get()).all().size(), 1);
        QCOMPARE(Spreads(context.get()).all().at(0)->summary(), u"Two banks"_s);
        QCOMPARE(context->fetch<Reading>().at(2)->spreadLayout(), design);

        const QByteArray before = fingerprint(target.path());
        const ArchiveImport::Summary again = importInto(*context, first);
        QCOMPARE(again.added, 0);
        QCOMPARE(again.updated, 0);
        QCOMPARE(again.unchanged, 8);
        QCOMPARE(fingerprint(target.path()), before);
    }

    // Both computers were used on one day: the archive's reflection is added below the one
    // here, its mood fills the empty one, and joining again does not repeat it. A note changed
    // later in the archive replaces the one here; an older one does not.
    void aDayUsedOnTwoComputersKeepsBothAndTheNewerNoteWins()
    {
        auto source = m_source->open();
        auto *theirs = new JournalEntry(QDateTime(QDate(2026, 5, 4), QTime(20, 0)));
        theirs->setReflectionText(u"Written on the laptop."_s);
        theirs->setMood(u"Calm"_s);
        source->insert(theirs);
        auto *newerNote = new UserCardNote(u"wands_01"_s, u"Newer words"_s);
        newerNote->setLastModified(QDateTime(QDate(2026, 6, 2), QTime(12, 0)));
        auto *olderNote = new UserCardNote(u"swords_05"_s, u"Older words"_s);
        olderNote->setLastModified(QDateTime(QDate(2026, 6, 1), QTime(12, 0)));
        source->insert(newerNote);
        source->insert(olderNote);
        QVERIFY(source->save());
        const QByteArray archive = archiveOf(*source);

        TempStore target;
        auto context = target.open();
        auto *ours = new JournalEntry(QDateTime(QDate(2026, 5, 4), QTime(7, 0)));
        ours->setReflectionText(u"Written on the desktop."_s);
        context->insert(ours);
        QVERIFY(context->save());
        QVERIFY(importInto(*context, archive).added == 2);
        // The same notes edited here: one before the archive's copy, one after.
        for (UserCardNote *note : context->fetch<UserCardNote>()) {
            note->setNoteText(u"Edited here"_s);
            note->setLastModified(QDateTime(QDate(2026, 6, note->cardId() == u"wands_01"_s ? 1 : 3), QTime(12, 0)));
        }
        QVERIFY(context->save());

        const ArchiveImport::Summary summary = importInto(*context, archive);
        QCOMPARE(summary.updated, 1);
        QCOMPARE(summary.unchanged, 2);
        const QList<JournalEntry *> entries = context->fetch<JournalEntry>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->reflectionText(), u"Written on the desktop.\n\nWritten on the laptop."_s);
        QCOMPARE(entries.first()->mood(), u"Calm"_s);
        for (const UserCardNote *note : context->fetch<UserCardNote>())
            QCOMPARE(note->noteText(), note->cardId() == u"wands_01"_s ? u"Newer words"_s : u"Edited here"_s);
        QCOMPARE(importInto(*context, archive).updated, 0);
    }

    // The same entry and reading, changed on each computer since they parted: a text written on
    // further elsewhere replaces its beginning here, two different texts are both kept, a star
    // given elsewhere stays, and nothing written here is lost.
    void recordsChangedOnBothComputersKeepWhatEachWrote()
    {
        auto source = m_source->open();
        auto *entry = new JournalEntry(QDateTime(QDate(2026, 3, 1), QTime(9, 0)));
        entry->setReflectionText(u"Morning."_s);
        auto *reading = new Reading(u"three_card"_s);
        reading->setNotes(u"About the move."_s);
        source->insert(entry);
        source->insert(reading);
        QVERIFY(source->save());
        TempStore target;
        auto context = target.open();
        QCOMPARE(importInto(*context, archiveOf(*source)).added, 2);

        // Elsewhere the reflection goes on and the reading gets a star; here its notes change.
        entry->setReflectionText(u"Morning. Then a long walk."_s);
        reading->setIsFavorite(true);
        QVERIFY(source->save());
        context->fetch<Reading>().constFirst()->setNotes(u"Written here."_s);
        QVERIFY(context->save());
        const QByteArray archive = archiveOf(*source);
        const ArchiveImport::Summary summary = importInto(*context, archive);
        QCOMPARE(summary.updated, 2);
        QCOMPARE(context->fetch<JournalEntry>().constFirst()->reflectionText(), u"Morning. Then a long walk."_s);
        const Reading *here = context->fetch<Reading>().constFirst();
        QCOMPARE(here->notes(), u"Written here.\n\nAbout the move."_s);
        QVERIFY(here->isFavorite());
        QCOMPARE(importInto(*context, archive).updated, 0);

        // Looked back on in both places: both outcomes are kept, and a day set only elsewhere
        // comes over.
        reading->setOutcome(u"It went well."_s);
        reading->setLookBackOn(u"2026-04-01"_s);
        QVERIFY(source->save());
        context->fetch<Reading>().constFirst()->setOutcome(u"Better than feared."_s);
        QVERIFY(context->save());
        QCOMPARE(importInto(*context, archiveOf(*source)).updated, 1);
        QCOMPARE(context->fetch<Reading>().constFirst()->outcome(), u"Better than feared.\n\nIt went well."_s);
        QCOMPARE(context->fetch<Reading>().constFirst()->lookBackOn(), u"2026-04-01"_s);
        QCOMPARE(importInto(*context, archiveOf(*source)).updated, 0);

        // An older copy of a text this one holds changes nothing.
        context->fetch<JournalEntry>().constFirst()->setReflectionText(u"Morning. Then a long walk. Rain."_s);
        QVERIFY(context->save());
        QCOMPARE(importInto(*context, archive).updated, 0);
        QCOMPARE(context->fetch<JournalEntry>().constFirst()->reflectionText(), u"Morning. Then a long walk. Rain."_s);
    }

    void aFaultyArchiveIsRefusedByName_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<QString>("problem");
        // A store of its own: data functions run before init().
        TempStore seed;
        auto context = seed.open();
        addReading(*context, u"three_card"_s, QDateTime(QDate(2026, 7, 1), QTime(21, 0)), false,
                   {{u"major_00"_s, u"past"_s}, {u"cups_03"_s, u"present"_s}});
        addReading(*context, u"single_card"_s, QDateTime(QDate(2026, 7, 2), QTime(21, 0)));
        context->insert(new JournalEntry(QDateTime(QDate(2026, 7, 1), QTime(9, 0))));
        context->insert(new UserCardNote(u"cups_02"_s, u"A note"_s));
        QVERIFY(context->save());
        const QByteArray good = archiveOf(*context);

        QTest::newRow("not JSON") << QByteArray("Dear diary,\n") << u"not a JSON document"_s;
        QTest::newRow("cut short") << good.left(good.size() / 2) << u"ends early"_s;
        QTest::newRow("broken inside") << QByteArray(good).replace("\"readings\": [", "\"readings\": [,")
                                       << u"not valid JSON (line"_s;
        QTest::newRow("another program's JSON")
            << QByteArray("{\"format\": \"something-else\"}") << u"not an archive of Quillmoor Tarot"_s;
        QTest::newRow("newer format") << QByteArray(good).replace("\"formatVersion\": 3", "\"formatVersion\": 7")
                                      << u"newer version of Quillmoor Tarot (format 7"_s;
        // Found by the fuzzer: a version too large for an int was converted anyway.
        QTest::newRow("far newer format")
            << QByteArray(good).replace("\"formatVersion\": 3", "\"formatVersion\": 18888888888888")
            << u"(format 18888888888888;"_s;
        QTest::newRow("duplicate identifier") << edited(good, [](QJsonObject &archive) {
            QJsonArray readings = archive.value(u"readings"_s).toArray();
            QJsonObject second = readings.at(1).toObject();
            second.insert(u"id"_s, readings.at(0).toObject().value(u"id"_s));
            readings[1] = second;
            archive.insert(u"readings"_s, readings);
        }) << u"readings[1].id repeats the identifier"_s;
        QTest::newRow("missing field") << edited(good, [](QJsonObject &archive) {
            editFirst(archive, u"journalEntries"_s, [](QJsonObject &entry) { entry.remove(u"date"_s); });
        }) << u"journalEntries[0].date is missing"_s;
        QTest::newRow("date without offset") << edited(good, [](QJsonObject &archive) {
            editFirst(archive, u"readings"_s,
                      [](QJsonObject &reading) { reading.insert(u"date"_s, u"2026-07-01T21:00:00"_s); });
        }) << u"readings[0].date is not a date and time with its offset"_s;
        QTest::newRow("impossible date") << edited(good, [](QJsonObject &archive) {
            editFirst(archive, u"readings"_s,
                      [](QJsonObject &reading) { reading.insert(u"date"_s, u"2026-02-30T21:00:00+01:00"_s); });
        }) << u"readings[0].date is not a date"_s;
        QTest::newRow("card name with spaces") << edited(good, [](QJsonObject &archive) {
            editFirst(archive, u"readings"_s, [](QJsonObject &reading) {
                QJsonArray cards = reading.value(u"drawnCards"_s).toArray();
                QJsonObject card = cards.at(1).toObject();
                card.insert(u"cardId"_s, u"Three of Cups"_s);
                cards[1] = card;
                reading.insert(u"drawnCards"_s, cards);
            });
        }) << u"readings[0].drawnCards[1].cardId is not a card"_s;
        QTest::newRow("look-back day as words") << edited(good, [](QJsonObject &archive) {
            editFirst(archive, u"readings"_s, [](QJsonObject &reading) { reading.insert(u"lookBackOn"_s, u"soon"_s); });
        }) << u"readings[0].lookBackOn is not a day"_s;
        QTest::newRow("switch as text") << edited(good, [](QJsonObject &archive) {
            editFirst(archive, u"readings"_s, [](QJsonObject &reading) { reading.insert(u"isFavorite"_s, u"yes"_s); });
        }) << u"readings[0].isFavorite must be true or false"_s;
        // 50,001 characters, each of two code points: too long however it is counted.
        QTest::newRow("text too long") << edited(good, [](QJsonObject &archive) {
            editFirst(archive, u"cardNotes"_s,
                      [](QJsonObject &note) { note.insert(u"noteText"_s, u"e\u0301"_s.repeated(50'001)); });
        }) << u"cardNotes[0].noteText is longer than 50,000 characters"_s;
    }

    // Whatever is wrong, and wherever, the whole file is refused with a message naming the problem.
    void aFaultyArchiveIsRefusedByName()
    {
        QFETCH(QByteArray, archive);
        QFETCH(QString, problem);
        QString error;
        QVERIFY(!ArchiveReader::parse(archive, &error));
        QVERIFY2(error.contains(problem), qPrintable(error));
    }

    // A file of the first format has no question, origin, outcome or look-back day: it is read
    // with those empty, as a dealt reading.
    void aFirstFormatArchiveReadsWithTheLaterFieldsEmpty()
    {
        auto source = m_source->open();
        Reading *reading = addReading(*source, u"three_card"_s, QDateTime(QDate(2026, 7, 1), QTime(21, 0)));
        reading->setOrigin(Reading::ownDeck);
        reading->setOutcome(u"Lost in the old format"_s);
        QVERIFY(source->save());
        const QByteArray firstFormat = edited(archiveOf(*source), [](QJsonObject &archive) {
            archive.insert(u"formatVersion"_s, 1);
            editFirst(archive, u"readings"_s, [](QJsonObject &stored) {
                for (const QString &field :
                     {u"question"_s, u"origin"_s, u"outcome"_s, u"lookBackOn"_s, u"spreadLayout"_s})
                    stored.remove(field);
            });
            archive.remove(u"spreads"_s);
        });
        QString error;
        const auto contents = ArchiveReader::parse(firstFormat, &error);
        QVERIFY2(contents, qPrintable(error));
        QCOMPARE(contents->readings.size(), 1);
        const Reading *read = contents->readings.constFirst();
        QVERIFY(!read->isRecorded());
        QVERIFY(read->outcome().isEmpty() && read->lookBackOn().isEmpty() && read->question().isEmpty());
    }

    // Checked before anything is read into memory.
    void aHugeFileIsRefusedBySize()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(u"huge.json"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(2LL * 1024 * 1024 * 1024)); // sparse: costs no disk
        file.close();
        QString error;
        QVERIFY(!ArchiveReader::read(file.fileName(), &error));
        QVERIFY2(error.contains(u"too large"_s) && error.contains(u"2.00 GiB"_s), qPrintable(error));
    }

private:
    std::unique_ptr<TempStore> m_source;
};

QTEST_GUILESS_MAIN(ArchiveImportTest)
#include "tst_archive_import.moc"
