// The search over what the user wrote, against a real store: each kind is found by its own
// words and by the names beside it, accents and case do not matter, the last word is a prefix
// only while it is being typed, whatever is typed is never query syntax, and the index follows
// every save, deletion, import and change of names at once, staying exactly in step with the
// rows (SQLite's own integrity check of the index says so).
#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "JournalEntry.h"
#include "OtherConnection.h"
#include "Readings.h"
#include "SearchIndex.h"
#include "SearchResultsModel.h"
#include "StoreTestSupport.h"
#include "UserCardNote.h"
#include "Version1Store.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

const QList<SearchIndex::Name> names{
    {QStringLiteral("card:major_16"), QStringLiteral("The Tower")},
    {QStringLiteral("card:major_17"), QStringLiteral("The Star")},
    {QStringLiteral("card:major_18"), QStringLiteral("The Moon")},
    {QStringLiteral("card:cups_03"), QStringLiteral("Three of Cups")},
    {QStringLiteral("spread:three_card"), QStringLiteral("Past, Present, Future")},
    {QStringLiteral("spread:yes_no"), QStringLiteral("Yes or No")},
    {QStringLiteral("position:three_card/past"), QStringLiteral("Past")},
    {QStringLiteral("position:three_card/present"), QStringLiteral("Present")},
    {QStringLiteral("position:three_card/future"), QStringLiteral("Future")},
    {QStringLiteral("position:yes_no/answer"), QStringLiteral("Answer")},
};

const QDateTime march1 = QDateTime(QDate(2026, 3, 1), QTime(9, 0));

// Whether the index holds exactly what its rows say, by SQLite's check of an FTS5 table
// against its content.
QString indexProblems(const QString &path)
{
    OtherConnection db(path, QStringLiteral("check"));
    QStringList problems;
    for (const char *table : {"ReadingSearch", "JournalSearch", "CardNoteSearch"}) {
        QSqlQuery query(QSqlDatabase::database(QStringLiteral("check")));
        if (!query.exec(
                QStringLiteral("INSERT INTO %1(%1, rank) VALUES('integrity-check', 1)").arg(QLatin1String(table))))
            problems.append(QLatin1String(table) + QStringLiteral(": ") + query.lastError().text());
    }
    return problems.join(QLatin1Char('\n'));
}

QStringList titles(const QList<SearchIndex::Hit> &hits)
{
    QStringList result;
    for (const SearchIndex::Hit &hit : hits)
        result.append(SearchResultsModel::titleOf(hit));
    return result;
}

struct Fixture
{
    TempStore store;
    std::unique_ptr<ModelContext> context;
    std::unique_ptr<SearchIndex> index;
    Reading *job = nullptr;

    Fixture()
    {
        context = store.open();
        index = std::make_unique<SearchIndex>(context.get());
        QVERIFY(index->useNames(names));
        job = addReading(*context, QStringLiteral("three_card"), march1, false,
                         {{QStringLiteral("major_16"), QStringLiteral("past")},
                          {QStringLiteral("cups_03"), QStringLiteral("present")},
                          {QStringLiteral("major_17"), QStringLiteral("future")}},
                         QStringLiteral("Should I take the new job in Lisbon?"));
        addReading(*context, QStringLiteral("yes_no"), march1.addDays(2), false,
                   {{QStringLiteral("major_18"), QStringLiteral("answer")}}, QStringLiteral("Will the move go well?"));
        auto *entry = new JournalEntry(march1.addDays(1));
        entry->setDailyCardId(QStringLiteral("major_17"));
        entry->setReflectionText(QStringLiteral("Coffee at the CAFÉ by the river; the new job feels closer."));
        entry->setMood(QStringLiteral("Hopeful"));
        entry->setJournalPrompt(QStringLiteral("What do you hope for?"));
        context->insert(entry);
        auto *note =
            new UserCardNote(QStringLiteral("major_18"), QStringLiteral("Dreams come back when I sleep badly."));
        note->setLastModified(march1);
        context->insert(note);
        QVERIFY(context->save());
    }
};

} // namespace

class SearchIndexTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void eachKindIsFoundByItsWordsAndItsNames()
    {
        Fixture f;
        // A word of both a reading's question and a reflection: both kinds, each by its title.
        SearchIndex::Results found = f.index->find(QStringLiteral("new job"), 10);
        QCOMPARE(titles(found.readings),
                 QStringList{QStringLiteral("Past, Present, Future · The Tower, Three of Cups, The Star")});
        QCOMPARE(found.journal.size(), 1);
        QVERIFY(titles(found.journal).constFirst().endsWith(QStringLiteral(" · The Star")));
        QVERIFY(found.cardNotes.isEmpty());
        QCOMPARE(found.readingCount, 1);

        // The names of a reading's cards, positions and spread find it.
        QCOMPARE(f.index->find(QStringLiteral("tower"), 10).readings.size(), 1);
        QCOMPARE(f.index->find(QStringLiteral("three of cups present"), 10).readings.size(), 1);
        QCOMPARE(f.index->find(QStringLiteral("yes or no"), 10).readings.size(), 1);
        // The daily card, mood and prompt find an entry; the card's name finds its note.
        QCOMPARE(f.index->find(QStringLiteral("hopeful"), 10).journal.size(), 1);
        QCOMPARE(f.index->find(QStringLiteral("hope for"), 10).journal.size(), 1);
        found = f.index->find(QStringLiteral("moon"), 10);
        QCOMPARE(found.cardNotes.size(), 1);
        QCOMPARE(SearchResultsModel::titleOf(found.cardNotes.constFirst()), QStringLiteral("Note on The Moon"));
        QCOMPARE(found.readings.size(), 1); // the yes/no reading drew it

        // Every word must be there, in any of the record's fields.
        QVERIFY(f.index->find(QStringLiteral("tower lisbon"), 10).readings.size() == 1);
        QVERIFY(f.index->find(QStringLiteral("tower moon"), 10).isEmpty());

        // Newest first within a kind.
        found = f.index->find(QStringLiteral("the"), 10);
        QCOMPARE(found.readings.size(), 2);
        QVERIFY(found.readings.at(0).date > found.readings.at(1).date);

        // The snippet marks the words matched, and nothing else.
        found = f.index->find(QStringLiteral("lisbon"), 10);
        const QString snippet = found.readings.constFirst().snippet;
        QVERIFY2(snippet.contains(SearchIndex::highlightStart + QStringLiteral("Lisbon") + SearchIndex::highlightEnd),
                 qPrintable(snippet));
        QCOMPARE(snippet.count(SearchIndex::highlightStart), 1);
        QCOMPARE(SearchResultsModel::plainSnippet(snippet), QStringLiteral("Should I take the new job in Lisbon?"));
    }

    // A reading of a designed spread shows under the name its copy of the spread keeps; one
    // whose copy is unreadable under the plain word.
    void aDesignedSpreadsReadingIsTitledByItsName()
    {
        Fixture f;
        Reading *bridge = addReading(*f.context, QStringLiteral("custom_0123456789abcdef0123456789abcdef"), march1,
                                     false, {{QStringLiteral("major_16"), QStringLiteral("place_1")}},
                                     QStringLiteral("The harbour at dawn"));
        bridge->setSpreadLayout(
            QStringLiteral(R"({"name":"Bridge","positions":[{"id":"place_1","name":"Shore","x":0,"y":0}]})"));
        Reading *broken = addReading(*f.context, QStringLiteral("custom_ffff"), march1.addDays(1), false,
                                     {{QStringLiteral("major_17"), QStringLiteral("place_1")}},
                                     QStringLiteral("The harbour at night"));
        broken->setSpreadLayout(QStringLiteral("{not json"));
        QVERIFY(f.context->save());
        QCOMPARE(titles(f.index->find(QStringLiteral("harbour"), 10).readings),
                 (QStringList{QStringLiteral("Reading · The Star"), QStringLiteral("Bridge · The Tower")}));
    }

    void accentsCaseAndTheWordBeingTyped()
    {
        Fixture f;
        // "cafe" finds "CAFÉ", and so do the other spellings of it.
        for (const QString &typed :
             {QStringLiteral("cafe"), QStringLiteral("Café"), QStringLiteral("CAFE "), QStringLiteral("cafe\u0301")})
            QVERIFY2(f.index->find(typed, 10).journal.size() == 1, qPrintable(typed));
        // The last word is the start of a longer one while nothing follows it...
        QCOMPARE(f.index->find(QStringLiteral("lis"), 10).readings.size(), 1);
        QCOMPARE(f.index->find(QStringLiteral("j"), 10).readings.size(), 1);
        // ...and a whole word once a space follows it; earlier words are always whole.
        QVERIFY(f.index->find(QStringLiteral("lis "), 10).isEmpty());
        QVERIFY(f.index->find(QStringLiteral("lis bon"), 10).isEmpty());
    }

    void whateverIsTypedIsWordsNeverSyntax_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("readings"); // how many of the fixture's readings it should find

        QTest::newRow("quotes") << QStringLiteral("\"new job") << 1;
        QTest::newRow("star") << QStringLiteral("job*") << 1;
        QTest::newRow("minus") << QStringLiteral("-job") << 1;
        QTest::newRow("operators") << QStringLiteral("job AND OR NOT") << 0;
        QTest::newRow("near") << QStringLiteral("NEAR(job lisbon)") << 0;
        QTest::newRow("lone bracket") << QStringLiteral("(") << -1;
        QTest::newRow("column filter") << QStringLiteral("notes:job") << 0;
        QTest::newRow("caret") << QStringLiteral("^job") << 1;
        QTest::newRow("plus") << QStringLiteral("new + job") << 1;
        QTest::newRow("emoji") << QStringLiteral("🌙✨") << -1;
        QTest::newRow("emoji beside a word") << QStringLiteral("job🌙") << 1;
        QTest::newRow("arabic") << QStringLiteral("القمر") << 0;
        QTest::newRow("lone combining accent") << QStringLiteral("\u0301") << -1;
        QTest::newRow("ten thousand characters") << QStringLiteral("job ").repeated(2500) << 1;
        QTest::newRow("ten thousand different") << QString(QStringLiteral("a b c d e f g h i j ").repeated(500)) << 0;
        QTest::newRow("nul and controls") << QStringLiteral("job\u0000\u0001\u0002") << 1;
    }

    void whateverIsTypedIsWordsNeverSyntax()
    {
        QFETCH(QString, typed);
        QFETCH(int, readings);
        Fixture f;
        // A failed query is logged, which fails the test (init()).
        const SearchIndex::Results found = f.index->find(typed, 10);
        if (readings < 0) {
            QVERIFY(found.noTerms);
            QVERIFY(f.index->matchExpression(typed).isEmpty());
        } else {
            QVERIFY(!found.noTerms);
            QCOMPARE(found.readings.size(), readings);
        }
    }

    void wordsInOtherScriptsAreFound()
    {
        Fixture f;
        f.job->setNotes(QStringLiteral("سألت عن القمر الليلة"));
        QVERIFY(f.context->save());
        QCOMPARE(f.index->find(QStringLiteral("القمر"), 10).readings.size(), 1);
        QCOMPARE(f.index->find(QStringLiteral("الق"), 10).readings.size(), 1);
    }

    void theIndexFollowsEveryChangeAtOnce()
    {
        Fixture f;
        // Changed text: the old words are gone, the new ones found.
        f.job->setNotes(QStringLiteral("Staying in Porto after all."));
        QVERIFY(f.context->save());
        QVERIFY(f.index->find(QStringLiteral("lisbon"), 10).readings.isEmpty());
        QCOMPARE(f.index->find(QStringLiteral("porto"), 10).readings.size(), 1);
        // A drawn card changed: the reading is found by its new card.
        f.job->drawnCards().constFirst()->setCardId(QStringLiteral("major_18"));
        QVERIFY(f.context->save());
        QVERIFY(f.index->find(QStringLiteral("tower"), 10).isEmpty());
        QCOMPARE(f.index->find(QStringLiteral("moon porto"), 10).readings.size(), 1);
        QCOMPARE(indexProblems(f.store.path()), QString());

        // Removed but not saved yet: already gone from the results.
        Readings(f.context.get()).remove(f.job);
        QVERIFY(f.index->find(QStringLiteral("porto"), 10).readings.isEmpty());
        QCOMPARE(f.index->find(QStringLiteral("porto"), 10).readingCount, 0);
        // Saved: gone from the store's index too, its cards with it.
        QVERIFY(f.context->save());
        QVERIFY(f.index->find(QStringLiteral("porto"), 10).readings.isEmpty());
        QCOMPARE(indexProblems(f.store.path()), QString());

        // A journal entry and a note deleted straight in the store, as another program might.
        {
            OtherConnection other(f.store.path());
            QVERIFY(other.exec(QStringLiteral("DELETE FROM JournalEntry")));
            QVERIFY(other.exec(QStringLiteral("UPDATE UserCardNote SET cardId = 'major_17'")));
        }
        QVERIFY(f.index->find(QStringLiteral("hopeful"), 10).journal.isEmpty());
        QCOMPARE(f.index->find(QStringLiteral("star dreams"), 10).cardNotes.size(), 1);
        QCOMPARE(indexProblems(f.store.path()), QString());
    }

    void newNamesIndexEverythingAgain()
    {
        Fixture f;
        QVERIFY(f.index->holdsNames(names));
        QList<SearchIndex::Name> renamed = names;
        renamed[0].name = QStringLiteral("La Torre");
        QVERIFY(!f.index->holdsNames(renamed));
        QVERIFY(f.index->useNames(renamed));
        QVERIFY(f.index->find(QStringLiteral("tower"), 10).isEmpty());
        QCOMPARE(f.index->find(QStringLiteral("torre"), 10).readings.size(), 1);
        QCOMPARE(indexProblems(f.store.path()), QString());
    }

    void aReadingImportedFromAnArchiveIsFound()
    {
        Fixture source;
        QString error;
        const QByteArray archive = ArchiveWriter::document(*source.context, march1.addDays(30), &error);
        QVERIFY2(!archive.isEmpty(), qPrintable(error));

        TempStore target;
        auto context = target.open();
        SearchIndex index(context.get());
        QVERIFY(index.useNames(names));
        QVERIFY(index.find(QStringLiteral("lisbon"), 10).isEmpty());
        const auto contents = ArchiveReader::parse(archive, &error);
        QVERIFY2(contents, qPrintable(error));
        ArchiveImport::Summary summary;
        QVERIFY2(ArchiveImport::merge(*context, *contents, &summary, &error), qPrintable(error));
        const SearchIndex::Results found = index.find(QStringLiteral("lisbon tower"), 10);
        QCOMPARE(found.readings.size(), 1);
        QCOMPARE(found.readings.constFirst().id, source.job->id());
        QCOMPARE(index.find(QStringLiteral("dreams"), 10).cardNotes.size(), 1);
        QCOMPARE(indexProblems(target.path()), QString());
    }

    void anUpgradedStoreIsIndexedFromItsRows()
    {
        TempStore store;
        QVERIFY(writeVersion1Store(store.path()));
        auto context = store.open();
        QVERIFY(context);
        SearchIndex index(context.get());
        // Its own words are found as soon as it is open, the names once they are given.
        QCOMPARE(index.find(QStringLiteral("rain"), 10).readings.size(), 1);
        QCOMPARE(index.find(QStringLiteral("storm"), 10).cardNotes.size(), 1);
        QVERIFY(index.find(QStringLiteral("three cups"), 10).isEmpty());
        QVERIFY(index.useNames(names));
        QCOMPARE(index.find(QStringLiteral("three cups"), 10).readings.size(), 1);
        QCOMPARE(index.find(QStringLiteral("star clear"), 10).journal.size(), 1);
        QCOMPARE(indexProblems(store.path()), QString());
    }
};

QTEST_GUILESS_MAIN(SearchIndexTest)
#include "tst_search_index.moc"
