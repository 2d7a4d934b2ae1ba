#include "JournalEntry.h"

#include "Clock.h"

JournalEntry::JournalEntry(QObject *parent) : Record(parent), m_date(Clock::now())
{}

JournalEntry::JournalEntry(const QDateTime &day, QObject *parent)
    : Record(parent), m_date(day.toLocalTime().date().startOfDay())
{}

const QStringList &JournalEntry::moods()
{
    static const QStringList words{QStringLiteral("Peaceful"),   QStringLiteral("Energized"),
                                   QStringLiteral("Thoughtful"), QStringLiteral("Grateful"),
                                   QStringLiteral("Anxious"),    QStringLiteral("Hopeful"),
                                   QStringLiteral("Uncertain"),  QStringLiteral("Joyful")};
    return words;
}

QColor JournalEntry::moodColor(const QString &mood)
{
    // The desktop's dark-appearance system colours.
    const auto system = [](QRgb rgb, double opacity = 1.0) {
        QColor c = QColor::fromRgb(rgb);
        c.setAlphaF(static_cast<float>(opacity));
        return c;
    };
    if (mood == QLatin1String("Peaceful"))
        return system(0x0A84FF, 0.7);
    if (mood == QLatin1String("Energized"))
        return system(0xFF9F0A);
    if (mood == QLatin1String("Thoughtful"))
        return system(0xBF5AF2);
    if (mood == QLatin1String("Grateful"))
        return system(0xC4973B);
    if (mood == QLatin1String("Anxious"))
        return system(0xFF453A, 0.7);
    if (mood == QLatin1String("Hopeful"))
        return system(0x30D158);
    if (mood == QLatin1String("Joyful"))
        return system(0xFFD60A);
    return system(0x98989D);
}
