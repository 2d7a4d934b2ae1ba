// Timed steps and the turn of the day: the two things every flow and "today" rest on.
#include "Clock.h"
#include "DayTracker.h"
#include "Scheduler.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>

class CoreTimeTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::reset(); }

    void manualSchedulerRunsTasksInDueOrder()
    {
        ManualScheduler scheduler;
        QObject owner;
        QStringList ran;
        scheduler.schedule(300, &owner, [&] { ran << "late"; });
        scheduler.schedule(100, &owner, [&] { ran << "first"; });
        scheduler.schedule(100, &owner, [&] { ran << "second"; });
        // A task scheduled by a running task runs in the same advance when it falls due.
        scheduler.schedule(150, &owner, [&] { scheduler.schedule(100, &owner, [&] { ran << "chained"; }); });
        const auto cancelled = scheduler.schedule(200, &owner, [&] { ran << "cancelled"; });
        scheduler.cancel(cancelled);
        {
            QObject gone; // tasks of a destroyed owner never run
            scheduler.schedule(10, &gone, [&] { ran << "gone"; });
        }

        scheduler.advance(99);
        QVERIFY(ran.isEmpty());
        scheduler.advance(201);
        QCOMPARE(ran, (QStringList{"first", "second", "chained", "late"}));
        QCOMPARE(scheduler.pendingCount(), 0);
    }

    void systemSchedulerCancelsAndDropsTasksOfDestroyedOwners()
    {
        Scheduler &scheduler = Scheduler::system();
        int ran = 0;
        auto owner = std::make_unique<QObject>();
        scheduler.schedule(0, owner.get(), [&] { ran += 1; });
        scheduler.schedule(0, owner.get(), [&] { ran += 10; });
        const auto cancelled = scheduler.schedule(0, owner.get(), [&] { ran += 100; });
        scheduler.cancel(cancelled);
        QTRY_COMPARE(ran, 11);
        scheduler.schedule(0, owner.get(), [&] { ran += 1000; });
        owner.reset();
        QCoreApplication::processEvents();
        QCOMPARE(ran, 11);
    }

    // The tracker must report a new day exactly at local midnight, including the 23-hour and
    // 25-hour days of the clock changes, and after a jump of the clock (sleep, time zone).
    void dayTurnsAtLocalMidnight_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<qint64>("dayLengthHours");
        const QTimeZone berlin("Europe/Berlin");
        QTest::newRow("ordinary day") << QDateTime(QDate(2026, 12, 6), QTime(23, 59, 10), berlin) << 24ll;
        QTest::newRow("spring forward") << QDateTime(QDate(2026, 3, 28), QTime(23, 59, 10), berlin) << 23ll;
        QTest::newRow("fall back") << QDateTime(QDate(2026, 10, 24), QTime(23, 59, 10), berlin) << 25ll;
    }
    void dayTurnsAtLocalMidnight()
    {
        QFETCH(QDateTime, start);
        QFETCH(qint64, dayLengthHours);
        ManualScheduler scheduler;
        Clock::follow([&] { return start.addMSecs(scheduler.elapsed()); });
        DayTracker tracker(scheduler);
        QList<qint64> turns;
        connect(&tracker, &DayTracker::dayChanged, this, [&] { turns << scheduler.elapsed(); });

        scheduler.advance(49'999);
        QVERIFY(turns.isEmpty());
        scheduler.advance(1);
        QCOMPARE(turns, QList<qint64>{50'000});
        QCOMPARE(tracker.today(), start.date().addDays(1));

        // The next day is 23, 24 or 25 hours long; it ends at its own midnight, not 24 h later.
        const qint64 nextMidnight = 50'000 + dayLengthHours * 3'600'000;
        scheduler.advance(int(nextMidnight - 50'000 - 1));
        QCOMPARE(turns.size(), 1);
        scheduler.advance(1);
        QCOMPARE(turns, (QList<qint64>{50'000, nextMidnight}));
    }

    void aJumpOfTheClockIsNoticedWithinAMinute()
    {
        ManualScheduler scheduler;
        QDateTime now(QDate(2026, 12, 6), QTime(10, 0));
        Clock::follow([&] { return now; });
        DayTracker tracker(scheduler);
        QSignalSpy changed(&tracker, &DayTracker::dayChanged);
        // The machine slept through the night: the clock jumps while no timer could fire.
        now = now.addDays(1);
        scheduler.advance(DayTracker::longestWaitMs);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(tracker.today(), QDate(2026, 12, 7));
    }
};

QTEST_GUILESS_MAIN(CoreTimeTest)
#include "tst_core_time.moc"
