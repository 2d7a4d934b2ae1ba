// The repositories against a real store: each reads only the rows it is asked for (a month of
// journal entries, a page of readings, the newest starred ones), counts unsaved changes by their
// values in memory, and a later full load neither repeats those rows nor loses their links.
#include "AppSettings.h"
#include "CardNotes.h"
#include "JournalEntries.h"
#include "JournalEntry.h"
#include "OtherConnection.h"
#include "Readings.h"
#include "Settings.h"
#include "StoreTestSupport.h"
#include "UserCardNote.h"

namespace {

JournalEntry *entryOn(ModelContext &context, QDate day, const QString &mood)
{
    auto *entry = new JournalEntry(day.startOfDay());
    entry->setMood(mood);
    context.insert(entry);
    return entry;
}

// Newest first, as the calendar shows them.
QList<JournalEntry *> december(ModelContext &context)
{
    return JournalEntries(&context).between(QDate(2026, 12, 1), QDate(2026, 12, 31));
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

class RepositoriesTest : public QObject
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
        QCOMPARE(month.at(0)->mood(), QStringLiteral("Calm"));
        QCOMPARE(month.at(1)->mood(), QStringLiteral("Hopeful"));

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
        const auto starred = [&context] { return Readings(context.get()).starred(2); };
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
        const Readings readings(context.get());
        const QList<Readings::Listed> listed = readings.listed(false);
        QCOMPARE(listed.size(), 5);
        QCOMPARE(listed.first().storeId, added->storeId());
        QVERIFY(readings.pending(false).isEmpty());
        const QList<Reading *> newest = readings.withStoreIds({listed.at(0).storeId, listed.at(1).storeId});
        QCOMPARE(newest.size(), 2);
        QVERIFY(newest.contains(added));
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
    // The history's order as the store holds it; what memory has changed is left to pending().
    void listedReadingsFollowTheDiskAndLeaveChangesToMemory()
    {
        TempStore store;
        const QDateTime noon(QDate(2026, 3, 1), QTime(12, 0));
        {
            auto context = store.open();
            addReading(*context, "yes_no", noon, true);            // 1
            addReading(*context, "yes_no", QDateTime(), false);    // 2, no date
            addReading(*context, "yes_no", noon, false);           // 3, same date, stored later
            addReading(*context, "yes_no", noon.addDays(1), true); // 4
            addReading(*context, "yes_no", QDateTime(), true);     // 5, no date
            QVERIFY(context->save());
        }
        auto context = store.open();
        const Readings readings(context.get());
        const auto keys = [](const QList<Readings::Listed> &listed) {
            QList<qint64> result;
            for (const Readings::Listed &row : listed)
                result.append(row.storeId);
            return result;
        };
        QCOMPARE(keys(readings.listed(false)), (QList<qint64>{4, 3, 1, 5, 2}));
        QCOMPARE(keys(readings.listed(true)), (QList<qint64>{4, 1, 5}));
        QCOMPARE(readings.listed(false).at(0).date, noon.addDays(1).toMSecsSinceEpoch());
        QVERIFY(!readings.listed(false).at(3).dated);

        QList<Reading *> changed = readings.withStoreIds({3, 4});
        QCOMPARE(changed.size(), 2);
        Reading *third = changed.at(0)->storeId() == 3 ? changed.at(0) : changed.at(1);
        Reading *fourth = changed.at(0)->storeId() == 4 ? changed.at(0) : changed.at(1);
        third->setIsFavorite(true);
        readings.remove(fourth);
        QCOMPARE(keys(readings.listed(false)), (QList<qint64>{1, 5, 2}));
        QCOMPARE(readings.pending(true), QList<Reading *>{third});
        QCOMPARE(readings.pending(false), QList<Reading *>{third});
        QVERIFY(readings.any());
    }

    // Undoing a deletion makes the same reading again: its id, date, notes, star and cards.
    void aDeletedReadingComesBackWhole()
    {
        TempStore store;
        const QDateTime when(QDate(2026, 5, 2), QTime(8, 30));
        QUuid id;
        Readings::Contents contents;
        {
            auto context = store.open();
            QVERIFY(!Readings(context.get()).any());
            Reading *reading = addReading(*context, "three_card", when, true,
                                          {{"cups_02", "past"}, {"major_00", "present", true}, {"wands_10", "future"}},
                                          QStringLiteral("The move"));
            QVERIFY(context->save());
            id = reading->id();
            contents = Readings::contentsOf(*reading);
            Readings(context.get()).remove(reading);
            QVERIFY(context->save());
        }
        {
            auto context = store.open();
            QVERIFY(!Readings(context.get()).any());
            Readings(context.get()).restore(contents);
            QVERIFY(context->save());
        }
        auto context = store.open();
        const QList<Reading *> all = context->fetch<Reading>();
        QCOMPARE(all.size(), 1);
        const Reading *back = all.first();
        QCOMPARE(back->id(), id);
        QCOMPARE(back->date(), when);
        QCOMPARE(back->notes(), QStringLiteral("The move"));
        QVERIFY(back->isFavorite());
        QStringList cards;
        for (const DrawnCard *card : back->drawnCards())
            cards.append(card->cardId() + QLatin1Char('/') + card->positionId() +
                         (card->isReversed() ? QStringLiteral("/r") : QString()));
        QCOMPARE(cards, (QStringList{QStringLiteral("cups_02/past"), QStringLiteral("major_00/present/r"),
                                     QStringLiteral("wands_10/future")}));
    }

    // The day's entry is the first stored that day, whatever the hour it was made; the streak's
    // dates are those before the day's end, saved or not, removed ones left out.
    void theDayAndTheDatesBeforeIt()
    {
        TempStore store;
        const QDate day(2026, 10, 25); // the clocks go back in Berlin that night
        {
            auto context = store.open();
            entryOn(*context, day.addDays(-1), "Calm");
            JournalEntries(context.get()).add(QDateTime(day, QTime(23, 30)))->setMood(QStringLiteral("Late"));
            JournalEntries(context.get()).add(QDateTime(day, QTime(0, 10)))->setMood(QStringLiteral("Early"));
            entryOn(*context, day.addDays(1), "Next");
            QVERIFY(context->save());
        }
        auto context = store.open();
        const JournalEntries entries(context.get());
        JournalEntry *added = entries.add(QDateTime(day, QTime(12, 0)));
        const QList<JournalEntry *> ofDay = entries.ofDay(day);
        QCOMPARE(ofDay.size(), 3);
        QCOMPARE(ofDay.at(0)->mood(), QStringLiteral("Late")); // stored first
        QCOMPARE(ofDay.at(1)->mood(), QStringLiteral("Early"));
        QCOMPARE(ofDay.at(2), added);

        const QDateTime end = day.addDays(1).startOfDay();
        const QList<qint64> dates = entries.datesBefore(end);
        QCOMPARE(dates.size(), 4);
        QVERIFY(std::is_sorted(dates.cbegin(), dates.cend(), std::greater<>()));
        QCOMPARE(dates.first(), day.startOfDay().toMSecsSinceEpoch()); // an entry is dated by its day
        QVERIFY(dates.contains(added->date().toMSecsSinceEpoch()));
        context->remove(ofDay.at(0));
        QCOMPARE(entries.datesBefore(end).size(), 3);
        QCOMPARE(entries.datesBefore(day.startOfDay()).size(), 1);
    }

    // Until settings are stored every reader sees the defaults; a note is found by its card.
    void settingsAndNotes()
    {
        TempStore store;
        auto context = store.open();
        const Settings settings(context.get());
        QVERIFY(!settings.stored());
        QVERIFY(settings.current().allowReversedCards());
        QVERIFY(Settings(nullptr).current().allowReversedCards());
        auto *stored = new AppSettings;
        stored->setAllowReversedCards(false);
        context->insert(stored);
        QCOMPARE(settings.stored(), stored);
        QVERIFY(!settings.current().allowReversedCards());

        const CardNotes notes(context.get());
        QVERIFY(!notes.of(QStringLiteral("major_07")));
        UserCardNote *note = notes.add(QStringLiteral("major_07"), QStringLiteral("Steady hands."));
        notes.add(QStringLiteral("cups_01"), QStringLiteral("Full."));
        QVERIFY(context->save());
        auto fresh = store.open();
        QCOMPARE(CardNotes(fresh.get()).of(QStringLiteral("major_07"))->noteText(), note->noteText());
        QCOMPARE(CardNotes(fresh.get()).all().size(), 2);
        QVERIFY(!Settings(fresh.get()).current().allowReversedCards());
    }
};

QTEST_GUILESS_MAIN(RepositoriesTest)
#include "tst_repositories.moc"
