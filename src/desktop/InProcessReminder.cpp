#include "InProcessReminder.h"

#include "Clock.h"
#include "Scheduler.h"

InProcessReminder::InProcessReminder(Scheduler &scheduler, Post post, QObject *parent)
    : QObject(parent), m_scheduler(scheduler), m_post(std::move(post))
{}

QDateTime InProcessReminder::nextOccurrence(const QDateTime &after, QTime time)
{
    const QTime minute(time.hour(), time.minute());
    const QDateTime local = after.toLocalTime();
    // Calendar days, not 24-hour steps: the day after a change to summer time is 23 hours on.
    for (int days = 0; days < 3; ++days) {
        const QDateTime candidate(local.date().addDays(days), minute);
        if (candidate.isValid() && candidate > local)
            return candidate;
    }
    return local.addDays(1);
}

void InProcessReminder::set(const QString &identifier, const std::optional<NotificationRequest> &request)
{
    if (auto it = m_entries.find(identifier); it != m_entries.end()) {
        m_scheduler.cancel(it->task);
        m_entries.erase(it);
    }
    if (!request)
        return;
    m_entries.insert(identifier, Entry{*request, nextOccurrence(Clock::now(), request->time), 0});
    arm(identifier);
}

QDateTime InProcessReminder::nextFireTime(const QString &identifier) const
{
    const auto it = m_entries.constFind(identifier);
    return it == m_entries.constEnd() ? QDateTime() : it->due;
}

void InProcessReminder::arm(const QString &identifier)
{
    Entry &entry = m_entries[identifier];
    const qint64 untilDue = qMax<qint64>(0, Clock::now().msecsTo(entry.due));
    const int delay = int(qMin<qint64>(untilDue, checkIntervalMs));
    entry.task = m_scheduler.schedule(delay, this, [this, identifier] { check(identifier); });
}

void InProcessReminder::check(const QString &identifier)
{
    auto it = m_entries.find(identifier);
    if (it == m_entries.end())
        return;
    const QDateTime now = Clock::now();
    if (now >= it->due) {
        it->due = nextOccurrence(now, it->request.time);
        const NotificationRequest request = it->request;
        arm(identifier);
        m_post(request);
        return;
    }
    arm(identifier);
}
