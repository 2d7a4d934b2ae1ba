#include "MoodPalette.h"

#include "JournalEntry.h"

QStringList MoodPalette::moods() const
{
    return JournalEntry::moods();
}

QColor MoodPalette::color(const QString &mood) const
{
    return JournalEntry::moodColor(mood);
}

QString MoodPalette::toggled(const QString &current, const QString &chosen)
{
    const bool same = current.isEmpty() ? chosen.isEmpty() : current == chosen;
    return same ? QString() : chosen;
}
