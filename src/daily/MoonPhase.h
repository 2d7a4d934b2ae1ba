#pragma once

#include <QDateTime>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// The moon's phase on a date, from the age of the moon since a known new moon.
class MoonPhase
{
    Q_GADGET
    QML_VALUE_TYPE(moonPhase)
    Q_PROPERTY(int index READ index CONSTANT)
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QString symbol READ symbol CONSTANT)
    Q_PROPERTY(double litFraction READ litFraction CONSTANT)
    Q_PROPERTY(bool litOnRight READ litOnRight CONSTANT)

public:
    static constexpr double synodicMonthDays = 29.53058770576;

    MoonPhase() = default;
    static MoonPhase forDate(const QDateTime &date);
    // The phase that a fraction of the synodic month (0 ≤ f < 1) falls in.
    static MoonPhase fromFraction(double fraction);

    int index() const { return m_index; }
    QString name() const;
    // The Unicode moon-phase symbol, U+1F311 to U+1F318.
    QString symbol() const;
    // How much of the disc the phase shows lit, from 0 (new) through 0.5 (the quarters) to 1
    // (full), as the moon looks in the middle of the phase.
    double litFraction() const;
    // Which side is lit, as seen from the northern hemisphere: the right while the moon waxes,
    // the left while it wanes.
    bool litOnRight() const { return m_index <= 4; }

    bool operator==(const MoonPhase &) const = default;

private:
    explicit MoonPhase(int index) : m_index(index) {}
    int m_index = 0;
};
