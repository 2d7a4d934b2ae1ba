#include "MoonPhase.h"

#include <QTimeZone>

#include <cmath>
#include <numbers>

MoonPhase MoonPhase::forDate(const QDateTime &date)
{
    // A new moon on 6 January 2000 at 18:14 UTC.
    static const QDateTime referenceNewMoon(QDate(2000, 1, 6), QTime(18, 14), QTimeZone::utc());
    const QDateTime reference = referenceNewMoon.isValid() ? referenceNewMoon : QDateTime::currentDateTime();
    const double days = static_cast<double>(reference.msecsTo(date)) / 1000.0 / 86400.0;
    double age = std::fmod(days, synodicMonthDays);
    if (age < 0)
        age += synodicMonthDays;
    return fromFraction(age / synodicMonthDays);
}

MoonPhase MoonPhase::fromFraction(double fraction)
{
    // Eight equal phases, each centred on its own eighth: new moon covers both ends.
    static constexpr double upperBounds[] = {0.0625, 0.1875, 0.3125, 0.4375, 0.5625, 0.6875, 0.8125, 0.9375};
    for (int i = 0; i < 8; ++i)
        if (fraction < upperBounds[i])
            return MoonPhase(i);
    return MoonPhase(0);
}

QString MoonPhase::name() const
{
    static const QStringList names{QStringLiteral("New Moon"),      QStringLiteral("Waxing Crescent"),
                                   QStringLiteral("First Quarter"), QStringLiteral("Waxing Gibbous"),
                                   QStringLiteral("Full Moon"),     QStringLiteral("Waning Gibbous"),
                                   QStringLiteral("Last Quarter"),  QStringLiteral("Waning Crescent")};
    return names.value(m_index);
}

QString MoonPhase::symbol() const
{
    const char32_t codePoint = 0x1F311 + static_cast<char32_t>(m_index);
    return QString::fromUcs4(&codePoint, 1);
}

double MoonPhase::litFraction() const
{
    // The lit part of the disc grows with the moon's angle from the sun: (1 - cos a) / 2, with
    // the phase's middle at a = index × 45°.
    const double angle = m_index * std::numbers::pi / 4;
    const double lit = (1 - std::cos(angle)) / 2;
    return std::abs(lit) < 1e-12 ? 0.0 : lit;
}
