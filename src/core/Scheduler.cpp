#include "Scheduler.h"

#include <QTimer>

Scheduler &Scheduler::system()
{
    static SystemScheduler scheduler;
    return scheduler;
}

SystemScheduler::~SystemScheduler()
{
    // The timers belong to their owners or are deleted with the application; forget them.
    m_timers.clear();
}

Scheduler::TaskId SystemScheduler::schedule(int delayMs, QObject *owner, Task task)
{
    const TaskId id = m_nextId++;
    auto *timer = new QTimer(owner);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    m_timers.insert(id, timer);
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, timer, task = std::move(task)] {
        m_timers.remove(id);
        timer->deleteLater();
        task();
    });
    // A timer that dies with its owner must not stay behind as a dangling entry.
    QObject::connect(timer, &QObject::destroyed, [this, id] { m_timers.remove(id); });
    timer->start(qMax(0, delayMs));
    return id;
}

void SystemScheduler::cancel(TaskId id)
{
    if (QTimer *timer = m_timers.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}

Scheduler::TaskId ManualScheduler::schedule(int delayMs, QObject *owner, Task task)
{
    const TaskId id = m_nextId++;
    m_queue.emplace(m_now + qMax(0, delayMs), Entry{id, owner, owner != nullptr, std::move(task)});
    return id;
}

void ManualScheduler::cancel(TaskId id)
{
    for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
        if (it->second.id == id) {
            m_queue.erase(it);
            return;
        }
    }
}

void ManualScheduler::advance(int ms)
{
    const qint64 end = m_now + qMax(0, ms);
    while (!m_queue.empty() && m_queue.begin()->first <= end) {
        auto first = m_queue.begin();
        m_now = first->first;
        const Entry entry = first->second;
        m_queue.erase(first);
        if (entry.hasOwner && !entry.owner)
            continue;
        entry.task();
    }
    m_now = end;
}
