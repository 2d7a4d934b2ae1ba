// The journal export: the three documents character for character, the dialog's suggestion,
// and the write: whole or not at all, revealed on success and reported on failure.
#include "CardDataStore.h"
#include "FileRevealer.h"
#include "JournalEntry.h"
#include "JournalExporter.h"
#include "StoreTestSupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

struct FakeRevealer : FileRevealer
{
    void reveal(const QString &filePath, const QString &folderPath) override { calls.append({filePath, folderPath}); }
    QList<QStringList> calls;
};

struct EntryData
{
    QDate day;
    QString mood;
    QString cardId;
    bool reversed = false;
    QString reflection = u""_s;
    QString prompt;
};

QStringList listing(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// An exporter over a store of the given entries, revealing into a recorder, with an empty
// folder to write to.
struct Export
{
    explicit Export(const QList<EntryData> &entries = {{QDate(2026, 12, 5)}})
    {
        for (const EntryData &data : entries) {
            auto *entry = new JournalEntry(QDateTime(data.day, QTime(9, 0)));
            entry->setMood(data.mood);
            entry->setDailyCardId(data.cardId);
            entry->setDailyCardReversed(data.reversed);
            entry->setReflectionText(data.reflection);
            entry->setJournalPrompt(data.prompt);
            context->insert(entry);
        }
        exporter.setModelContext(context.get());
        exporter.setRevealer(revealer);
    }
    QString document(JournalExporter::Format format, const QLocale &locale = QLocale(QLocale::English)) const
    {
        return JournalExporter::document(format, JournalExporter::entriesOldestFirst(*context), CardDataStore::shared(),
                                         locale);
    }

    TempStore store;
    std::unique_ptr<ModelContext> context = store.open();
    FakeRevealer revealer;
    JournalExporter exporter;
    QTemporaryDir folder;
};

} // namespace

Q_DECLARE_METATYPE(QList<EntryData>)

class JournalExportTest : public QObject
{
    Q_OBJECT

private slots:
    void documentsAreBuiltExactly_data()
    {
        QTest::addColumn<QList<EntryData>>("entries");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("markdown");
        QTest::addColumn<QString>("csv");
        const QString title = u"# Quillmoor Tarot \u2014 Journal\n\n"_s;
        const QString header = u"Date,Mood,Daily Card,Reversed,Reflection\n"_s;
        const QDate day(2026, 12, 5);

        QTest::newRow("date only") << QList<EntryData>{{day}} << u"December 5, 2026"_s
                                   << title + u"## December 5, 2026"_s
                                   << header + u"\"December 5, 2026\",\"\",\"\",\"No\",\"\""_s;
        QTest::newRow("blank-only reflection")
            << QList<EntryData>{{day, {}, {}, false, u"  \n \n"_s}} << u"December 5, 2026"_s
            << title + u"## December 5, 2026"_s << header + u"\"December 5, 2026\",\"\",\"\",\"No\",\"     \""_s;
        QTest::newRow("line feed and quotes in a reflection")
            << QList<EntryData>{{day, u"Hopeful"_s, {}, false, u"She said \"yes\",\nand smiled."_s}}
            << u"December 5, 2026\nMood: Hopeful\n\nShe said \"yes\",\nand smiled."_s
            << title + u"## December 5, 2026\n**Mood:** Hopeful\n\nShe said \"yes\",\nand smiled."_s
            << header + u"\"December 5, 2026\",\"Hopeful\",\"\",\"No\",\"She said \"\"yes\"\", and smiled.\""_s;
        // A card the catalogue does not know: no card line, an empty field, but still reversed.
        QTest::newRow("unknown card id") << QList<EntryData>{{day, {}, u"major_99"_s, true, u"Odd day."_s}}
                                         << u"December 5, 2026\n\nOdd day."_s
                                         << title + u"## December 5, 2026\n\nOdd day."_s
                                         << header + u"\"December 5, 2026\",\"\",\"\",\"Yes\",\"Odd day.\""_s;
        // Oldest first whatever order they were stored in; the prompt only in Markdown; one
        // separator between two blocks and none after the last.
        QTest::newRow("two entries")
            << QList<EntryData>{{day, u"Grateful"_s, u"major_16"_s, true, u"Let it fall."_s, u"What fell?"_s},
                                {day.addDays(-30), {}, u"cups_03"_s, false, {}, u""_s}}
            << u"November 5, 2026\nDaily Card: Three of Cups\n\n---\n\n"
               "December 5, 2026\nMood: Grateful\nDaily Card: The Tower (Reversed)\n\nLet it fall."_s
            << title + u"## November 5, 2026\n**Daily Card:** Three of Cups\n\n---\n\n"
                       "## December 5, 2026\n**Mood:** Grateful\n**Daily Card:** The Tower (Reversed)\n\n"
                       "> *What fell?*\n\nLet it fall."_s
            << header + u"\"November 5, 2026\",\"\",\"Three of Cups\",\"No\",\"\"\n"
                        "\"December 5, 2026\",\"Grateful\",\"The Tower\",\"Yes\",\"Let it fall.\""_s;
    }
    void documentsAreBuiltExactly()
    {
        QFETCH(QList<EntryData>, entries);
        QFETCH(QString, text);
        QFETCH(QString, markdown);
        QFETCH(QString, csv);
        const Export run(entries);
        QCOMPARE(run.document(JournalExporter::Text), text);
        QCOMPARE(run.document(JournalExporter::Markdown), markdown);
        QCOMPARE(run.document(JournalExporter::Csv), csv);
    }

