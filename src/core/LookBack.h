#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// When to go back to a reading and write how it turned out. The day is a calendar day where
// the user lives: chosen as "in a week" (or a month, three months) from the reading's own day,
// it comes due at the start of that day whatever the clock changes or time zone in between.
namespace LookBack {

enum class After { Week, Month, ThreeMonths };

// The day `after` the local day of a reading made at `readingDate`. A month after the 31st is
// the last day of a shorter month.
QDate dayAfter(const QDateTime &readingDate, After after);
// Whether a look-back set for `day` is due on `today` (both local days); an unset day never is.
bool isDue(QDate day, QDate today);
// The stored form of a look-back day ("yyyy-MM-dd", empty for none) and back.
QString stored(QDate day);
QDate fromStored(const QString &text);

} // namespace LookBack
