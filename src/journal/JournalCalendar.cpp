#include "JournalCalendar.h"

#include "JournalEntry.h"

namespace JournalCalendar {

QDate dayOf(const JournalEntry *entry)
{
    return entry ? entry->date().toLocalTime().date() : QDate();
}

JournalEntry *entryOfDay(const QList<JournalEntry *> &entries, QDate day)
{
    if (!day.isValid())
        return nullptr;
    // Comparing instants is much cheaper than turning every entry's date into a local day.
    const QDateTime start = startOf(day);
    const QDateTime end = endOf(day);
    for (JournalEntry *entry : entries) {
        const QDateTime date = entry->date();
        if (date.isValid() && start <= date && date < end)
            return entry;
    }
    return nullptr;
}

QDate firstOfMonth(QDate date)
{
    return date.isValid() ? QDate(date.year(), date.month(), 1) : QDate();
}

int daysInMonth(QDate date)
{
    return date.isValid() ? date.daysInMonth() : 30;
}

int leadingBlanks(QDate date)
{
    const QDate first = firstOfMonth(date);
    // Qt counts Monday as 1 and Sunday as 7; in a Sunday-first week Sunday needs no blank.
    return first.isValid() ? first.dayOfWeek() % 7 : 0;
}

QDate dateOfDay(QDate month, int day)
{
    const QDate date = month.isValid() ? QDate(month.year(), month.month(), day) : QDate();
    return date.isValid() ? date : month;
}

QDate addMonths(QDate month, int months)
{
    const QDate moved = firstOfMonth(month).addMonths(months);
    return moved.isValid() ? moved : firstOfMonth(month);
}

QDateTime startOf(QDate day)
{
    return day.startOfDay();
}

QDateTime endOf(QDate day)
{
    return day.addDays(1).startOfDay();
}

} // namespace JournalCalendar