    void datesFollowTheUsersLocale()
    {
        QCOMPARE(Export().document(JournalExporter::Text, QLocale(QLocale::English, QLocale::UnitedKingdom)),
                 "5 December 2026");
    }

    void theDialogSuggestsTheNameAndOffersTheFormatsType_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("text") << int(JournalExporter::Text) << u"Quillmoor-Journal.txt"_s << u"*.txt"_s;
        QTest::newRow("markdown") << int(JournalExporter::Markdown) << u"Quillmoor-Journal.md"_s << u"*.md"_s;
        QTest::newRow("csv") << int(JournalExporter::Csv) << u"Quillmoor-Journal.csv"_s << u"*.csv"_s;
    }
    void theDialogSuggestsTheNameAndOffersTheFormatsType()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        Export run;
        QVERIFY(run.exporter.start(JournalExporter::Format(format)));
        QCOMPARE(run.exporter.phase(), JournalExporter::ChoosingFile);
        QCOMPARE(run.exporter.suggestedFileName(), name);
        const QStringList filters = run.exporter.nameFilters();
        QCOMPARE(filters.size(), 1);
        QVERIFY(filters.first().contains(pattern));
        // Plain text (text and Markdown) and comma-separated text are separate types.
        QCOMPARE(filters.first().contains("*.csv"), format == JournalExporter::Csv);
        QCOMPARE(filters == JournalExporter::nameFilters(JournalExporter::Text), format != JournalExporter::Csv);
        QCOMPARE(run.exporter.proposedFile(QUrl::fromLocalFile("/home/someone")),
                 QUrl::fromLocalFile("/home/someone/" + name));
    }

    void withoutEntriesNoDialogOpens()
    {
        Export run(QList<EntryData>{});
        QSignalSpy phase(&run.exporter, &JournalExporter::phaseChanged);
        QVERIFY(!run.exporter.start(JournalExporter::Markdown));
        QCOMPARE(run.exporter.phase(), JournalExporter::Idle);
        QCOMPARE(phase.count(), 0);
    }

    void aConfirmedDialogWritesUtf8AndRevealsTheFile()
    {
        Export run({{QDate(2026, 12, 5), u"Joyful"_s, {}, false, u"Caf\u00e9 \U0001F319 \u2014 calm"_s}});
        const QString path = run.folder.filePath("Mein Journal.md");
        // An older file of that name is replaced as a whole.
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(10'000, 'x')) && old.flush());
        QVERIFY(run.exporter.start(JournalExporter::Markdown));
        const QString expected = run.exporter.pendingDocument();
        run.exporter.save(QUrl::fromLocalFile(path));
        QCOMPARE(run.exporter.phase(), JournalExporter::Idle);
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QCOMPARE(bytes, expected.toUtf8());
        QVERIFY(bytes.contains("Caf\xc3\xa9 \xf0\x9f\x8c\x99 \xe2\x80\x94 calm"));
        QVERIFY(!bytes.endsWith('\n'));
        QCOMPARE(run.revealer.calls, (QList<QStringList>{{path, QDir(run.folder.path()).absolutePath()}}));
        QCOMPARE(listing(run.folder.path()), QStringList{"Mein Journal.md"});
    }

    // Qt's own save dialog may hand over a typed name as a bare path; a remote or empty
    // location writes nothing, and neither does a late confirmation after a cancel.
    void onlyALocalLocationIsWritten_data()
    {
        QTest::addColumn<QString>("location");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<bool>("written");
        QTest::newRow("file URL") << u"file://%1/a.txt"_s << false << true;
        QTest::newRow("bare absolute path") << u"%1/a.txt"_s << false << true;
        QTest::newRow("relative path") << u"a.txt"_s << false << false;
        QTest::newRow("empty") << QString() << false << false;
        QTest::newRow("remote") << u"sftp://example.org%1/a.txt"_s << false << false;
        QTest::newRow("after a cancel") << u"file://%1/a.txt"_s << true << false;
    }
    void onlyALocalLocationIsWritten()
    {
        QFETCH(QString, location);
        QFETCH(bool, cancelled);
        QFETCH(bool, written);
        Export run;
        QVERIFY(run.exporter.start(JournalExporter::Text));
        if (cancelled) {
            run.exporter.cancel();
            QCOMPARE(run.exporter.phase(), JournalExporter::Idle);
            QVERIFY(run.exporter.pendingDocument().isEmpty());
        }
        run.exporter.save(QUrl(location.contains("%1") ? location.arg(run.folder.path()) : location));
        QCOMPARE(run.exporter.phase(), JournalExporter::Idle);
        QCOMPARE(listing(run.folder.path()), written ? QStringList{"a.txt"} : QStringList{});
        QCOMPARE(run.revealer.calls.size(), written ? 1 : 0);
    }

    void aFolderPathIsNotOverwritten()
    {
        QTemporaryDir folder;
        QString error;
        QVERIFY(!JournalExporter::writeAtomically(folder.path(), "text", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(folder.path()).isDir());
        QVERIFY(listing(folder.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(JournalExportTest)
#include "tst_journal_export.moc"
