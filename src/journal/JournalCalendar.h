#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>

class JournalEntry;

// Day and month arithmetic of the journal, in the local calendar and time zone. One entry stands
// for one calendar day: the day its `date` falls on in local time.
namespace JournalCalendar {

// The local calendar day an entry belongs to.
QDate dayOf(const JournalEntry *entry);
// The first entry of `entries`, in the order given, that falls on `day`; null when none does.
JournalEntry *entryOfDay(const QList<JournalEntry *> &entries, QDate day);

// The first day of the month that contains `date`.
QDate firstOfMonth(QDate date);
// The number of days of the month that contains `date`; 30 when the date is not valid.
int daysInMonth(QDate date);
// Empty cells before day 1 in a grid whose weeks start on Sunday, whatever the locale prefers.
int leadingBlanks(QDate date);
// Day `day` of the month that contains `month`; `month` itself when there is no such day.
QDate dateOfDay(QDate month, int day);
// The month `months` away, as its first day; the month of `month` when there is none.
QDate addMonths(QDate month, int months);

// The instants that bound a range of local days: [first day's midnight, the midnight after last).
QDateTime startOf(QDate day);
QDateTime endOf(QDate day);

} // namespace JournalCalendar
