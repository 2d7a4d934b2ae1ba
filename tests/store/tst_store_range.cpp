// Reading a selection of a table (a month of journal entries, the newest starred readings)
// without loading the whole table, and what a later full load then makes of those rows.
#include "JournalEntry.h"
#include "OtherConnection.h"
#include "StoreTestSupport.h"

namespace {

JournalEntry *entryOn(ModelContext &context, QDate day, const QString &mood)
{
    auto *entry = new JournalEntry(day.startOfDay());
    entry->setMood(mood);
    context.insert(entry);
    return entry;
}

QList<JournalEntry *> december(ModelContext &context)
{
    const QDateTime start = QDate(2026, 12, 1).startOfDay();
    const QDateTime end = QDate(2027, 1, 1).startOfDay();
    return context.fetchRange<JournalEntry>(
        QStringLiteral("date"), start.toMSecsSinceEpoch(), end.toMSecsSinceEpoch(),
        [&](const JournalEntry *e) { return start <= e->date() && e->date() < end; },
        [](const JournalEntry *a, const JournalEntry *b) { return a->date() < b->date(); });
}

// A store holding one entry for each day and mood, opened afresh so nothing is loaded yet.
std::unique_ptr<ModelContext> storeWith(const TempStore &store, const QList<std::pair<QDate, const char *>> &entries)
{
    {
        auto context = store.open();
        for (const auto &[day, mood] : entries)
            entryOn(*context, day, QLatin1String(mood));
        if (!context->save())
            return nullptr;
    }
    return store.open();
}

} // namespace

class StoreRangeTest : public QObject
{
    Q_OBJECT

private slots:
    void aRangeReadsOnlyItsRowsAndAFullLoadAddsTheRest()
    {
        TempStore store;
        auto context = storeWith(store, {{QDate(2026, 11, 30), "Peaceful"},
                                         {QDate(2026, 12, 1), "Hopeful"},
                                         {QDate(2026, 12, 31), "Calm"},
                                         {QDate(2027, 1, 1), "Anxious"}});
        QVERIFY(context);
        const QList<JournalEntry *> month = december(*context);
        QCOMPARE(month.size(), 2);
        QCOMPARE(month.at(0)->mood(), QStringLiteral("Hopeful"));
        QCOMPARE(month.at(1)->mood(), QStringLiteral("Calm"));

        // Rows outside the range were not read: changed on disk now, they load as changed.
        // Rows inside it keep the values the context already holds.
        {
            OtherConnection other(store.path());
            QVERIFY(other.exec(QStringLiteral("UPDATE JournalEntry SET mood = 'Uncertain' WHERE mood = 'Peaceful'")));
            QVERIFY(other.exec(QStringLiteral("UPDATE JournalEntry SET mood = 'Grateful' WHERE mood = 'Hopeful'")));
            QCOMPARE(other.scalar(QStringLiteral("SELECT changes()")).toInt(), 1);
        }
        const QList<JournalEntry *> all = context->fetch<JournalEntry>();
        QCOMPARE(all.size(), 4);
        QCOMPARE(std::count(all.cbegin(), all.cend(), month.at(0)), 1);
        QCOMPARE(std::count(all.cbegin(), all.cend(), month.at(1)), 1);
        QStringList moods;
        for (const JournalEntry *entry : all)
            moods.append(entry->mood());
        moods.sort();
        QCOMPARE(moods, (QStringList{QStringLiteral("Anxious"), QStringLiteral("Calm"), QStringLiteral("Hopeful"),
                                     QStringLiteral("Uncertain")}));
        QCOMPARE(december(*context), month); // once loaded whole, a range is answered from memory
    }

