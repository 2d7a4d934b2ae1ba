#include "LookBack.h"

namespace LookBack {

QDate dayAfter(const QDateTime &readingDate, After after)
{
    const QDate day = readingDate.toLocalTime().date();
    switch (after) {
    case After::Week:
        return day.addDays(7);
    case After::Month:
        return day.addMonths(1);
    case After::ThreeMonths:
        return day.addMonths(3);
    }
    return {};
}

bool isDue(QDate day, QDate today)
{
    return day.isValid() && today.isValid() && day <= today;
}

QString stored(QDate day)
{
    return day.isValid() ? day.toString(Qt::ISODate) : QString();
}

QDate fromStored(const QString &text)
{
    return QDate::fromString(text, Qt::ISODate);
}

} // namespace LookBack
