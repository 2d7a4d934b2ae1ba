#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>
#include <map>

class QTimer;

// Runs timed steps on the main thread: a shuffle's beats, a reveal delay, the check for a new
// day. Everything that waits goes through one of these, so tests advance time with a
// ManualScheduler instead of sleeping.
class Scheduler
{
public:
    using TaskId = quint64;
    using Task = std::function<void()>;

    virtual ~Scheduler() = default;

    // Runs `task` once after `delayMs`, unless it is cancelled or `owner` is destroyed first.
    virtual TaskId schedule(int delayMs, QObject *owner, Task task) = 0;
    // Drops a task that has not run yet; unknown or finished ids are ignored.
    virtual void cancel(TaskId id) = 0;

    // The event loop's timers, shared by the whole process.
    static Scheduler &system();
};

// Precise single-shot timers of the event loop.
class SystemScheduler final : public Scheduler
{
public:
    ~SystemScheduler() override;
    TaskId schedule(int delayMs, QObject *owner, Task task) override;
    void cancel(TaskId id) override;

private:
    TaskId m_nextId = 1;
    QHash<TaskId, QTimer *> m_timers;
};

// Time that moves only when a test says so. Tasks run in the order they fall due, on the
// calling thread, inside advance().
class ManualScheduler final : public Scheduler
{
public:
    TaskId schedule(int delayMs, QObject *owner, Task task) override;
    void cancel(TaskId id) override;

    // Moves time forward, running every task that falls due on the way, including tasks
    // scheduled by those tasks.
    void advance(int ms);
    // Milliseconds since this scheduler was made.
    qint64 elapsed() const { return m_now; }
    // Tasks waiting to run.
    int pendingCount() const { return int(m_queue.size()); }

private:
    struct Entry
    {
        TaskId id;
        QPointer<QObject> owner;
        bool hasOwner;
        Task task;
    };
    qint64 m_now = 0;
    TaskId m_nextId = 1;
    // Equal due times keep the order they were scheduled in.
    std::multimap<qint64, Entry> m_queue;
};