    void aRangeSeesUnsavedChangesAndNoRemovedRecords()
    {
        TempStore store;
        auto context = storeWith(store, {{QDate(2026, 12, 5), "Hopeful"}, {QDate(2026, 12, 6), "Joyful"}});
        QVERIFY(context);
        QList<JournalEntry *> month = december(*context);
        QCOMPARE(month.size(), 2);
        context->remove(month.at(0));
        month.at(1)->setDate(QDate(2026, 11, 6).startOfDay()); // moved out, not saved yet
        JournalEntry *added = entryOn(*context, QDate(2026, 12, 24), QStringLiteral("Grateful"));
        QCOMPARE(december(*context), QList<JournalEntry *>{added});
        // And after a save and a fresh context, the same from disk.
        QVERIFY(context->save());
        auto fresh = store.open();
        const QList<JournalEntry *> stored = december(*fresh);
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.first()->mood(), QStringLiteral("Grateful"));
    }

    // The menu's starred readings: only the rows asked for are read, each with all of its drawn
    // cards, and a later full load neither repeats them nor loses their links.
    void theNewestStarredReadingsComeWithTheirCards()
    {
        TempStore store;
        {
            auto context = store.open();
            for (int day = 1; day <= 6; ++day)
                addReading(*context, "three_card", QDate(2026, 12, day).startOfDay(), day % 2 == 0,
                           {{"major_01", "past"}, {"major_01", "present"}, {"major_01", "future"}});
            QVERIFY(context->save());
        }
        auto context = store.open();
        const auto starred = [&context] {
            return context->fetch<Reading>(
                ModelContext::RowQuery{QStringLiteral("isFavorite = 1"), {}, QStringLiteral("date DESC"), 2},
                [](const Reading *r) { return r->isFavorite(); },
                [](const Reading *a, const Reading *b) { return a->date() > b->date(); });
        };
        const auto days = [](const QList<Reading *> &readings) {
            QList<int> result;
            for (const Reading *reading : readings)
                result.append(reading->date().date().day());
            return result;
        };
        const QList<Reading *> newest = starred();
        QCOMPARE(days(newest), (QList<int>{6, 4}));
        QCOMPARE(newest.at(0)->drawnCards().size(), 3);
        newest.at(0)->setIsFavorite(false); // unstarred in memory only: the query goes by what the user sees
        QCOMPARE(days(starred()), (QList<int>{4, 2}));

        const QList<Reading *> all = context->fetch<Reading>();
        QCOMPARE(all.size(), 6);
        QCOMPARE(std::count(all.cbegin(), all.cend(), newest.at(1)), 1);
        QCOMPARE(context->fetch<DrawnCard>().size(), 18);
        for (const Reading *reading : all)
            QCOMPARE(reading->drawnCards().size(), 3);
    }

    // Storing a reading reads none of the stored ones: ten years of readings stay on disk.
    // What is read later holds the new reading once, with its card, beside every stored row.
    void storingAReadingLeavesTheStoredOnesOnDisk()
    {
        TempStore store;
        const QDateTime first(QDate(2026, 12, 1), QTime(9, 0));
        {
            auto context = store.open();
            for (int day = 0; day < 4; ++day)
                addReading(*context, "yes_no", first.addDays(day), false, {{"major_01", "answer"}});
            QVERIFY(context->save());
        }
        auto context = store.open();
        Reading *added =
            addReading(*context, "three_card", first.addDays(10), false,
                       {{"major_02", "past", true}, {"major_02", "present", true}, {"major_02", "future", true}});
        QVERIFY(context->save());

        // Written on disk after the insert: a context that had read the row would not see it.
        {
            OtherConnection other(store.path());
            QVERIFY(other.exec(QStringLiteral("UPDATE Reading SET notes = 'changed on disk' WHERE date = %1")
                                   .arg(first.toMSecsSinceEpoch())));
            QCOMPARE(other.scalar(QStringLiteral("SELECT changes()")).toInt(), 1);
        }
        const QList<Reading *> newest = context->fetch<Reading>(
            ModelContext::RowQuery{QString(), {}, QStringLiteral("date DESC"), 2}, [](const Reading *) { return true; },
            [](const Reading *a, const Reading *b) { return a->date() > b->date(); });
        QCOMPARE(newest.size(), 2);
        QCOMPARE(newest.first(), added);
        const QList<Reading *> all = context->fetch<Reading>();
        QCOMPARE(all.size(), 5);
        QCOMPARE(std::count(all.cbegin(), all.cend(), added), 1);
        QCOMPARE(added->drawnCards().size(), 3);
        QCOMPARE(context->fetch<DrawnCard>().size(), 7);
        const auto oldest =
            std::find_if(all.cbegin(), all.cend(), [&](const Reading *r) { return r->date() == first; });
        QVERIFY(oldest != all.cend());
        QCOMPARE((*oldest)->notes(), QStringLiteral("changed on disk"));
        QCOMPARE((*oldest)->drawnCards().size(), 1);
    }
};

QTEST_GUILESS_MAIN(StoreRangeTest)
#include "tst_store_range.moc"
