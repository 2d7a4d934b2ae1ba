#pragma once

#include "NotificationCenter.h"

#include <QDateTime>

// The one daily reminder notification: "Daily Tarot Card" at the chosen hour and minute.
namespace DailyReminder {

QString identifier();
// The reminder at the hour and minute of `time`.
NotificationRequest request(QTime time);
// Replaces the pending reminder by one at the local hour and minute of `at`, without waiting
// for or checking the outcome.
void schedule(NotificationCenter &center, const QDateTime &at);
void cancel(NotificationCenter &center);
// The reminder as it is shown when `readingsDue` readings wait to be looked back on: the body
// says so. Other notifications, and none due, are left as they are.
NotificationRequest withReadingsDue(NotificationRequest request, int readingsDue);

} // namespace DailyReminder
