#pragma once

#include "Scheduler.h"

#include <QDate>
#include <QObject>

// Notices when the local calendar day changes while the app runs: at local midnight, after
// the machine wakes from sleep, or when the time zone changes. It looks at the clock at
// midnight and at least once a minute, which costs nothing measurable.
class DayTracker : public QObject
{
    Q_OBJECT

public:
    explicit DayTracker(Scheduler &scheduler = Scheduler::system(), QObject *parent = nullptr);
    ~DayTracker() override;

    QDate today() const { return m_today; }
    // Looks at the clock now, as the timer does.
    void check();

    // The longest the tracker waits between two looks at the clock.
    static constexpr int longestWaitMs = 60'000;

signals:
    // The local day is no longer the one last seen; today() already holds the new one.
    void dayChanged();

private:
    void arm();

    Scheduler &m_scheduler;
    Scheduler::TaskId m_task = 0;
    QDate m_today;
};
