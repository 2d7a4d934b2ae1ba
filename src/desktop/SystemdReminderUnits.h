#pragma once

#include "NotificationCenter.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>

#include <functional>
#include <optional>

class QDBusMessage;

// Daily requests kept by the user's service manager: one timer and one service per request
// identifier in the user's unit folder. The service runs this application's executable with
// the reminder flag, which posts the notification and exits. Changes go to systemd over the
// session bus one after another; while one runs, later changes of the same request are merged
// into the next round, so a quick run of time changes reloads systemd only a few times.
class SystemdReminderUnits : public QObject
{
    Q_OBJECT

public:
    // `unitFolder` is where user units live ($XDG_CONFIG_HOME/systemd/user); `executable` is
    // the absolute path the service runs.
    SystemdReminderUnits(const QDBusConnection &bus, const QString &unitFolder, const QString &executable,
                         QObject *parent = nullptr);

    // Replaces whatever is installed for `identifier` by `request`; none removes it.
    void apply(const QString &identifier, const std::optional<NotificationRequest> &request);
    bool isBusy() const { return m_busy; }

    static QString timerName(const QString &identifier);
    static QString serviceName(const QString &identifier);
    static QString timerUnit(const NotificationRequest &request);
    static QString serviceUnit(const NotificationRequest &request, const QString &executable);
    // The command of an ExecStart= line: every word quoted and escaped so that systemd
    // neither splits it nor expands specifiers (%) or variables ($).
    static QString execLine(const QString &executable, const QStringList &arguments);
    // The user's unit folder by the XDG rules.
    static QString defaultUnitFolder();

signals:
    // Every requested change has been handed to systemd.
    void idle();

private:
    static QString execWord(const QString &word, bool isExecutable);
    using Step = std::function<std::optional<QDBusMessage>()>;
    void startNext();
    void runSteps(QList<Step> steps);
    QDBusMessage managerCall(const QString &method) const;
    bool writeUnits(const NotificationRequest &request);
    void removeUnitFiles(const QString &identifier);

    QDBusConnection m_bus;
    QString m_folder;
    QString m_executable;
    bool m_busy = false;
    // What each identifier should have, and what was last handed to systemd.
    QHash<QString, std::optional<NotificationRequest>> m_wanted;
    QHash<QString, std::optional<NotificationRequest>> m_applied;
};
