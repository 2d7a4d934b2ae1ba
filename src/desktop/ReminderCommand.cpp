#include "ReminderCommand.h"

#include "DailyReminder.h"
#include "NotificationPoster.h"
#include "Scheduler.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QHash>
#include <QProcess>

QStringList ReminderCommand::arguments(const NotificationRequest &request)
{
    return {QString::fromLatin1(flag),
            QStringLiteral("--identifier"),
            request.identifier,
            QStringLiteral("--title"),
            request.title,
            QStringLiteral("--body"),
            request.body,
            QStringLiteral("--sound"),
            request.soundName};
}

std::optional<NotificationRequest> ReminderCommand::parse(const QStringList &arguments)
{
    if (!arguments.contains(QString::fromLatin1(flag)))
        return std::nullopt;
    NotificationRequest request = DailyReminder::request(QTime(0, 0));
    // Options are read in order, so a text that looks like an option stays a text. Missing
    // options keep the daily reminder's own texts.
    const QHash<QString, QString *> fields{{QStringLiteral("--identifier"), &request.identifier},
                                           {QStringLiteral("--title"), &request.title},
                                           {QStringLiteral("--body"), &request.body},
                                           {QStringLiteral("--sound"), &request.soundName}};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (QString *field = fields.value(arguments.at(i)); field && i + 1 < arguments.size())
            *field = arguments.at(++i);
    }
    return request;
}

void ReminderCommand::openDailyCard(const QDBusConnection &bus, const QString &executable)
{
    const QString instance = QStringLiteral("com.quillmoor.tarot");
    if (bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(instance).value()) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(instance, QStringLiteral("/com/quillmoor/tarot"),
                                           QStringLiteral("com.quillmoor.tarot.Instance"), QStringLiteral("Activate"));
        call << QStringList{QString::fromLatin1(dailyCardArgument)};
        if (bus.call(call, QDBus::Block, 5000).type() == QDBusMessage::ReplyMessage)
            return;
    }
    QProcess::startDetached(executable, {QString::fromLatin1(dailyCardArgument)});
}

int ReminderCommand::run(int argc, char **argv, const std::function<int()> &readingsDue)
{
    QCoreApplication app(argc, argv);
    const std::optional<NotificationRequest> request = parse(QCoreApplication::arguments().mid(1));
    if (!request)
        return 2;
    QDBusConnection bus = QDBusConnection::sessionBus();
    NotificationPoster poster(bus, Scheduler::system());
    QObject::connect(&poster, &NotificationPoster::activated, &app,
                     [&bus] { openDailyCard(bus, QCoreApplication::applicationFilePath()); });
    QObject::connect(&poster, &NotificationPoster::finished, &app,
                     [](bool shown) { QCoreApplication::exit(shown ? 0 : 1); });
    poster.post(readingsDue ? DailyReminder::withReadingsDue(*request, readingsDue()) : *request);
    return QCoreApplication::exec();
}
