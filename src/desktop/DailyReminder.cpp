#include "DailyReminder.h"

#include <QCoreApplication>

QString DailyReminder::identifier()
{
    return QStringLiteral("daily_card_reminder");
}

NotificationRequest DailyReminder::request(QTime time)
{
    return NotificationRequest{
        identifier(),
        QCoreApplication::translate("DailyReminder", "Daily Tarot Card"),
        QCoreApplication::translate("DailyReminder", "Your daily card awaits. Take a moment to draw and reflect."),
        // The sound theme's name for an incoming message: the desktop's usual notification sound.
        QStringLiteral("message-new-instant"),
        QTime(time.hour(), time.minute()),
    };
}

void DailyReminder::schedule(NotificationCenter &center, const QDateTime &at)
{
    center.removePendingRequest(identifier());
    center.add(request(at.toLocalTime().time()));
}

NotificationRequest DailyReminder::withReadingsDue(NotificationRequest request, int readingsDue)
{
    if (request.identifier != identifier() || readingsDue <= 0)
        return request;
    request.body =
        readingsDue == 1
            ? QCoreApplication::translate("DailyReminder", "Your daily card awaits, and 1 reading to look "
                                                           "back on. Take a moment to draw and reflect.")
            : QCoreApplication::translate("DailyReminder", "Your daily card awaits, and %1 readings to "
                                                           "look back on. Take a moment to draw and reflect.")
                  .arg(readingsDue);
    return request;
}

void DailyReminder::cancel(NotificationCenter &center)
{
    center.removePendingRequest(identifier());
}
