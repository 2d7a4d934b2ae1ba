#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// Dates as the screens show them, in the user's locale.
namespace DateFormat {

// Month name, day and year without the weekday: "December 5, 2026" (en_US), "5 December 2026" (en_GB).
QString longDate(QDate date, const QLocale &locale = QLocale());
// The pattern longDate() uses, for formatting many dates in a row.
QString longDatePattern(const QLocale &locale = QLocale());
// The same with the abbreviated month: "Dec 5, 2026".
QString mediumDate(QDate date, const QLocale &locale = QLocale());

} // namespace DateFormat
