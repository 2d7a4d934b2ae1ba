#pragma once

#include "Scheduler.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

// Turns horizontal two-finger scrolling into page swipes. While active it watches every wheel
// event of the application (and lets each one through unchanged, so scroll views keep
// scrolling): horizontal deltas add up, mostly vertical and tiny ones are ignored, and once the
// sum passes the threshold one swipe fires and a short cool-down swallows the rest of the
// gesture. Screens that page (card sequences, the card detail pager, flashcards) bind `active`
// to being on screen and page on the two signals.
class SwipeDetector : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool active READ isActive WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(bool isCoolingDown READ isCoolingDown NOTIFY isCoolingDownChanged)

public:
    // Points of accumulated horizontal scroll that make a swipe.
    static constexpr double threshold = 80;
    static constexpr int cooldownMs = 600;

    explicit SwipeDetector(QObject *parent = nullptr);
    ~SwipeDetector() override;

    bool isActive() const { return m_active; }
    void setActive(bool active);
    bool isCoolingDown() const { return m_coolingDown; }
    double accumulatedDeltaX() const { return m_accumulated; }
    // The scheduler times the cool-down; it must outlive this object.
    void setScheduler(Scheduler &scheduler) { m_scheduler = &scheduler; }

    // One scroll event's precise deltas, positive x meaning the content moves right.
    Q_INVOKABLE void scrolled(double dx, double dy);

signals:
    void activeChanged();
    void isCoolingDownChanged();
    // Content pushed to the left: show the next page.
    void swipeLeft();
    // Content pushed to the right: show the previous page.
    void swipeRight();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startCooldown();

    Scheduler *m_scheduler;
    Scheduler::TaskId m_cooldownTask = 0;
    bool m_active = false;
    bool m_coolingDown = false;
    double m_accumulated = 0;
};
