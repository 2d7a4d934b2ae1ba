#include "AppSettings.h"

#include "Clock.h"

AppSettings::AppSettings(QObject *parent) : Record(parent)
{
    const QDateTime now = Clock::now();
    const QDateTime nineOClock(now.date(), QTime(9, 0));
    m_dailyReminderTime = nineOClock.isValid() ? nineOClock : now;
}
