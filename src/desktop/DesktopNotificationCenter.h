#pragma once

#include "NotificationCenter.h"

#include <QDBusConnection>
#include <QHash>

#include <functional>
#include <memory>
#include <optional>

class InProcessReminder;
class Scheduler;
class SystemdReminderUnits;

// The notification centre of a freedesktop session. Permission means a notification server
// answers on the session bus. Daily requests become systemd user timers when the user's service
// manager is on the bus; otherwise a timer of this process keeps them while it runs.
class DesktopNotificationCenter : public NotificationCenter
{
    Q_OBJECT

public:
    // `unitFolder` and `executable` are handed to the systemd timers; `scheduler` times the
    // fallback timer and the notifications this process posts itself.
    DesktopNotificationCenter(const QDBusConnection &bus, const QString &unitFolder, const QString &executable,
                              Scheduler &scheduler, QObject *parent = nullptr);
    ~DesktopNotificationCenter() override;

    void requestAuthorization(QObject *receiver, Answer answer) override;
    void removePendingRequest(const QString &identifier) override;
    void add(const NotificationRequest &request) override;
    bool deliversWhileClosed() const override;
    // Gives the last word on a notification this process posts, just before it is shown.
    void setBeforePosting(std::function<NotificationRequest(NotificationRequest)> prepare)
    {
        m_beforePosting = std::move(prepare);
    }

    // Whether the bus has been asked yet if the user's service manager runs.
    bool knowsServiceManager() const { return m_hasServiceManager.has_value(); }
    SystemdReminderUnits &units() { return *m_units; }
    InProcessReminder &inProcess() { return *m_inProcess; }

signals:
    void serviceManagerKnown();

private:
    void apply(const QString &identifier, const std::optional<NotificationRequest> &request);
    void post(const NotificationRequest &request);

    QDBusConnection m_bus;
    Scheduler &m_scheduler;
    std::optional<bool> m_hasServiceManager;
    std::unique_ptr<SystemdReminderUnits> m_units;
    std::unique_ptr<InProcessReminder> m_inProcess;
    std::function<NotificationRequest(NotificationRequest)> m_beforePosting;
    // Requests waiting for the answer about the service manager.
    QHash<QString, std::optional<NotificationRequest>> m_waiting;
};
