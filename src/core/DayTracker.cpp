#include "DayTracker.h"

#include "Clock.h"

DayTracker::DayTracker(Scheduler &scheduler, QObject *parent)
    : QObject(parent), m_scheduler(scheduler), m_today(Clock::today())
{
    arm();
}

DayTracker::~DayTracker()
{
    m_scheduler.cancel(m_task);
}

void DayTracker::check()
{
    const QDate today = Clock::today();
    if (today != m_today) {
        m_today = today;
        emit dayChanged();
    }
    arm();
}

void DayTracker::arm()
{
    m_scheduler.cancel(m_task);
    // The start of tomorrow in local time: a calendar day, so 23 or 25 hours long around a
    // daylight-saving change.
    const QDateTime now = Clock::now();
    const QDateTime nextMidnight = now.date().addDays(1).startOfDay();
    const qint64 untilMidnight = now.msecsTo(nextMidnight);
    const int wait = int(qBound<qint64>(1, untilMidnight, qint64(longestWaitMs)));
    m_task = m_scheduler.schedule(wait, this, [this] { check(); });
}
