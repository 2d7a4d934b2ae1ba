// Two-finger horizontal scrolling as page swipes: one swipe per gesture, vertical scrolling
// and noise ignored, the rest of a gesture swallowed by the cool-down, events passed on.
#include "Scheduler.h"
#include "SwipeDetector.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

class SwipeDetectorTest : public QObject
{
    Q_OBJECT

private slots:
    void oneSwipePerGestureThenACooldown()
    {
        ManualScheduler scheduler;
        SwipeDetector swipe;
        swipe.setScheduler(scheduler);
        QSignalSpy right(&swipe, &SwipeDetector::swipeRight);
        QSignalSpy left(&swipe, &SwipeDetector::swipeLeft);

        swipe.scrolled(30, 0);
        swipe.scrolled(30, 0);
        QCOMPARE(right.count(), 0);
        swipe.scrolled(30, 0); // 90 > 80
        QCOMPARE(right.count(), 1);
        // The rest of the gesture falls into the cool-down.
        for (int i = 0; i < 10; ++i)
            swipe.scrolled(40, 0);
        scheduler.advance(SwipeDetector::cooldownMs - 1);
        swipe.scrolled(-90, 0);
        QCOMPARE(right.count() + left.count(), 1);
        scheduler.advance(1);
        QVERIFY(!swipe.isCoolingDown());
        QCOMPARE(swipe.accumulatedDeltaX(), 0.0);

        // Both directions add into one sum; the next gesture swipes the other way.
        swipe.scrolled(20, 0);
        swipe.scrolled(-60, 0);
        QCOMPARE(left.count(), 0);
        swipe.scrolled(-41, 0); // 20 − 60 − 41 = −81
        QCOMPARE(left.count(), 1);
    }

    void verticalScrollingAndNoiseAreIgnored()
    {
        ManualScheduler scheduler;
        SwipeDetector swipe;
        swipe.setScheduler(scheduler);
        swipe.scrolled(10, 25); // mostly vertical
        swipe.scrolled(1.5, 0); // noise
        QCOMPARE(swipe.accumulatedDeltaX(), 0.0);
        swipe.scrolled(10, 20); // exactly twice: still counts
        QCOMPARE(swipe.accumulatedDeltaX(), 10.0);
    }

    // Only while active, and counted once per event although it passes window and item.
    void watchesTheApplicationsWheelEventsWhileActive()
    {
        SwipeDetector swipe;
        QWindow window;
        QSignalSpy left(&swipe, &SwipeDetector::swipeLeft);
        const auto wheel = [&window](int dx) {
            QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(dx, 0), QPoint(), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(&window, &event);
        };
        wheel(-100);
        QCOMPARE(left.count(), 0);
        swipe.setActive(true);
        wheel(-50);
        QCOMPARE(swipe.accumulatedDeltaX(), -50.0);
        wheel(-50);
        QCOMPARE(left.count(), 1);
        swipe.setActive(false);
        QCOMPARE(swipe.isActive(), false);
    }
};

QTEST_MAIN(SwipeDetectorTest)
#include "tst_swipe_detector.moc"
