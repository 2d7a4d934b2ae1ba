// The portable archive written from a real store: every record by its identifier, awkward
// texts intact, instants with the offset the user's clock had, and nothing written at all when
// the store cannot be read whole or the file cannot be made.
#include "AppSettings.h"
#include "ArchiveExporter.h"
#include "ArchiveWriter.h"
#include "BackupCommands.h"
#include "JournalEntry.h"
#include "StoreTestSupport.h"
#include "UserCardNote.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

class ArchiveTest : public QObject
{
    Q_OBJECT

private slots:
    void everyRecordIsWrittenAsStored()
    {
        TempStore store;
        auto context = store.open();
        const QString longText = u"ab\u0301c 🌙\n"_s.repeated(50'000 / 6);
        context->insert(new AppSettings);
        // 29 March 2026 is the day Berlin's clocks go forward; an entry keeps the start of its day,
        // still in winter time, and a summer reading has the summer offset.
        auto *before = new JournalEntry(QDateTime(QDate(2026, 3, 29), QTime(1, 30)));
        before->setReflectionText(longText);
        before->setMood(u"Grateful"_s);
        context->insert(before);
        auto *after = new JournalEntry(QDateTime(QDate(2026, 3, 29), QTime(3, 30)));
        after->setReflectionText(u""_s);
        context->insert(after);
        Reading *reading = addReading(*context, u"three_card"_s, QDateTime(QDate(2026, 7, 1), QTime(21, 5, 7, 250)),
                                      true, {{u"major_00"_s, u"past"_s, true}, {u"gone_99"_s, u"present"_s}},
                                      u"Line one\nline two \"quoted\"\t\u0001 back\\slash\r"_s);
        context->insert(new UserCardNote(u"cups_02"_s, u"Two hearts ❤️"_s));
        QVERIFY(context->save());

        QString error;
        const QByteArray bytes = ArchiveWriter::document(*context, QDateTime(QDate(2026, 12, 8), QTime(10, 0)), &error);
        QVERIFY2(!bytes.isEmpty(), qPrintable(error));
        QJsonParseError parse;
        const QJsonObject archive = QJsonDocument::fromJson(bytes, &parse).object();
        QCOMPARE(parse.error, QJsonParseError::NoError);
        QCOMPARE(archive.value(u"format"_s).toString(), u"quillmoor-tarot-archive"_s);
        QCOMPARE(archive.value(u"formatVersion"_s).toInt(), 3);
        QCOMPARE(archive.value(u"appVersion"_s).toString(), QStringLiteral(QUILLMOOR_VERSION));
        QCOMPARE(archive.value(u"exportedAt"_s).toString(), u"2026-12-08T10:00:00.000+01:00"_s);
        QVERIFY(archive.value(u"settings"_s).toObject().contains(u"allowReversedCards"_s));

        const QJsonArray entries = archive.value(u"journalEntries"_s).toArray();
        QCOMPARE(entries.size(), 2);
        const QJsonObject first = entries.at(0).toObject();
        QCOMPARE(first.value(u"id"_s).toString(), before->id().toString(QUuid::WithoutBraces));
        QCOMPARE(first.value(u"date"_s).toString(), u"2026-03-29T00:00:00.000+01:00"_s);
        QCOMPARE(first.value(u"reflectionText"_s).toString(), longText);
        QCOMPARE(first.value(u"mood"_s).toString(), u"Grateful"_s);
        QVERIFY(first.value(u"dailyCardId"_s).isString() || first.value(u"dailyCardId"_s).isNull());
        QCOMPARE(entries.at(1).toObject().value(u"reflectionText"_s).toString(), u""_s);

        const QJsonObject stored = archive.value(u"readings"_s).toArray().at(0).toObject();
        QCOMPARE(stored.value(u"id"_s).toString(), reading->id().toString(QUuid::WithoutBraces));
        QCOMPARE(stored.value(u"date"_s).toString(), u"2026-07-01T21:05:07.250+02:00"_s);
        QCOMPARE(stored.value(u"notes"_s).toString(), u"Line one\nline two \"quoted\"\t\u0001 back\\slash\r"_s);
        QCOMPARE(stored.value(u"isFavorite"_s).toBool(), true);
        const QJsonArray cards = stored.value(u"drawnCards"_s).toArray();
        QCOMPARE(cards.size(), 2);
        QCOMPARE(cards.at(0).toObject(),
                 (QJsonObject{{u"cardId"_s, u"major_00"_s}, {u"positionId"_s, u"past"_s}, {u"isReversed"_s, true}}));
        QCOMPARE(cards.at(1).toObject().value(u"cardId"_s).toString(), u"gone_99"_s); // kept though unknown

        const QJsonObject savedNote = archive.value(u"cardNotes"_s).toArray().at(0).toObject();
        QCOMPARE(savedNote.value(u"noteText"_s).toString(), u"Two hearts ❤️"_s);
        QCOMPARE(savedNote.value(u"cardId"_s).toString(), u"cups_02"_s);
    }

    // From the window: what is pending is saved first, the archive is written on a worker
    // thread through a connection of its own, and the outcome is said in words.
    void theWindowExportsWithoutWaiting()
    {
        TempStore store;
        auto context = store.open();
        addReading(*context, u"single_card"_s, QDateTime(QDate(2026, 5, 2), QTime(9, 0)), false,
                   {{u"major_01"_s, u"card"_s}}); // not saved yet
        ArchiveExporter exporter;
        exporter.setModelContext(context.get());
        QVERIFY(exporter.suggestedFile().fileName().startsWith(u"Quillmoor Tarot "_s));
        const QString archive = store.dir.filePath(u"everything.json"_s);
        exporter.save(QUrl::fromLocalFile(archive));
        QVERIFY(exporter.busy());
        QVERIFY(!context->hasChanges());
        exporter.waitForIdle();
        QVERIFY(!exporter.busy());
        QCOMPARE(exporter.status(), u"Everything was exported to %1."_s.arg(archive));
        QFile file(archive);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QJsonDocument::fromJson(file.readAll()).object().value(u"readings"_s).toArray().size(), 1);

        exporter.save(QUrl::fromLocalFile(store.dir.filePath(u"no/such/folder/x.json"_s)));
        exporter.waitForIdle();
        QVERIFY(exporter.status().startsWith(u"Nothing was exported: "_s));
    }

