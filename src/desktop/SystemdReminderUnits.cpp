#include "SystemdReminderUnits.h"

#include "ReminderCommand.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

Q_LOGGING_CATEGORY(lcReminderUnits, "com.quillmoor.tarot.Reminder")

namespace {

QString unitStem(const QString &identifier)
{
    // Unit names allow only a few characters; anything else becomes an underscore.
    QString stem = QStringLiteral("quillmoor-tarot-");
    for (QChar c : identifier) {
        const bool allowed = (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('_') ||
                             c == QLatin1Char('-') || c == QLatin1Char('.');
        stem += allowed ? c : QLatin1Char('_');
    }
    return stem;
}

QString hourMinute(QTime time)
{
    return QStringLiteral("%1:%2")
        .arg(time.hour(), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'));
}

} // namespace

SystemdReminderUnits::SystemdReminderUnits(const QDBusConnection &bus, const QString &unitFolder,
                                           const QString &executable, QObject *parent)
    : QObject(parent), m_bus(bus), m_folder(unitFolder), m_executable(executable)
{}

QString SystemdReminderUnits::timerName(const QString &identifier)
{
    return unitStem(identifier) + QStringLiteral(".timer");
}

QString SystemdReminderUnits::serviceName(const QString &identifier)
{
    return unitStem(identifier) + QStringLiteral(".service");
}

QString SystemdReminderUnits::defaultUnitFolder()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/systemd/user");
}

QString SystemdReminderUnits::execWord(const QString &word, bool isExecutable)
{
    QString quoted;
    quoted.reserve(word.size() + 2);
    quoted += QLatin1Char('"');
    for (QChar c : word) {
        switch (c.unicode()) {
        case '\\':
            quoted += QStringLiteral("\\\\");
            break;
        case '"':
            quoted += QStringLiteral("\\\"");
            break;
        case '\n':
            quoted += QStringLiteral("\\n");
            break;
        case '\t':
            quoted += QStringLiteral("\\t");
            break;
        case '%':
            quoted += QStringLiteral("%%");
            break;
        case '$':
            // Variables are expanded in the arguments only, not in the program's path.
            quoted += isExecutable ? QStringLiteral("$") : QStringLiteral("$$");
            break;
        default:
            quoted += c;
        }
    }
    quoted += QLatin1Char('"');
    return quoted;
}

QString SystemdReminderUnits::execLine(const QString &executable, const QStringList &arguments)
{
    QStringList words;
    // systemd refuses a program path with quotes, backslashes or control characters; such a
    // path is handed to env as an argument instead.
    const bool plain = std::none_of(executable.cbegin(), executable.cend(), [](QChar c) {
        return c == QLatin1Char('"') || c == QLatin1Char('\'') || c == QLatin1Char('\\') ||
               c.category() == QChar::Other_Control;
    });
    if (plain) {
        words.append(execWord(executable, true));
    } else {
        words.append(QStringLiteral("/usr/bin/env"));
        words.append(execWord(executable, false));
    }
    for (const QString &argument : arguments)
        words.append(execWord(argument, false));
    return words.join(QLatin1Char(' '));
}

QString SystemdReminderUnits::serviceUnit(const NotificationRequest &request, const QString &executable)
{
    return QStringLiteral("[Unit]\n"
                          "Description=Quillmoor Tarot reminder %1\n"
                          "\n"
                          "[Service]\n"
                          "Type=exec\n"
                          "ExecStart=%2\n")
        .arg(unitStem(request.identifier), execLine(executable, ReminderCommand::arguments(request)));
}

QString SystemdReminderUnits::timerUnit(const NotificationRequest &request)
{
    return QStringLiteral("[Unit]\n"
                          "Description=Quillmoor Tarot reminder %1, every day at %2\n"
                          "\n"
                          "[Timer]\n"
                          "OnCalendar=*-*-* %2:00\n"
                          "Persistent=false\n"
                          "AccuracySec=1s\n"
                          "Unit=%3\n"
                          "\n"
                          "[Install]\n"
                          "WantedBy=timers.target\n")
        .arg(unitStem(request.identifier), hourMinute(request.time), serviceName(request.identifier));
}

void SystemdReminderUnits::apply(const QString &identifier, const std::optional<NotificationRequest> &request)
{
    m_wanted.insert(identifier, request);
    // Start on the next turn of the event loop: a removal followed at once by an addition,
    // as every rescheduling is, becomes one round.
    if (!m_busy) {
        m_busy = true;
        QMetaObject::invokeMethod(this, &SystemdReminderUnits::startNext, Qt::QueuedConnection);
    }
}

QDBusMessage SystemdReminderUnits::managerCall(const QString &method) const
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.systemd1"),
                                          QStringLiteral("/org/freedesktop/systemd1"),
                                          QStringLiteral("org.freedesktop.systemd1.Manager"), method);
}

