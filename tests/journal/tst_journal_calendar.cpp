// The journal calendar's rules: the month grid, the selection and the keyboard, moods and new
// entries, the empty-day sentences and the day turning over. The reflection's length limit is
// the notes' rule (tst_library_rules), seen through this screen in tst_journal_view.
#include "CalendarDays.h"
#include "CardDataStore.h"
#include "Clock.h"
#include "DailyCardViewModel.h"
#include "JournalCalendar.h"
#include "JournalCalendarModel.h"
#include "JournalEntry.h"
#include "Scheduler.h"
#include "StoreTestSupport.h"
#include "Theme.h"

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

const QString todaySentence = u"No card drawn yet today. Visit the Daily Card section to draw your card."_s;
const QString otherDaySentence = u"No entry for this day."_s;

const CalendarDays::Cell &cellOfDay(const JournalCalendarModel &model, int day)
{
    return model.days()->cells().at(JournalCalendar::leadingBlanks(model.displayedMonth()) + day - 1);
}

int blankCount(const JournalCalendarModel &model)
{
    const QList<CalendarDays::Cell> &cells = model.days()->cells();
    return int(std::count_if(cells.begin(), cells.end(), [](const CalendarDays::Cell &cell) { return cell.blank; }));
}

} // namespace

class JournalCalendarTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        Clock::pin(QDateTime(QDate(2026, 12, 5), QTime(10, 0)));
        m_store = std::make_unique<TempStore>();
        m_context = m_store->open();
    }
    void cleanup()
    {
        m_context.reset();
        m_store.reset();
        Clock::reset();
    }

    void monthGridHasSundayFirstBlanksAndEveryDay_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("blanks");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QLocale>("locale");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("starts on Wednesday") << QDate(2025, 1, 20) << 3 << 31 << u"January 2025"_s << us;
        QTest::newRow("starts on Sunday") << QDate(2026, 2, 14) << 0 << 28 << u"February 2026"_s << us;
        QTest::newRow("starts on Saturday") << QDate(2025, 11, 30) << 6 << 30 << u"November 2025"_s << us;
        QTest::newRow("leap February") << QDate(2028, 2, 29) << 2 << 29 << u"February 2028"_s << us;
        QTest::newRow("century, not leap") << QDate(2100, 2, 1) << 1 << 28 << u"February 2100"_s << us;
        // The grid starts on Sunday whatever the locale prefers.
        QTest::newRow("Monday-first locale")
            << QDate(2025, 1, 20) << 3 << 31 << u"January 2025"_s << QLocale(QLocale::German, QLocale::Germany);
    }
    void monthGridHasSundayFirstBlanksAndEveryDay()
    {
        QFETCH(QDate, today);
        QFETCH(int, blanks);
        QFETCH(int, days);
        QFETCH(QString, title);
        QFETCH(QLocale, locale);
        Clock::pin(QDateTime(today, QTime(8, 0)));
        QLocale::setDefault(locale);
        JournalCalendarModel model(m_context.get());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(model.monthTitle(), title);
        QCOMPARE(model.daysOfWeek().first(), "Sun");
        QCOMPARE(blankCount(model), blanks);
        QCOMPARE(model.days()->cells().size(), blanks + days);
        // The first day sits right after the blanks, the last day closes the list.
        QCOMPARE(model.days()->cells().at(blanks).date, QDate(today.year(), today.month(), 1));
        QCOMPARE(model.days()->cells().last().date, QDate(today.year(), today.month(), days));
        QVERIFY(cellOfDay(model, today.day()).isToday && cellOfDay(model, today.day()).isSelected);
    }

    void chevronsStepMonthsAcrossYearsAndKeepTheSelection()
    {
        Clock::pin(QDateTime(QDate(2027, 1, 31), QTime(9, 0)));
        JournalCalendarModel model(m_context.get());
        model.showPreviousMonth();
        QCOMPARE(model.displayedMonth(), QDate(2026, 12, 1));
        QCOMPARE(model.monthTitle(), "December 2026");
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
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QDate>("to");
        QTest::newRow("right leaves the month") << QDate(2027, 1, 31) << int(Qt::Key_Right) << 0 << QDate(2027, 2, 1);
        QTest::newRow("left into last year") << QDate(2027, 1, 1) << int(Qt::Key_Left) << 0 << QDate(2026, 12, 31);
        QTest::newRow("left on the keypad")
            << QDate(2027, 1, 1) << int(Qt::Key_Left) << int(Qt::KeypadModifier) << QDate(2026, 12, 31);
        QTest::newRow("up a week") << QDate(2027, 3, 3) << int(Qt::Key_Up) << 0 << QDate(2027, 2, 24);
        QTest::newRow("down a week") << QDate(2027, 3, 29) << int(Qt::Key_Down) << 0 << QDate(2027, 4, 5);
        QTest::newRow("page down to a short month")
            << QDate(2028, 1, 31) << int(Qt::Key_PageDown) << 0 << QDate(2028, 2, 29);
        QTest::newRow("page up across a year") << QDate(2027, 1, 15) << int(Qt::Key_PageUp) << 0 << QDate(2026, 12, 15);
        QTest::newRow("home is today") << QDate(2025, 6, 2) << int(Qt::Key_Home) << 0 << QDate(2026, 12, 5);
    }
    void keysMoveTheSelectionAndTheMonthFollows()
    {
        QFETCH(QDate, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QDate, to);
        addEntry(to.startOfDay(), u"Hopeful"_s);
        JournalCalendarModel model(m_context.get());
        model.moveSelection(int(model.selectedDate().daysTo(from)));
        QCOMPARE(model.selectedDate(), from);
        QVERIFY(model.navigateByKey(key, modifiers));
        QCOMPARE(model.selectedDate(), to);
        QCOMPARE(model.displayedMonth(), QDate(to.year(), to.month(), 1));
        QVERIFY(cellOfDay(model, to.day()).isSelected);
        // The entry of the day reached is the one shown.
        QVERIFY(model.selectedEntry());
        QCOMPARE(model.selectedEntry()->mood(), "Hopeful");
    }

    void otherKeysAndModifiedArrowsAreLeftAlone()
    {
        JournalCalendarModel model(m_context.get());
        QVERIFY(!model.navigateByKey(Qt::Key_Left, Qt::ShiftModifier));
        QVERIFY(!model.navigateByKey(Qt::Key_Tab));
        QVERIFY(!model.navigateByKey(Qt::Key_Space));
        QCOMPARE(model.selectedDate(), QDate(2026, 12, 5));
    }

    // A day's tint follows its entry's mood; the selected day (today, with a mood) is gold with a
    // dark number and no outline but keeps its mood dot; today, unselected, has a gold number.
    void dayCellsAreTintedByTheirEntries()
    {
        addEntry(QDate(2026, 12, 2).startOfDay(), u"Anxious"_s);
        addEntry(QDate(2026, 12, 3).startOfDay());
        addEntry(QDate(2026, 12, 5).startOfDay(), u"Grateful"_s);
        JournalCalendarModel model(m_context.get());
        QCOMPARE(CalendarDays::dotColor(cellOfDay(model, 2)), JournalEntry::moodColor("Anxious"));
        QCOMPARE(CalendarDays::dotColor(cellOfDay(model, 3)).alpha(), 0);
        QVERIFY(CalendarDays::fillColor(cellOfDay(model, 3)).alpha() > 0);
        QCOMPARE(CalendarDays::fillColor(cellOfDay(model, 4)).alpha(), 0);
        const CalendarDays::Cell &selected = cellOfDay(model, 5);
        QCOMPARE(CalendarDays::fillColor(selected), Theme::accent());
        QCOMPARE(CalendarDays::numberColor(selected), Theme::background());
        QCOMPARE(CalendarDays::outlineColor(selected).alpha(), 0);
        QCOMPARE(CalendarDays::dotColor(selected), JournalEntry::moodColor("Grateful"));
        model.selectDay(4);
        QCOMPARE(CalendarDays::numberColor(cellOfDay(model, 5)), Theme::accent());
    }

    // A mood on a day without an entry creates one; further moods change that entry, and the
    // one already chosen clears it.
    void aMoodOnADayWithoutAnEntryCreatesExactlyOne()
    {
        {
            JournalCalendarModel model(m_context.get());
            model.selectDay(1);
            QVERIFY(!model.selectedEntry());
            QSignalSpy switched(&model, &JournalCalendarModel::selectedEntryChanged);
            model.chooseMood("Anxious");
            QVERIFY(model.selectedEntry());
            QVERIFY(switched.count() >= 1);
            QCOMPARE(model.selectedEntry()->mood(), "Anxious");
            QVERIFY(cellOfDay(model, 1).hasEntry);
            model.chooseMood("Joyful");
            QCOMPARE(model.selectedEntry()->mood(), "Joyful");
            model.chooseMood("Joyful");
            QVERIFY(model.selectedEntry()->mood().isEmpty());
            QCOMPARE(CalendarDays::dotColor(cellOfDay(model, 1)).alpha(), 0);
            model.chooseMood("Hopeful");
            QCOMPARE(m_context->fetch<JournalEntry>().size(), 1);
            QVERIFY(!m_context->hasChanges());
        }
        m_context = m_store->open();
        const QList<JournalEntry *> entries = m_context->fetch<JournalEntry>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->date(), QDate(2026, 12, 1).startOfDay());
        QCOMPARE(entries.first()->mood(), "Hopeful");
        QVERIFY(entries.first()->dailyCardId().isNull());
        QCOMPARE(entries.first()->reflectionText(), QString());
    }

    void addJournalEntryCreatesAnEmptyEntryForTheSelectedDay()
    {
        JournalCalendarModel model(m_context.get());
        model.selectDay(3);
        model.addEntry();
        model.addEntry();
        QCOMPARE(m_context->fetch<JournalEntry>().size(), 1);
        JournalEntry *entry = model.selectedEntry();
        QVERIFY(entry);
        QCOMPARE(entry->date(), QDate(2026, 12, 3).startOfDay());
        QVERIFY(entry->mood().isNull());
        QVERIFY(!model.selectedFields()->hasCard() && !model.selectedFields()->hasPrompt());
        QVERIFY(!m_context->hasChanges());
    }

    void emptyDaysExplainThemselvesAndTodayMovesAtMidnight()
    {
        const QDateTime evening(QDate(2026, 12, 5), QTime(23, 59, 30));
        ManualScheduler scheduler;
        Clock::follow([&] { return evening.addMSecs(scheduler.elapsed()); });
        JournalCalendarModel model(m_context.get());
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
        const QDate dstDay(2026, 3, 29); // Europe/Berlin skips 02:00 to 03:00
        JournalEntry *late = addEntry(QDateTime(dstDay.addDays(-1), QTime(23, 59)), u"Peaceful"_s);
        JournalEntry *onDst = addEntry(dstDay.startOfDay(), u"Hopeful"_s);
        JournalEntry *newer = addEntry(QDateTime(dstDay, QTime(18, 0)), u"Joyful"_s);
        JournalEntry *next = addEntry(dstDay.addDays(1).startOfDay(), u"Anxious"_s);
        Clock::pin(QDateTime(dstDay, QTime(12, 0)));
        JournalCalendarModel model(m_context.get());
        QCOMPARE(model.selectedEntry(), newer);
        QCOMPARE(cellOfDay(model, 29).mood, "Joyful");
        QCOMPARE(cellOfDay(model, 28).mood, "Peaceful");
        QCOMPARE(cellOfDay(model, 30).mood, "Anxious");
        model.selectDay(28);
        QCOMPARE(model.selectedEntry(), late);
        model.selectDay(30);
        QCOMPARE(model.selectedEntry(), next);
        QCOMPARE(model.entriesBetween(dstDay, dstDay), (QList<JournalEntry *>{newer, onDst}));

        DailyCardViewModel daily(CardDataStore::shared(), m_context.get());
        QVERIFY(!daily.journalEntry()); // no card in these entries: not a draw
        QCOMPARE(daily.currentStreak(), 2);
    }

    // An entry made elsewhere shows on the grid at once; the panel picks it up when the day is
    // selected again. Its card box needs a card the catalogue knows, and an empty prompt is
    // no prompt.
    void anEntryMadeElsewhereShowsWithItsKnownCard()
    {
        JournalCalendarModel model(m_context.get());
        JournalEntry *entry = addEntry(QDate(2026, 12, 5).startOfDay());
        entry->setDailyCardId("major_16");
        entry->setJournalPrompt(u""_s);
        QTRY_VERIFY(cellOfDay(model, 5).hasEntry);
        QVERIFY(!model.selectedEntry());
        model.selectDay(6);
        model.selectDay(5);
        QCOMPARE(model.selectedEntry(), entry);
        QCOMPARE(model.selectedFields()->card().name, "The Tower");
        QVERIFY(model.selectedFields()->hasCard() && !model.selectedFields()->hasPrompt());
        QSignalSpy card(model.selectedFields(), &EntryFields::cardChanged);
        entry->setDailyCardId("major_99");
        QCOMPARE(card.count(), 1);
        QVERIFY(!model.selectedFields()->hasCard());
    }

private:
    // Keeps the exact instant: entries written by older versions or other screens need not be
    // at midnight.
    JournalEntry *addEntry(const QDateTime &when, const QString &mood = {})
    {
        auto *entry = new JournalEntry(when);
        entry->setDate(when);
        if (!mood.isNull())
            entry->setMood(mood);
        m_context->insert(entry);
        return entry;
    }

    std::unique_ptr<TempStore> m_store;
    std::unique_ptr<ModelContext> m_context;
};

QTEST_GUILESS_MAIN(JournalCalendarTest)
#include "tst_journal_calendar.moc"
