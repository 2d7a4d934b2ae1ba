#pragma once

#include <QAbstractAnimation>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// A spring described by its response (the period of the undamped oscillation, in seconds) and
// its damping fraction (1 is critical damping, below 1 overshoots). It moves a value towards a
// target as a damped harmonic oscillator with ω = 2π / response and ζ = damping.
struct SpringEasing
{
    double response = 0.5;
    double damping = 0.825;

    struct State
    {
        double position = 0; // distance from the target
        double velocity = 0; // per second
    };

    // The oscillator's closed-form state `seconds` after starting at `start` (distance from the
    // target and velocity), with the target fixed at 0.
    State stateAt(State start, double seconds) const;
    // Progress from 0 to 1 after `seconds` when starting at rest: 1 − position of a unit
    // displacement. Overshoots above 1 when damping < 1.
    double progress(double seconds) const;
    // The time after which a unit step stays within `tolerance` of its target and moves slower
    // than `tolerance` per second; the motion ends there.
    double settlingTime(double tolerance = 0.0005) const;
};

class SpringTicker;

// One value moving on a spring towards `to`. Used by every spring animation of the views:
// QML binds to `value`; retargeting keeps the current velocity, so a new target mid-flight
// bends the motion smoothly instead of restarting it. Driven by Qt's animation timer, like the
// toolkit's own animations.
class SpringMotion : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double value READ value NOTIFY valueChanged)
    Q_PROPERTY(double to READ to WRITE setTo NOTIFY toChanged)
    Q_PROPERTY(double response READ response WRITE setResponse NOTIFY springChanged)
    Q_PROPERTY(double damping READ damping WRITE setDamping NOTIFY springChanged)
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)

public:
    explicit SpringMotion(QObject *parent = nullptr);
    ~SpringMotion() override;

    double value() const { return m_value; }
    double to() const { return m_target; }
    double response() const { return m_spring.response; }
    double damping() const { return m_spring.damping; }
    bool isRunning() const;

    // Moves towards the new target with the current spring. The first target a motion gets,
    // before it has ever moved, is taken at once so that views start at rest.
    void setTo(double target);
    void setResponse(double response);
    void setDamping(double damping);

    // Starts towards `target` with this spring after `delaySeconds`.
    Q_INVOKABLE void animateTo(double target, double response, double damping, double delaySeconds = 0);
    // Stops any motion and places the value at `target`.
    Q_INVOKABLE void jumpTo(double target);

signals:
    void valueChanged();
    void toChanged();
    void springChanged();
    void runningChanged();

private:
    friend class SpringTicker;
    void advance(int elapsedMs);
    void setValue(double value);

    SpringEasing m_spring;
    double m_value = 0;
    double m_target = 0;
    double m_delay = 0;
    SpringEasing::State m_start;
    double m_lastElapsed = 0;
    bool m_initialised = false;
    SpringTicker *m_ticker = nullptr;
};
