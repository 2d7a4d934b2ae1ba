#include "JournalCalendarModel.h"

#include "CardDataStore.h"
#include "Clock.h"
#include "DateFormat.h"
#include "DayTracker.h"
#include "JournalCalendar.h"
#include "JournalEntries.h"
#include "MoodPalette.h"
#include "PerceivedText.h"
#include "Scheduler.h"
#include "StoreLog.h"

#include <QLocale>

JournalCalendarModel::JournalCalendarModel(QObject *parent)
    : QObject(parent), m_cards(&CardDataStore::shared()), m_days(new CalendarDays(this)),
      m_exporter(new JournalExporter(this)), m_selectedFields(new EntryFields(*m_cards, this)),
      m_displayedMonth(JournalCalendar::firstOfMonth(Clock::today())), m_selectedDate(Clock::today())
{
    setScheduler(Scheduler::system());
}

JournalCalendarModel::JournalCalendarModel(ModelContext *context, QObject *parent) : JournalCalendarModel(parent)
{
    setModelContext(context);
    appear();
}

JournalCalendarModel::~JournalCalendarModel() = default;

void JournalCalendarModel::setScheduler(Scheduler &scheduler)
{
    m_dayTracker = std::make_unique<DayTracker>(scheduler);
    connect(m_dayTracker.get(), &DayTracker::dayChanged, this, &JournalCalendarModel::dayChanged);
}

void JournalCalendarModel::setCardStore(const CardDataStore &cards)
{
    m_cards = &cards;
    m_exporter->setCardStore(cards);
    m_selectedFields->setCardStore(cards);
}

void JournalCalendarModel::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    if (m_context)
        QObject::disconnect(m_context, nullptr, this, nullptr);
    m_context = context;
    m_exporter->setModelContext(context);
    // The grid follows every change of the entries; the selected entry does not (it is looked
    // up again only when the selected day changes or the screen appears).
    if (m_context)
        connect(m_context, &ModelContext::changed, this, &JournalCalendarModel::refreshDays);
    emit modelContextChanged();
    if (m_onScreen)
        appear();
}

void JournalCalendarModel::selectIsoDate(const QString &day)
{
    const QDate date = QDate::fromString(day, Qt::ISODate);
    if (!date.isValid())
        return;
    setDisplayedMonth(date);
    selectDate(date);
}

void JournalCalendarModel::appear()
{
    m_onScreen = true;
    lookUpSelectedEntry();
    refreshDays();
}

QList<JournalEntry *> JournalCalendarModel::entriesBetween(QDate first, QDate last) const
{
    // Only the rows of these days are read from disk while the journal is not loaded whole.
    return JournalEntries(m_context).between(first, last);
}

void JournalCalendarModel::refreshDays()
{
    if (!m_onScreen)
        return;
    const QDate first = m_displayedMonth;
    const int dayCount = JournalCalendar::daysInMonth(first);
    const int blanks = JournalCalendar::leadingBlanks(first);
    const QList<JournalEntry *> entries = entriesBetween(first, first.addDays(dayCount - 1));
    QHash<int, const JournalEntry *> entryOfDay;
    for (const JournalEntry *entry : entries) {
        // The first entry listed for a day (the newest) is the day's entry.
        const QDate day = JournalCalendar::dayOf(entry);
        if (!entryOfDay.contains(day.day()))
            entryOfDay.insert(day.day(), entry);
    }

    const QDate today = Clock::today();
    QList<CalendarDays::Cell> cells(blanks);
    cells.reserve(blanks + dayCount);
    for (int day = 1; day <= dayCount; ++day) {
        CalendarDays::Cell cell;
        cell.blank = false;
        cell.date = JournalCalendar::dateOfDay(first, day);
        cell.isSelected = cell.date == m_selectedDate;
        cell.isToday = cell.date == today;
        if (const JournalEntry *entry = entryOfDay.value(day)) {
            cell.hasEntry = true;
            cell.mood = entry->mood();
        }
        cells.append(cell);
    }
    m_days->setCells(cells);
}

QString JournalCalendarModel::monthTitle() const
{
    return QLocale().toString(m_displayedMonth, QStringLiteral("MMMM yyyy"));
}

QStringList JournalCalendarModel::daysOfWeek() const
{
    // Always Sunday first, to match the grid.
    return {tr("Sun"), tr("Mon"), tr("Tue"), tr("Wed"), tr("Thu"), tr("Fri"), tr("Sat")};
}

QString JournalCalendarModel::selectedDateText() const
{
    return DateFormat::longDate(m_selectedDate);
}

QDate JournalCalendarModel::today() const
{
    return Clock::today();
}

QString JournalCalendarModel::emptyDayText() const
{
    return m_selectedDate == Clock::today()
               ? tr("No card drawn yet today. Visit the Daily Card section to draw your card.")
               : tr("No entry for this day.");
}

