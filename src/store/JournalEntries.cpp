#include "JournalEntries.h"

#include "JournalEntry.h"
#include "ModelContext.h"

#include <algorithm>

namespace {

const QString dateColumn = QStringLiteral("date");

} // namespace

QList<JournalEntry *> JournalEntries::ofDay(QDate day) const
{
    if (!m_context || !day.isValid())
        return {};
    const QDateTime start = day.startOfDay();
    const QDateTime end = day.addDays(1).startOfDay();
    return m_context->fetch<JournalEntry>(
        ModelContext::RowQuery{QStringLiteral("date >= ? AND date < ?"),
                               {start.toMSecsSinceEpoch(), end.toMSecsSinceEpoch()},
                               QStringLiteral("pk"),
                               -1},
        [&](const JournalEntry *e) { return e->date().isValid() && start <= e->date() && e->date() < end; },
        [](const JournalEntry *a, const JournalEntry *b) {
            return a->storeId() != 0 && (b->storeId() == 0 || a->storeId() < b->storeId());
        });
}

QList<JournalEntry *> JournalEntries::between(QDate first, QDate last) const
{
    if (!m_context || !first.isValid() || !last.isValid())
        return {};
    const QDateTime start = first.startOfDay();
    const QDateTime end = last.addDays(1).startOfDay();
    return m_context->fetchRange<JournalEntry>(
        dateColumn, start.toMSecsSinceEpoch(), end.toMSecsSinceEpoch(),
        [&](const JournalEntry *entry) {
            const QDateTime date = entry->date();
            return date.isValid() && start <= date && date < end;
        },
        [](const JournalEntry *a, const JournalEntry *b) { return a->date() > b->date(); });
}

QList<qint64> JournalEntries::datesBefore(const QDateTime &end) const
{
    QList<qint64> dates;
    if (!m_context)
        return dates;
    const qint64 limit = end.toMSecsSinceEpoch();
    for (const QVariant &date : m_context->storedValues(
             JournalEntry::staticMetaObject, dateColumn,
             ModelContext::RowQuery{QStringLiteral("date < ?"), {limit}, QStringLiteral("date DESC"), -1}))
        dates.append(date.toLongLong());
    bool pending = false;
    for (const JournalEntry *entry : m_context->pendingRecords<JournalEntry>()) {
        if (!entry->isDeleted() && entry->date().isValid() && entry->date().toMSecsSinceEpoch() < limit) {
            dates.append(entry->date().toMSecsSinceEpoch());
            pending = true;
        }
    }
    if (pending)
        std::sort(dates.begin(), dates.end(), std::greater<>());
    return dates;
}

JournalEntry *JournalEntries::add(const QDateTime &date) const
{
    if (!m_context)
        return nullptr;
    auto *entry = new JournalEntry(date);
    m_context->insert(entry);
    return entry;
}
