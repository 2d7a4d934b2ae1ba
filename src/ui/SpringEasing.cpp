#include "SpringEasing.h"

#include <cmath>
#include <numbers>

SpringEasing::State SpringEasing::stateAt(State start, double t) const
{
    const double omega = 2 * std::numbers::pi / response;
    const double zeta = damping;
    const double x0 = start.position;
    const double v0 = start.velocity;
    if (std::abs(zeta - 1) < 1e-9) {
        // Critically damped: (A + B t) e^(−ωt).
        const double b = v0 + omega * x0;
        const double decay = std::exp(-omega * t);
        return {(x0 + b * t) * decay, (b - omega * (x0 + b * t)) * decay};
    }
    if (zeta < 1) {
        // Underdamped: e^(−ζωt) (A cos ω_d t + B sin ω_d t).
        const double omegaD = omega * std::sqrt(1 - zeta * zeta);
        const double a = x0;
        const double b = (v0 + zeta * omega * x0) / omegaD;
        const double decay = std::exp(-zeta * omega * t);
        const double c = std::cos(omegaD * t);
        const double s = std::sin(omegaD * t);
        return {decay * (a * c + b * s),
                decay * ((-zeta * omega * a + omegaD * b) * c + (-zeta * omega * b - omegaD * a) * s)};
    }
    // Overdamped: two decaying exponentials.
    const double root = std::sqrt(zeta * zeta - 1);
    const double r1 = -omega * (zeta - root);
    const double r2 = -omega * (zeta + root);
    const double c2 = (v0 - r1 * x0) / (r2 - r1);
    const double c1 = x0 - c2;
    return {c1 * std::exp(r1 * t) + c2 * std::exp(r2 * t), c1 * r1 * std::exp(r1 * t) + c2 * r2 * std::exp(r2 * t)};
}

double SpringEasing::progress(double seconds) const
{
    return 1 - stateAt({1, 0}, seconds).position;
}

double SpringEasing::settlingTime(double tolerance) const
{
    // Scans a unit step in millisecond steps for the last moment it was still outside the band.
    const double omega = 2 * std::numbers::pi / response;
    double last = 0;
    for (int ms = 0; ms <= 30000; ++ms) {
        const State s = stateAt({1, 0}, ms / 1000.0);
        if (std::abs(s.position) > tolerance || std::abs(s.velocity) > tolerance * omega)
            last = (ms + 1) / 1000.0;
    }
    return last;
}

// Ticks a motion from Qt's animation timer until it reports that it has come to rest.
class SpringTicker : public QAbstractAnimation
{
public:
    explicit SpringTicker(SpringMotion *motion) : QAbstractAnimation(motion), m_motion(motion) {}
    int duration() const override { return -1; }

protected:
    void updateCurrentTime(int currentTime) override { m_motion->advance(currentTime); }

private:
    SpringMotion *m_motion;
};

SpringMotion::SpringMotion(QObject *parent) : QObject(parent), m_ticker(new SpringTicker(this))
{
    connect(m_ticker, &QAbstractAnimation::stateChanged, this, &SpringMotion::runningChanged);
}

SpringMotion::~SpringMotion()
{
    m_ticker->stop();
}

bool SpringMotion::isRunning() const
{
    return m_ticker->state() == QAbstractAnimation::Running;
}

void SpringMotion::setTo(double target)
{
    if (!m_initialised) {
        jumpTo(target);
        return;
    }
    animateTo(target, m_spring.response, m_spring.damping, 0);
}

void SpringMotion::setResponse(double response)
{
    if (response <= 0 || response == m_spring.response)
        return;
    m_spring.response = response;
    emit springChanged();
}

void SpringMotion::setDamping(double damping)
{
    if (damping <= 0 || damping == m_spring.damping)
        return;
    m_spring.damping = damping;
    emit springChanged();
}

void SpringMotion::animateTo(double target, double response, double damping, double delaySeconds)
{
    // Carry the velocity of a motion in flight into the new one.
    SpringEasing::State now{m_value - m_target, 0};
    if (isRunning()) {
        const double t = m_lastElapsed - m_delay;
        if (t > 0)
            now = m_spring.stateAt(m_start, t);
        m_ticker->stop();
    }
    setResponse(response);
    setDamping(damping);
    m_initialised = true;
    const bool targetChanged = target != m_target;
    m_target = target;
    m_start = {m_value - target, now.velocity};
    m_delay = std::max(0.0, delaySeconds);
    m_lastElapsed = 0;
    if (targetChanged)
        emit toChanged();
    if (m_start.position != 0 || m_start.velocity != 0)
        m_ticker->start();
}

void SpringMotion::jumpTo(double target)
{
    m_ticker->stop();
    m_initialised = true;
    const bool targetChanged = target != m_target;
    m_target = target;
    m_start = {};
    if (targetChanged)
        emit toChanged();
    setValue(target);
}

void SpringMotion::advance(int elapsedMs)
{
    m_lastElapsed = elapsedMs / 1000.0;
    const double t = m_lastElapsed - m_delay;
    if (t <= 0)
        return;
    const SpringEasing::State s = m_spring.stateAt(m_start, t);
    // Rest is judged relative to how far the motion had to go, so pixels, degrees and
    // fractions all end at the same relative precision.
    const double omega = 2 * std::numbers::pi / m_spring.response;
    const double scale = std::max(std::abs(m_start.position) + std::abs(m_start.velocity) / omega, 1e-9);
    if (std::abs(s.position) < 1e-4 * scale && std::abs(s.velocity) < 1e-4 * scale * omega) {
        m_ticker->stop();
        setValue(m_target);
        return;
    }
    setValue(m_target + s.position);
}

void SpringMotion::setValue(double value)
{
    if (value == m_value)
        return;
    m_value = value;
    emit valueChanged();
}
