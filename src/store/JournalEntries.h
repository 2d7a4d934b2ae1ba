#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>

class JournalEntry;
class ModelContext;

// The journal's entries, read a day or a range at a time over the date index so that ten
// years of entries stay on disk. Unsaved changes count by their values in memory; removed
// entries never appear.
class JournalEntries
{
public:
    explicit JournalEntries(ModelContext *context) : m_context(context) {}

    // The entries dated on `day` (local time): saved ones first in the order they were
    // stored, then new ones in the order they came. The first is the day's entry.
    QList<JournalEntry *> ofDay(QDate day) const;
    // The entries dated from the start of `first` to the end of `last`, newest first.
    QList<JournalEntry *> between(QDate first, QDate last) const;
    // The dates, in milliseconds since the epoch, of every entry dated before `end`, newest
    // first, read without making the entries.
    QList<qint64> datesBefore(const QDateTime &end) const;
    // A new entry dated `date`, stored by the next save.
    JournalEntry *add(const QDateTime &date) const;

private:
    ModelContext *m_context;
};
