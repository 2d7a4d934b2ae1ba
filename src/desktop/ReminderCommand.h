#pragma once

#include "NotificationCenter.h"

#include <QDBusConnection>
#include <QStringList>

#include <functional>
#include <optional>

// The application started by the reminder's timer: it posts the notification without opening
// a window, waits for it to be closed or clicked (a click opens the application on the Daily
// Card) and exits.
namespace ReminderCommand {

inline constexpr char flag[] = "--post-daily-reminder";
// The argument that asks a launch of the application to show the Daily Card.
inline constexpr char dailyCardArgument[] = "--daily-card";

// The command-line arguments, after the executable, that post `request`.
QStringList arguments(const NotificationRequest &request);
// The request those arguments describe; none when they do not ask for a reminder.
std::optional<NotificationRequest> parse(const QStringList &arguments);
// Runs the reminder process and returns its exit code: 0 when the notification was shown.
// `readingsDue`, when given, counts the readings waiting to be looked back on, for the body.
int run(int argc, char **argv, const std::function<int()> &readingsDue = {});

// Shows the Daily Card: hands over to the running application on `bus`, or starts
// `executable` when none runs.
void openDailyCard(const QDBusConnection &bus, const QString &executable);

} // namespace ReminderCommand
