#include "SwipeDetector.h"

#include <QCoreApplication>
#include <QWheelEvent>

#include <cmath>

SwipeDetector::SwipeDetector(QObject *parent) : QObject(parent), m_scheduler(&Scheduler::system())
{}

SwipeDetector::~SwipeDetector()
{
    setActive(false);
    m_scheduler->cancel(m_cooldownTask);
}

void SwipeDetector::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (auto *app = QCoreApplication::instance()) {
        if (active)
            app->installEventFilter(this);
        else
            app->removeEventFilter(this);
    }
    emit activeChanged();
}

bool SwipeDetector::eventFilter(QObject *watched, QEvent *event)
{
    // A wheel event is offered to the window first and then to the item under the pointer:
    // count it once, at the window.
    if (event->type() == QEvent::Wheel && watched->isWindowType()) {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        // Touchpads report pixels; a tilting mouse wheel only angles (120 per notch).
        const QPointF delta =
            wheel->pixelDelta().isNull() ? QPointF(wheel->angleDelta()) / 4.0 : QPointF(wheel->pixelDelta());
        scrolled(delta.x(), delta.y());
    }
    return false;
}

void SwipeDetector::scrolled(double dx, double dy)
{
    if (m_coolingDown)
        return;
    if (std::abs(dx) < 2 || std::abs(dy) > 2 * std::abs(dx))
        return;
    m_accumulated += dx;
    if (m_accumulated > threshold) {
        m_accumulated = 0;
        startCooldown();
        emit swipeRight();
    } else if (m_accumulated < -threshold) {
        m_accumulated = 0;
        startCooldown();
        emit swipeLeft();
    }
}

void SwipeDetector::startCooldown()
{
    m_coolingDown = true;
    emit isCoolingDownChanged();
    m_cooldownTask = m_scheduler->schedule(cooldownMs, this, [this] {
        m_cooldownTask = 0;
        m_coolingDown = false;
        m_accumulated = 0;
        emit isCoolingDownChanged();
    });
}