bool SystemdReminderUnits::writeUnits(const NotificationRequest &request)
{
    if (!QDir().mkpath(m_folder))
        return false;
    const QList<std::pair<QString, QString>> files{
        {serviceName(request.identifier), serviceUnit(request, m_executable)},
        {timerName(request.identifier), timerUnit(request)},
    };
    for (const auto &[name, text] : files) {
        QSaveFile file(QDir(m_folder).filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
            qCWarning(lcReminderUnits, "Cannot write %s: %s", qUtf8Printable(file.fileName()),
                      qUtf8Printable(file.errorString()));
            return false;
        }
    }
    return true;
}

void SystemdReminderUnits::removeUnitFiles(const QString &identifier)
{
    QFile::remove(QDir(m_folder).filePath(timerName(identifier)));
    QFile::remove(QDir(m_folder).filePath(serviceName(identifier)));
}

void SystemdReminderUnits::startNext()
{
    QString identifier;
    for (auto it = m_wanted.cbegin(); it != m_wanted.cend(); ++it) {
        if (!m_applied.contains(it.key()) || m_applied.value(it.key()) != it.value()) {
            identifier = it.key();
            break;
        }
    }
    if (identifier.isNull()) {
        m_busy = false;
        emit idle();
        return;
    }
    const std::optional<NotificationRequest> request = m_wanted.value(identifier);
    m_applied.insert(identifier, request);
    const QString timer = timerName(identifier);
    const QString mode = QStringLiteral("replace");

    // The old timer goes first, whatever an earlier run left behind, so there is at most one.
    QList<Step> steps{
        [=, this] { return managerCall(QStringLiteral("StopUnit")) << timer << mode; },
        [=, this] { return managerCall(QStringLiteral("DisableUnitFiles")) << QStringList{timer} << false; },
        [=, this]() -> std::optional<QDBusMessage> {
            removeUnitFiles(identifier);
            if (request && !writeUnits(*request))
                removeUnitFiles(identifier);
            return managerCall(QStringLiteral("Reload"));
        },
    };
    if (request) {
        steps.append([=, this]() -> std::optional<QDBusMessage> {
            if (!QFile::exists(QDir(m_folder).filePath(timer)))
                return std::nullopt;
            return managerCall(QStringLiteral("EnableUnitFiles")) << QStringList{timer} << false << true;
        });
        steps.append([=, this]() -> std::optional<QDBusMessage> {
            if (!QFile::exists(QDir(m_folder).filePath(timer)))
                return std::nullopt;
            return managerCall(QStringLiteral("StartUnit")) << timer << mode;
        });
    }
    runSteps(steps);
}

void SystemdReminderUnits::runSteps(QList<Step> steps)
{
    while (!steps.isEmpty()) {
        const std::optional<QDBusMessage> call = steps.takeFirst()();
        if (!call)
            continue;
        // Each call waits for the answer to the one before: Reload must finish before the
        // new timer is enabled. Errors (a timer that was not loaded) do not stop the rest.
        auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(*call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, steps, member = call->member()] {
            watcher->deleteLater();
            if (watcher->isError())
                qCDebug(lcReminderUnits, "%s: %s", qUtf8Printable(member), qUtf8Printable(watcher->error().message()));
            runSteps(steps);
        });
        return;
    }
    startNext();
}
