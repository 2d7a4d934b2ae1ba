// The journal export: the three documents character for character, the dialog's suggestion,
// and the write: whole or not at all, revealed on success and reported on failure.
#include "CardDataStore.h"
#include "Clock.h"
#include "FileRevealer.h"
#include "JournalEntry.h"
#include "JournalExporter.h"
#include "StoreTestSupport.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

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
    QString reflection = QStringLiteral("");
    QString prompt;
};

JournalEntry *makeEntry(const EntryData &data)
{
    auto *entry = new JournalEntry(QDateTime(data.day, QTime(9, 0)));
    entry->setMood(data.mood);
    entry->setDailyCardId(data.cardId);
    entry->setDailyCardReversed(data.reversed);
    entry->setReflectionText(data.reflection);
    entry->setJournalPrompt(data.prompt);
    return entry;
}

QStringList listing(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

Q_DECLARE_METATYPE(QList<EntryData>)

class JournalExportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_cards.loadCards(); }
    void cleanup() { Clock::reset(); }

    void documentsAreBuiltExactly_data()
    {
        QTest::addColumn<QList<EntryData>>("entries");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("markdown");
        QTest::addColumn<QString>("csv");
        const QString title = QStringLiteral("# Quillmoor Tarot \u2014 Journal\n\n");
        const QString header = QStringLiteral("Date,Mood,Daily Card,Reversed,Reflection\n");
        const QDate day(2026, 12, 5);

        QTest::newRow("date only") << QList<EntryData>{{day}} << QStringLiteral("December 5, 2026")
                                   << title + QStringLiteral("## December 5, 2026")
                                   << header + QStringLiteral("\"December 5, 2026\",\"\",\"\",\"No\",\"\"");

        QTest::newRow("blank-only reflection")
            << QList<EntryData>{{day, {}, {}, false, QStringLiteral("  \n \n")}} << QStringLiteral("December 5, 2026")
            << title + QStringLiteral("## December 5, 2026")
            << header + QStringLiteral("\"December 5, 2026\",\"\",\"\",\"No\",\"     \"");

        QTest::newRow("line feed and quotes in a reflection")
            << QList<EntryData>{{day,
                                 QStringLiteral("Hopeful"),
                                 {},
                                 false,
                                 QStringLiteral("She said \"yes\",\nand smiled.")}}
            << QStringLiteral("December 5, 2026\nMood: Hopeful\n\nShe said \"yes\",\nand smiled.")
            << title + QStringLiteral("## December 5, 2026\n**Mood:** Hopeful\n\nShe said \"yes\",\nand smiled.")
            << header +
                   QStringLiteral("\"December 5, 2026\",\"Hopeful\",\"\",\"No\",\"She said \"\"yes\"\", and smiled.\"");

        // A card the catalogue does not know: no card line, an empty field, but still reversed.
        QTest::newRow("unknown card id")
            << QList<EntryData>{{day, {}, QStringLiteral("major_99"), true, QStringLiteral("Odd day.")}}
            << QStringLiteral("December 5, 2026\n\nOdd day.")
            << title + QStringLiteral("## December 5, 2026\n\nOdd day.")
            << header + QStringLiteral("\"December 5, 2026\",\"\",\"\",\"Yes\",\"Odd day.\"");

        // Oldest first whatever order they were stored in; the prompt only in Markdown; one
        // separator between two blocks and none after the last.
        QTest::newRow("two entries")
            << QList<EntryData>{{day, QStringLiteral("Grateful"), QStringLiteral("major_16"), true,
                                 QStringLiteral("Let it fall."), QStringLiteral("What fell?")},
                                {day.addDays(-30),
                                 {},
                                 QStringLiteral("cups_03"),
                                 false,
                                 {},
                                 QString(QLatin1String(""))}}
            << QStringLiteral("November 5, 2026\nDaily Card: Three of Cups\n\n---\n\n"
                              "December 5, 2026\nMood: Grateful\nDaily Card: The Tower (Reversed)\n\nLet it fall.")
            << title +
                   QStringLiteral("## November 5, 2026\n**Daily Card:** Three of Cups\n\n---\n\n"
                                  "## December 5, 2026\n**Mood:** Grateful\n**Daily Card:** The Tower (Reversed)\n\n"
                                  "> *What fell?*\n\nLet it fall.")
            << header + QStringLiteral("\"November 5, 2026\",\"\",\"Three of Cups\",\"No\",\"\"\n"
                                       "\"December 5, 2026\",\"Grateful\",\"The Tower\",\"Yes\",\"Let it fall.\"");
    }
    void documentsAreBuiltExactly()
    {
        QFETCH(QList<EntryData>, entries);
        QFETCH(QString, text);
        QFETCH(QString, markdown);
        QFETCH(QString, csv);
        TempStore store;
        auto context = store.open();
        for (const EntryData &data : entries)
            context->insert(makeEntry(data));
        const QList<JournalEntry *> sorted = JournalExporter::entriesOldestFirst(*context);
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(JournalExporter::document(JournalExporter::Text, sorted, m_cards, us), text);
        QCOMPARE(JournalExporter::document(JournalExporter::Markdown, sorted, m_cards, us), markdown);
        QCOMPARE(JournalExporter::document(JournalExporter::Csv, sorted, m_cards, us), csv);
    }

    void datesFollowTheUsersLocale()
    {
        JournalEntry entry(QDateTime(QDate(2026, 12, 5), QTime(0, 0)));
        QCOMPARE(JournalExporter::document(JournalExporter::Text, {&entry}, m_cards,
                                           QLocale(QLocale::English, QLocale::UnitedKingdom)),
                 QStringLiteral("5 December 2026"));
    }

    void theDialogSuggestsTheNameAndOffersTheFormatsType_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("text") << int(JournalExporter::Text) << QStringLiteral("Quillmoor-Journal.txt")
                              << QStringLiteral("*.txt");
        QTest::newRow("markdown") << int(JournalExporter::Markdown) << QStringLiteral("Quillmoor-Journal.md")
                                  << QStringLiteral("*.md");
        QTest::newRow("csv") << int(JournalExporter::Csv) << QStringLiteral("Quillmoor-Journal.csv")
                             << QStringLiteral("*.csv");
    }
    void theDialogSuggestsTheNameAndOffersTheFormatsType()
    {
        QFETCH(int, format);
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        TempStore store;
        auto context = store.open();
        context->insert(makeEntry({QDate(2026, 12, 5)}));
        JournalExporter exporter;
        exporter.setModelContext(context.get());
        QVERIFY(exporter.start(JournalExporter::Format(format)));
        QCOMPARE(exporter.phase(), JournalExporter::ChoosingFile);
        QCOMPARE(exporter.suggestedFileName(), name);
        QCOMPARE(exporter.nameFilters().size(), 1);
        QVERIFY(exporter.nameFilters().first().contains(pattern));
        // Plain text (text and Markdown) and comma-separated text are separate types.
        QCOMPARE(exporter.nameFilters().first().contains(QStringLiteral("*.csv")), format == JournalExporter::Csv);
        QCOMPARE(exporter.nameFilters() == JournalExporter::nameFilters(JournalExporter::Text),
                 format != JournalExporter::Csv);
        QCOMPARE(exporter.proposedFile(QUrl::fromLocalFile(QStringLiteral("/home/someone"))),
                 QUrl::fromLocalFile(QStringLiteral("/home/someone/") + name));
    }

    void withoutEntriesNoDialogOpens()
    {
        TempStore store;
        auto context = store.open();
        JournalExporter exporter;
        exporter.setModelContext(context.get());
        QSignalSpy phase(&exporter, &JournalExporter::phaseChanged);
        QVERIFY(!exporter.start(JournalExporter::Markdown));
        QCOMPARE(exporter.phase(), JournalExporter::Idle);
        QCOMPARE(phase.count(), 0);
    }

    void aConfirmedDialogWritesUtf8AndRevealsTheFile()
    {
        TempStore store;
        auto context = store.open();
        context->insert(makeEntry({QDate(2026, 12, 5),
                                   QStringLiteral("Joyful"),
                                   {},
                                   false,
                                   QStringLiteral("Caf\u00e9 \U0001F319 \u2014 calm")}));
        FakeRevealer revealer;
        JournalExporter exporter;
        exporter.setModelContext(context.get());
        exporter.setRevealer(revealer);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Mein Journal.md"));
        // An older file of that name is replaced as a whole.
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(10'000, 'x'));
        }
        QVERIFY(exporter.start(JournalExporter::Markdown));
        const QString expected = exporter.pendingDocument();
        exporter.save(QUrl::fromLocalFile(path));
        QCOMPARE(exporter.phase(), JournalExporter::Idle);
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QCOMPARE(bytes, expected.toUtf8());
        QVERIFY(bytes.contains("Caf\xc3\xa9 \xf0\x9f\x8c\x99 \xe2\x80\x94 calm"));
        QVERIFY(!bytes.endsWith('\n'));
        QCOMPARE(revealer.calls, (QList<QStringList>{{path, QDir(folder.path()).absolutePath()}}));
        QCOMPARE(listing(folder.path()), QStringList{QStringLiteral("Mein Journal.md")});
    }

    // Qt's own save dialog may hand over a typed name as a bare path; a remote or empty
    // location writes nothing.
    void theDialogsLocationIsTakenAsALocalPath_data()
    {
        QTest::addColumn<QString>("location");
        QTest::addColumn<bool>("written");
        QTest::newRow("file URL") << QStringLiteral("file://%1/a.txt") << true;
        QTest::newRow("bare absolute path") << QStringLiteral("%1/a.txt") << true;
        QTest::newRow("relative path") << QStringLiteral("a.txt") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("remote") << QStringLiteral("sftp://example.org%1/a.txt") << false;
    }
    void theDialogsLocationIsTakenAsALocalPath()
    {
        QFETCH(QString, location);
        QFETCH(bool, written);
        TempStore store;
        auto context = store.open();
        context->insert(makeEntry({QDate(2026, 12, 5)}));
        FakeRevealer revealer;
        JournalExporter exporter;
        exporter.setModelContext(context.get());
        exporter.setRevealer(revealer);
        QTemporaryDir folder;
        QVERIFY(exporter.start(JournalExporter::Text));
        exporter.save(QUrl(location.contains(QLatin1String("%1")) ? location.arg(folder.path()) : location));
        QCOMPARE(exporter.phase(), JournalExporter::Idle);
        QCOMPARE(QFile::exists(folder.filePath(QStringLiteral("a.txt"))), written);
        QCOMPARE(revealer.calls.size(), written ? 1 : 0);
    }

    void aCancelledDialogWritesNothing()
    {
        TempStore store;
        auto context = store.open();
        context->insert(makeEntry({QDate(2026, 12, 5)}));
        FakeRevealer revealer;
        JournalExporter exporter;
        exporter.setModelContext(context.get());
        exporter.setRevealer(revealer);
        QVERIFY(exporter.start(JournalExporter::Text));
        exporter.cancel();
        QCOMPARE(exporter.phase(), JournalExporter::Idle);
        QVERIFY(exporter.pendingDocument().isEmpty());
        // A late confirmation after the cancel is ignored.
        QTemporaryDir folder;
        exporter.save(QUrl::fromLocalFile(folder.filePath(QStringLiteral("late.txt"))));
        QVERIFY(listing(folder.path()).isEmpty());
        QVERIFY(revealer.calls.isEmpty());
    }

    // The tests run as root, who may write anywhere: a folder that cannot hold files is made by
    // putting a plain file where the folder should be.
    void aFailedWriteLeavesNothingAndSaysSo()
    {
        TempStore store;
        auto context = store.open();
        context->insert(makeEntry({QDate(2026, 12, 5), {}, {}, false, QStringLiteral("Some words.")}));
        FakeRevealer revealer;
        JournalExporter exporter;
        exporter.setModelContext(context.get());
        exporter.setRevealer(revealer);
        QTemporaryDir folder;
        const QString notAFolder = folder.filePath(QStringLiteral("notes"));
        {
            QFile file(notAFolder);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(exporter.start(JournalExporter::Csv));
        exporter.save(QUrl::fromLocalFile(notAFolder + QStringLiteral("/Quillmoor-Journal.csv")));
        QCOMPARE(exporter.phase(), JournalExporter::WriteFailed);
        QVERIFY(exporter.failureMessage().contains(QStringLiteral("Quillmoor-Journal.csv")));
        QVERIFY(revealer.calls.isEmpty());
        QCOMPARE(listing(folder.path()), QStringList{QStringLiteral("notes")});
        QCOMPARE(QFileInfo(notAFolder).size(), 0);

        exporter.dismissFailure();
        QCOMPARE(exporter.phase(), JournalExporter::Idle);
        QVERIFY(exporter.failureMessage().isEmpty());
        // The next export starts afresh.
        QVERIFY(exporter.start(JournalExporter::Csv));
        QCOMPARE(exporter.phase(), JournalExporter::ChoosingFile);
    }

    void aFolderPathIsNotOverwritten()
    {
        QTemporaryDir folder;
        QString error;
        QVERIFY(!JournalExporter::writeAtomically(folder.path(), QStringLiteral("text"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(QFileInfo(folder.path()).isDir());
        QVERIFY(listing(folder.path()).isEmpty());
    }

private:
    CardDataStore m_cards;
};

QTEST_GUILESS_MAIN(JournalExportTest)
#include "tst_journal_export.moc"
