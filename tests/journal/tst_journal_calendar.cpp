// The journal calendar's rules: the month grid, the selection and the keyboard, moods and new
// entries, the empty-day sentences, the day turning over, and the reflection's length limit.
#include "CalendarDays.h"
#include "CardDataStore.h"
#include "Clock.h"
#include "DailyCardViewModel.h"
#include "JournalCalendar.h"
#include "JournalCalendarModel.h"
#include "JournalEntry.h"
#include "PerceivedText.h"
#include "Scheduler.h"
#include "StoreTestSupport.h"
#include "Theme.h"

#include <QSignalSpy>

namespace {

const QString todaySentence =
    QStringLiteral("No card drawn yet today. Visit the Daily Card section to draw your card.");
const QString otherDaySentence = QStringLiteral("No entry for this day.");

JournalEntry *addEntry(ModelContext &context, const QDateTime &when, const QString &mood = {})
{
    auto *entry = new JournalEntry(when);
    // Keep the exact instant: entries written by older versions or other screens need not be
    // at midnight.
    entry->setDate(when);
    if (!mood.isNull())
        entry->setMood(mood);
    context.insert(entry);
    return entry;
}

const CalendarDays::Cell &cellOfDay(const JournalCalendarModel &model, int day)
{
    const QList<CalendarDays::Cell> &cells = model.days()->cells();
    return cells.at(JournalCalendar::leadingBlanks(model.displayedMonth()) + day - 1);
}

int blankCount(const JournalCalendarModel &model)
{
    int blanks = 0;
    for (const CalendarDays::Cell &cell : model.days()->cells())
        blanks += cell.blank ? 1 : 0;
    return blanks;
}

} // namespace

class JournalCalendarTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::pin(QDateTime(QDate(2026, 12, 5), QTime(10, 0))); }
    void cleanup() { Clock::reset(); }

    void monthGridHasSundayFirstBlanksAndEveryDay_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("blanks");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("title");
        QTest::newRow("starts on Wednesday") << QDate(2025, 1, 20) << 3 << 31 << QStringLiteral("January 2025");
        QTest::newRow("starts on Sunday") << QDate(2026, 2, 14) << 0 << 28 << QStringLiteral("February 2026");
        QTest::newRow("starts on Saturday") << QDate(2025, 11, 30) << 6 << 30 << QStringLiteral("November 2025");
        QTest::newRow("leap February") << QDate(2028, 2, 29) << 2 << 29 << QStringLiteral("February 2028");
        QTest::newRow("century, not leap") << QDate(2100, 2, 1) << 1 << 28 << QStringLiteral("February 2100");
    }
    void monthGridHasSundayFirstBlanksAndEveryDay()
    {
        QFETCH(QDate, today);
        QFETCH(int, blanks);
        QFETCH(int, days);
        QFETCH(QString, title);
        Clock::pin(QDateTime(today, QTime(8, 0)));
        TempStore store;
        auto context = store.open();
        JournalCalendarModel model(context.get());
        QCOMPARE(model.monthTitle(), title);
        QCOMPARE(blankCount(model), blanks);
        QCOMPARE(model.days()->cells().size(), blanks + days);
        // The first day sits right after the blanks, the last day closes the list.
        QCOMPARE(model.days()->cells().at(blanks).date, QDate(today.year(), today.month(), 1));
        QCOMPARE(model.days()->cells().last().date, QDate(today.year(), today.month(), days));
        QVERIFY(cellOfDay(model, today.day()).isToday);
        QVERIFY(cellOfDay(model, today.day()).isSelected);
    }

    // The grid starts on Sunday whatever the locale prefers.
    void aMondayFirstLocaleKeepsTheSundayGrid()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Clock::pin(QDateTime(QDate(2025, 1, 20), QTime(8, 0)));
        TempStore store;
        auto context = store.open();
        JournalCalendarModel model(context.get());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(blankCount(model), 3);
        QCOMPARE(model.daysOfWeek().first(), QStringLiteral("Sun"));
    }

    void chevronsStepMonthsAcrossYearsAndKeepTheSelection()
    {
        Clock::pin(QDateTime(QDate(2027, 1, 31), QTime(9, 0)));
        TempStore store;
        auto context = store.open();
        JournalCalendarModel model(context.get());
        model.showPreviousMonth();
        QCOMPARE(model.displayedMonth(), QDate(2026, 12, 1));
        QCOMPARE(model.monthTitle(), QStringLiteral("December 2026"));
        QCOMPARE(model.selectedDate(), QDate(2027, 1, 31));
        // No day of December is the selected one.
        for (const CalendarDays::Cell &cell : model.days()->cells())
            QVERIFY(!cell.isSelected);

        // Selecting a day of the month shown does not move the month.
        model.selectDay(24);
        QCOMPARE(model.selectedDate(), QDate(2026, 12, 24));
        QCOMPARE(model.displayedMonth(), QDate(2026, 12, 1));
        model.showNextMonth();
        model.showNextMonth();
        QCOMPARE(model.displayedMonth(), QDate(2027, 2, 1));
        QCOMPARE(model.days()->cells().size(), 1 + 28);
        QCOMPARE(model.selectedDate(), QDate(2026, 12, 24));
    }

    void keysMoveTheSelectionAndTheMonthFollows_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QDate>("to");
        QTest::newRow("right leaves the month") << QDate(2027, 1, 31) << int(Qt::Key_Right) << QDate(2027, 2, 1);
        QTest::newRow("left into last year") << QDate(2027, 1, 1) << int(Qt::Key_Left) << QDate(2026, 12, 31);
        QTest::newRow("up a week") << QDate(2027, 3, 3) << int(Qt::Key_Up) << QDate(2027, 2, 24);
        QTest::newRow("down a week") << QDate(2027, 3, 29) << int(Qt::Key_Down) << QDate(2027, 4, 5);
        QTest::newRow("page down to a short month")
            << QDate(2028, 1, 31) << int(Qt::Key_PageDown) << QDate(2028, 2, 29);
        QTest::newRow("page up across a year") << QDate(2027, 1, 15) << int(Qt::Key_PageUp) << QDate(2026, 12, 15);
        QTest::newRow("home is today") << QDate(2025, 6, 2) << int(Qt::Key_Home) << QDate(2026, 12, 5);
    }
    void keysMoveTheSelectionAndTheMonthFollows()
    {
        QFETCH(QDate, from);
        QFETCH(int, key);
        QFETCH(QDate, to);
        TempStore store;
        auto context = store.open();
        addEntry(*context, to.startOfDay(), QStringLiteral("Hopeful"));
        JournalCalendarModel model(context.get());
        model.moveSelection(int(model.selectedDate().daysTo(from)));
        QCOMPARE(model.selectedDate(), from);
        QVERIFY(model.navigateByKey(key));
        QCOMPARE(model.selectedDate(), to);
        QCOMPARE(model.displayedMonth(), QDate(to.year(), to.month(), 1));
        QVERIFY(cellOfDay(model, to.day()).isSelected);
        // The entry of the day reached is the one shown.
        QVERIFY(model.selectedEntry());
        QCOMPARE(model.selectedEntry()->mood(), QStringLiteral("Hopeful"));
    }

    void otherKeysAndModifiedArrowsAreLeftAlone()
    {
        TempStore store;
        auto context = store.open();
        JournalCalendarModel model(context.get());
        QVERIFY(!model.navigateByKey(Qt::Key_Left, Qt::ShiftModifier));
        QVERIFY(!model.navigateByKey(Qt::Key_Tab));
        QVERIFY(!model.navigateByKey(Qt::Key_Space));
        QVERIFY(model.navigateByKey(Qt::Key_Left, Qt::KeypadModifier));
        QCOMPARE(model.selectedDate(), QDate(2026, 12, 4));
    }

    void dayCellsAreTintedByTheirEntries()
    {
        TempStore store;
        auto context = store.open();
        addEntry(*context, QDateTime(QDate(2026, 12, 2), QTime(0, 0)), QStringLiteral("Anxious"));
        addEntry(*context, QDateTime(QDate(2026, 12, 3), QTime(0, 0)));
        addEntry(*context, QDateTime(QDate(2026, 12, 5), QTime(0, 0)), QStringLiteral("Grateful"));
        JournalCalendarModel model(context.get());

        const CalendarDays::Cell &withMood = cellOfDay(model, 2);
        QCOMPARE(CalendarDays::fillColor(withMood), Theme::alpha(JournalEntry::moodColor("Anxious"), 0.15));
        QCOMPARE(CalendarDays::outlineColor(withMood), Theme::alpha(JournalEntry::moodColor("Anxious"), 0.6));
        QCOMPARE(CalendarDays::dotColor(withMood), JournalEntry::moodColor("Anxious"));
        QCOMPARE(CalendarDays::numberColor(withMood), Theme::textPrimary());

        const CalendarDays::Cell &withoutMood = cellOfDay(model, 3);
        QCOMPARE(CalendarDays::fillColor(withoutMood), Theme::alpha(Theme::surface(), 0.12));
        QCOMPARE(CalendarDays::outlineColor(withoutMood).alpha(), 0);
        QCOMPARE(CalendarDays::dotColor(withoutMood).alpha(), 0);

        const CalendarDays::Cell &empty = cellOfDay(model, 4);
        QCOMPARE(CalendarDays::fillColor(empty).alpha(), 0);
        QCOMPARE(CalendarDays::outlineColor(empty).alpha(), 0);

        // The selected day (today, with a mood) is gold with a dark number and no outline,
        // but keeps its mood dot.
        const CalendarDays::Cell &selected = cellOfDay(model, 5);
        QVERIFY(selected.isSelected && selected.isToday);
        QCOMPARE(CalendarDays::fillColor(selected), Theme::accent());
        QCOMPARE(CalendarDays::numberColor(selected), Theme::background());
        QCOMPARE(CalendarDays::outlineColor(selected).alpha(), 0);
        QCOMPARE(CalendarDays::dotColor(selected), JournalEntry::moodColor("Grateful"));

        // Today, when not selected, has a gold number.
        model.selectDay(4);
        QCOMPARE(CalendarDays::numberColor(cellOfDay(model, 5)), Theme::accent());
    }

    void choosingTheSelectedMoodAgainClearsIt()
    {
        TempStore store;
        auto context = store.open();
        JournalEntry *entry = addEntry(*context, QDate(2026, 12, 2).startOfDay(), QStringLiteral("Anxious"));
        QVERIFY(context->save());
        JournalCalendarModel model(context.get());
        model.selectDay(2);
        QCOMPARE(model.selectedEntry(), entry);
        model.chooseMood(QStringLiteral("Hopeful"));
        QCOMPARE(entry->mood(), QStringLiteral("Hopeful"));
        model.chooseMood(QStringLiteral("Hopeful"));
        QVERIFY(entry->mood().isEmpty());
        QVERIFY(!context->hasChanges());

        model.selectDay(9);
        const CalendarDays::Cell &cleared = cellOfDay(model, 2);
        QCOMPARE(CalendarDays::dotColor(cleared).alpha(), 0);
        QCOMPARE(CalendarDays::outlineColor(cleared).alpha(), 0);
        QCOMPARE(CalendarDays::fillColor(cleared), Theme::alpha(Theme::surface(), 0.12));
    }

    void aMoodOnADayWithoutAnEntryCreatesExactlyOne()
    {
        TempStore store;
        {
            auto context = store.open();
            JournalCalendarModel model(context.get());
            model.selectDay(1);
            QVERIFY(!model.selectedEntry());
            QSignalSpy switched(&model, &JournalCalendarModel::selectedEntryChanged);
            model.chooseMood(QStringLiteral("Anxious"));
            QVERIFY(model.selectedEntry());
            QVERIFY(switched.count() >= 1);
            QCOMPARE(model.selectedEntry()->mood(), QStringLiteral("Anxious"));
            QVERIFY(cellOfDay(model, 1).hasEntry);
            // A second mood changes that entry; it does not add another.
            model.chooseMood(QStringLiteral("Joyful"));
            QCOMPARE(context->fetch<JournalEntry>().size(), 1);
        }
        auto reopened = store.open();
        const QList<JournalEntry *> entries = reopened->fetch<JournalEntry>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->date(), QDate(2026, 12, 1).startOfDay());
        QCOMPARE(entries.first()->mood(), QStringLiteral("Joyful"));
        QVERIFY(entries.first()->dailyCardId().isNull());
        QCOMPARE(entries.first()->reflectionText(), QString());
    }

    void addJournalEntryCreatesAnEmptyEntryForTheSelectedDay()
    {
        TempStore store;
        auto context = store.open();
        JournalCalendarModel model(context.get());
        model.selectDay(3);
        model.addEntry();
        model.addEntry();
        QCOMPARE(context->fetch<JournalEntry>().size(), 1);
        JournalEntry *entry = model.selectedEntry();
        QVERIFY(entry);
        QCOMPARE(entry->date(), QDate(2026, 12, 3).startOfDay());
        QVERIFY(entry->mood().isNull());
        QVERIFY(!model.hasCard());
        QVERIFY(!model.hasPrompt());
        QVERIFY(!context->hasChanges());
    }

    void emptyDaysExplainThemselvesAndTodayMovesAtMidnight()
    {
        const QDateTime evening(QDate(2026, 12, 5), QTime(23, 59, 30));
        ManualScheduler scheduler;
        Clock::follow([&] { return evening.addMSecs(scheduler.elapsed()); });
        TempStore store;
        auto context = store.open();
        JournalCalendarModel model(context.get());
        model.setScheduler(scheduler);
        QCOMPARE(model.emptyDayText(), todaySentence);
        model.selectDay(4);
        QCOMPARE(model.emptyDayText(), otherDaySentence);
        model.selectDay(5);

        QSignalSpy sentence(&model, &JournalCalendarModel::emptyDayTextChanged);
        scheduler.advance(60'000);
        QVERIFY(sentence.count() >= 1);
        // The selection stays on the day it was, which is no longer today.
        QCOMPARE(model.selectedDate(), QDate(2026, 12, 5));
        QCOMPARE(model.emptyDayText(), otherDaySentence);
        QVERIFY(!cellOfDay(model, 5).isToday);
        QVERIFY(cellOfDay(model, 6).isToday);
        QVERIFY(model.navigateByKey(Qt::Key_Home));
        QCOMPARE(model.selectedDate(), QDate(2026, 12, 6));
        QCOMPARE(model.emptyDayText(), todaySentence);
    }

    // The entry of a day is the newest listed that falls on it, by local time, also on the day
    // the clocks go forward. The daily card finds today's entry by the same rule.
    void theEntryOfADayIsFoundByLocalCalendarDay()
    {
        TempStore store;
        auto context = store.open();
        const QDate dstDay(2026, 3, 29); // Europe/Berlin skips 02:00 to 03:00
        JournalEntry *late = addEntry(*context, QDateTime(dstDay.addDays(-1), QTime(23, 59)), "Peaceful");
        JournalEntry *onDst = addEntry(*context, dstDay.startOfDay(), "Hopeful");
        JournalEntry *newer = addEntry(*context, QDateTime(dstDay, QTime(18, 0)), "Joyful");
        JournalEntry *next = addEntry(*context, dstDay.addDays(1).startOfDay(), "Anxious");
        Clock::pin(QDateTime(dstDay, QTime(12, 0)));
        JournalCalendarModel model(context.get());
        QCOMPARE(model.selectedEntry(), newer);
        QCOMPARE(cellOfDay(model, 29).mood, QStringLiteral("Joyful"));
        QCOMPARE(cellOfDay(model, 28).mood, QStringLiteral("Peaceful"));
        QCOMPARE(cellOfDay(model, 30).mood, QStringLiteral("Anxious"));
        model.selectDay(28);
        QCOMPARE(model.selectedEntry(), late);
        model.selectDay(30);
        QCOMPARE(model.selectedEntry(), next);
        QCOMPARE(model.entriesBetween(dstDay, dstDay), (QList<JournalEntry *>{newer, onDst}));

        DailyCardViewModel daily(CardDataStore::shared(), context.get());
        QVERIFY(daily.journalEntry() == nullptr); // no card in these entries: not a draw
        QCOMPARE(daily.currentStreak(), 2);
    }

    // An entry made elsewhere shows on the grid at once; the panel picks it up when the day is
    // selected again.
    void anEntryMadeElsewhereShowsInTheGridAndOnTheNextSelection()
    {
        TempStore store;
        auto context = store.open();
        JournalCalendarModel model(context.get());
        addEntry(*context, QDate(2026, 12, 5).startOfDay(), QStringLiteral("Grateful"));
        QTRY_VERIFY(cellOfDay(model, 5).hasEntry);
        QVERIFY(!model.selectedEntry());
        model.selectDay(6);
        model.selectDay(5);
        QVERIFY(model.selectedEntry());
    }

    void theCardBoxNeedsAKnownCard()
    {
        TempStore store;
        auto context = store.open();
        JournalEntry *entry = addEntry(*context, QDate(2026, 12, 5).startOfDay());
        entry->setDailyCardId(QStringLiteral("major_16"));
        entry->setJournalPrompt(QString(QLatin1String("")));
        JournalCalendarModel model(context.get());
        QVERIFY(model.hasCard());
        QCOMPARE(model.card().name, QStringLiteral("The Tower"));
        QVERIFY(!model.hasPrompt());
        QSignalSpy card(&model, &JournalCalendarModel::cardChanged);
        entry->setDailyCardId(QStringLiteral("major_99"));
        QCOMPARE(card.count(), 1);
        QVERIFY(!model.hasCard());
    }

    void reflectionsKeepTheirFirst50000Characters_data()
    {
        const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467"); // one character
        const QString accented = QStringLiteral("e\u0301");                                  // one character
        const QString flag = QStringLiteral("\U0001F1E9\U0001F1EA");                         // one character
        const int n = int(JournalCalendarModel::maxReflectionCharacters);
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("60,000 letters") << QString(60'000, QLatin1Char('a')) << QString(n, QLatin1Char('a'));
        QTest::newRow("emoji is the last character")
            << QString(n - 1, QLatin1Char('a')) + family + QString(9'999, QLatin1Char('b'))
            << QString(n - 1, QLatin1Char('a')) + family;
        QTest::newRow("emoji is the first character cut")
            << QString(n, QLatin1Char('a')) + family + QStringLiteral("b") << QString(n, QLatin1Char('a'));
        QTest::newRow("accent on the last character")
            << QString(n - 1, QLatin1Char('a')) + accented + QStringLiteral("zz")
            << QString(n - 1, QLatin1Char('a')) + accented;
        QTest::newRow("every character an emoji") << flag.repeated(60'000) << flag.repeated(n);
        QTest::newRow("within the limit, in code units too")
            << accented.repeated(n) << accented.repeated(n); // 100,000 units, 50,000 characters
        QTest::newRow("short") << QStringLiteral("Calm") << QStringLiteral("Calm");
    }
    void reflectionsKeepTheirFirst50000Characters()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        TempStore store;
        {
            auto context = store.open();
            JournalCalendarModel model(context.get());
            model.addEntry();
            QCOMPARE(model.setReflection(pasted), int(kept.size()));
            QCOMPARE(model.selectedEntry()->reflectionText(), kept);
            QVERIFY(PerceivedText::length(kept) <= int(JournalCalendarModel::maxReflectionCharacters));
            QVERIFY(!context->hasChanges());
        }
        auto reopened = store.open();
        QCOMPARE(reopened->fetch<JournalEntry>().first()->reflectionText(), kept);
    }
};

QTEST_GUILESS_MAIN(JournalCalendarTest)
#include "tst_journal_calendar.moc"
