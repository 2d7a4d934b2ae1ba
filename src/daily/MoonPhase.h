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

    bool operator==(const MoonPhase &) const = default;

private:
    explicit MoonPhase(int index) : m_index(index) {}
    int m_index = 0;
};
