#include "DateFormat.h"

#include <QRegularExpression>

namespace DateFormat {

namespace {

// The locale's long date pattern with the weekday and the separator next to it removed.
QString longPatternWithoutWeekday(const QLocale &locale)
{
    static const QRegularExpression weekday(QStringLiteral("^dddd[,.]?\\s*|[,.]?\\s*dddd"));
    return locale.dateFormat(QLocale::LongFormat).remove(weekday).trimmed();
}

} // namespace

QString longDatePattern(const QLocale &locale)
{
    return longPatternWithoutWeekday(locale);
}

QString longDate(QDate date, const QLocale &locale)
{
    return locale.toString(date, longPatternWithoutWeekday(locale));
}

QString mediumDate(QDate date, const QLocale &locale)
{
    QString pattern = longPatternWithoutWeekday(locale);
    pattern.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    return locale.toString(date, pattern);
}

} // namespace DateFormat
