#include "ManualAnimationDriver.h"
#include "SpringEasing.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <numbers>

// The spring against an independent numerical solution of x'' = −ω²x − 2ζωx'.
class SpringEasingTest : public QObject
{
    Q_OBJECT

private slots:
    void matchesTheIntegratedOscillator_data()
    {
        QTest::addColumn<double>("response");
        QTest::addColumn<double>("damping");
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("velocity");
        QTest::newRow("flip 0.6/0.8 from rest") << 0.6 << 0.8 << 1.0 << 0.0;
        QTest::newRow("settle 0.3/0.6 bouncy") << 0.3 << 0.6 << -40.0 << 0.0;
        QTest::newRow("critical, moving away") << 0.4 << 1.0 << 10.0 << 200.0;
        QTest::newRow("overdamped") << 0.5 << 1.7 << -3.0 << 5.0;
        QTest::newRow("nearly critical") << 0.5 << 0.999999 << 1.0 << -1.0;
    }
    void matchesTheIntegratedOscillator()
    {
        QFETCH(double, response);
        QFETCH(double, damping);
        QFETCH(double, position);
        QFETCH(double, velocity);
        const SpringEasing spring{response, damping};
        const double omega = 2 * std::numbers::pi / response;
        auto accel = [&](double x, double v) { return -omega * omega * x - 2 * damping * omega * v; };
        double x = position;
        double v = velocity;
        const double dt = 1e-5;
        const double scale = std::abs(position) + std::abs(velocity) / omega;
        for (int step = 1; step <= 150000; ++step) {
            // Classic fourth-order Runge-Kutta.
            const double k1x = v, k1v = accel(x, v);
            const double k2x = v + dt / 2 * k1v, k2v = accel(x + dt / 2 * k1x, v + dt / 2 * k1v);
            const double k3x = v + dt / 2 * k2v, k3v = accel(x + dt / 2 * k2x, v + dt / 2 * k2v);
            const double k4x = v + dt * k3v, k4v = accel(x + dt * k3x, v + dt * k3v);
            x += dt / 6 * (k1x + 2 * k2x + 2 * k3x + k4x);
            v += dt / 6 * (k1v + 2 * k2v + 2 * k3v + k4v);
            if (step % 5000 == 0) {
                const SpringEasing::State s = spring.stateAt({position, velocity}, step * dt);
                QVERIFY2(std::abs(s.position - x) < 1e-6 * scale, qPrintable(QString::number(step * dt)));
                QVERIFY2(std::abs(s.velocity - v) < 1e-5 * scale * omega, qPrintable(QString::number(step * dt)));
            }
        }
    }

    void progressStartsAtZeroOvershootsWhenUnderdampedAndSettles()
    {
        const SpringEasing bouncy{0.3, 0.6};
        QCOMPARE(bouncy.progress(0), 0.0);
        double peak = 0;
        for (int ms = 0; ms < 1000; ++ms)
            peak = std::max(peak, bouncy.progress(ms / 1000.0));
        // Overshoot of a damped oscillator: e^(−πζ/√(1−ζ²)).
        QCOMPARE_LE(std::abs(peak - 1 - std::exp(-std::numbers::pi * 0.6 / 0.8)), 1e-3);
        QVERIFY(bouncy.settlingTime() > 0.2 && bouncy.settlingTime() < 1.0);
        QVERIFY(std::abs(bouncy.progress(bouncy.settlingTime()) - 1) <= 0.0005);
    }

    // A motion given a new target mid-flight keeps its speed rather than starting from rest.
    void motionRetargetsWithoutLosingSpeedAndComesToRest()
    {
        ManualAnimationDriver animation;
        SpringMotion motion;
        motion.jumpTo(0);
        motion.animateTo(100, 0.4, 0.9);
        animation.advanceBy(100);
        const double before = motion.value();
        QVERIFY(before > 30);
        motion.animateTo(0, 0.4, 0.9);
        animation.advanceBy(20);
        QVERIFY2(motion.value() > before, "still moving up right after the new target");
        animation.advanceBy(3000);
        QVERIFY(!motion.isRunning());
        QCOMPARE(motion.value(), 0.0);
    }
};

QTEST_GUILESS_MAIN(SpringEasingTest)
#include "tst_spring_easing.moc"