void JournalCalendarModel::setDisplayedMonth(QDate month)
{
    const QDate first = JournalCalendar::firstOfMonth(month);
    if (!first.isValid() || first == m_displayedMonth)
        return;
    m_displayedMonth = first;
    emit displayedMonthChanged();
    refreshDays();
}

void JournalCalendarModel::showPreviousMonth()
{
    setDisplayedMonth(JournalCalendar::addMonths(m_displayedMonth, -1));
}

void JournalCalendarModel::showNextMonth()
{
    setDisplayedMonth(JournalCalendar::addMonths(m_displayedMonth, 1));
}

void JournalCalendarModel::selectDay(int day)
{
    selectDate(JournalCalendar::dateOfDay(m_displayedMonth, day));
}

void JournalCalendarModel::selectDate(QDate date)
{
    if (!date.isValid() || date == m_selectedDate)
        return;
    const bool wasToday = m_selectedDate == Clock::today();
    m_selectedDate = date;
    emit selectedDateChanged();
    if (wasToday != (date == Clock::today()))
        emit emptyDayTextChanged();
    lookUpSelectedEntry();
    refreshDays();
}

void JournalCalendarModel::moveSelection(int days)
{
    const QDate date = m_selectedDate.addDays(days);
    if (!date.isValid())
        return;
    setDisplayedMonth(date);
    selectDate(date);
}

void JournalCalendarModel::moveSelectionByMonths(int months)
{
    // The same day number in the other month, or its last day when it is shorter.
    const QDate date = m_selectedDate.addMonths(months);
    if (!date.isValid())
        return;
    setDisplayedMonth(date);
    selectDate(date);
}

void JournalCalendarModel::goToToday()
{
    const QDate today = Clock::today();
    setDisplayedMonth(today);
    selectDate(today);
}

bool JournalCalendarModel::navigateByKey(int key, int modifiers)
{
    // Keypad arrows carry a modifier of their own; anything else (Shift, Ctrl) is not ours.
    if ((modifiers & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (key) {
    case Qt::Key_Left:
        moveSelection(-1);
        return true;
    case Qt::Key_Right:
        moveSelection(1);
        return true;
    case Qt::Key_Up:
        moveSelection(-7);
        return true;
    case Qt::Key_Down:
        moveSelection(7);
        return true;
    case Qt::Key_PageUp:
        moveSelectionByMonths(-1);
        return true;
    case Qt::Key_PageDown:
        moveSelectionByMonths(1);
        return true;
    case Qt::Key_Home:
        goToToday();
        return true;
    default:
        return false;
    }
}

void JournalCalendarModel::setSelectedEntry(JournalEntry *entry)
{
    if (m_selectedEntry == entry)
        return;
    if (m_selectedEntry)
        m_selectedEntry->disconnect(this);
    m_selectedEntry = entry;
    // An entry deleted elsewhere leaves the panel as if the day had none.
    if (entry)
        connect(entry, &QObject::destroyed, this, &JournalCalendarModel::selectedEntryChanged);
    m_selectedFields->setEntry(entry);
    emit selectedEntryChanged();
}

void JournalCalendarModel::lookUpSelectedEntry()
{
    setSelectedEntry(JournalCalendar::entryOfDay(entriesBetween(m_selectedDate, m_selectedDate), m_selectedDate));
}

JournalEntry *JournalCalendarModel::createEntry(QDate day)
{
    if (!m_context)
        return nullptr;
    auto *entry = new JournalEntry(day.startOfDay());
    m_context->insert(entry);
    saveContext(*m_context);
    setSelectedEntry(entry);
    refreshDays();
    return entry;
}

void JournalCalendarModel::chooseMood(const QString &mood)
{
    if (!m_context)
        return;
    if (!m_selectedEntry) {
        JournalEntry *entry = createEntry(m_selectedDate);
        if (!entry)
            return;
        entry->setMood(mood);
    } else {
        m_selectedEntry->setMood(MoodPalette::toggled(m_selectedEntry->mood(), mood));
    }
    saveContext(*m_context);
    refreshDays();
}

void JournalCalendarModel::addEntry()
{
    if (!m_selectedEntry)
        createEntry(m_selectedDate);
}

int JournalCalendarModel::setReflection(const QString &text)
{
    if (!m_selectedEntry || !m_context)
        return int(text.size());
    const QString kept = PerceivedText::truncated(text, maxReflectionCharacters);
    if (kept != m_selectedEntry->reflectionText()) {
        m_selectedEntry->setReflectionText(kept);
        saveContext(*m_context);
    }
    return int(kept.size());
}

int JournalCalendarModel::reflectionLength(const QString &text)
{
    return int(PerceivedText::truncated(text, maxReflectionCharacters).size());
}

void JournalCalendarModel::dayChanged()
{
    // The selection stays on the day it was; what is "today" moves.
    emit emptyDayTextChanged();
    refreshDays();
}