    // The command writes the file whole or not at all, and needs a store to export.
    void theCommandWritesTheFileOrNothing()
    {
        TempStore store;
        {
            auto context = store.open();
            addReading(*context, u"yes_no"_s, QDateTime(QDate(2026, 5, 2), QTime(9, 0)), false,
                       {{u"major_01"_s, u"answer"_s}});
            QVERIFY(context->save());
        }
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const QString archive = store.dir.filePath(u"everything.json"_s);
        QCOMPARE(BackupCommands::exportArchive(store.path(), archive, outStream, errStream), 0);
        QCOMPARE(out, u"Exported 1 reading, 0 journal entries and 0 card notes to %1\n"_s.arg(archive));
        QCOMPARE(QJsonDocument::fromJson([&] {
                     QFile file(archive);
                     return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
                 }())
                     .object()
                     .value(u"readings"_s)
                     .toArray()
                     .size(),
                 1);

        const QString nowhere = store.dir.filePath(u"missing/folder/everything.json"_s);
        QCOMPARE(BackupCommands::exportArchive(store.path(), nowhere, outStream, errStream), 1);
        QVERIFY(err.contains(nowhere));
        QVERIFY(!QFileInfo::exists(nowhere));

        TempStore none;
        err.clear();
        QCOMPARE(BackupCommands::exportArchive(none.path(), archive, outStream, errStream), 1);
        QVERIFY(err.contains(u"no store"_s));
        QVERIFY(!QFileInfo::exists(none.path())); // no empty store made on the way
    }
};

QTEST_GUILESS_MAIN(ArchiveTest)
#include "tst_archive.moc"
