#pragma once

#include "NotificationCenter.h"

#include <QDBusConnection>
#include <QObject>
#include <QSet>

class QDBusMessage;
class Scheduler;

// Shows one notification through the desktop's notification server
// (org.freedesktop.Notifications) and follows it until it is closed, clicked or has waited
// long enough. Clicking it (the "default" action) reports activated().
class NotificationPoster : public QObject
{
    Q_OBJECT

public:
    // After this long nobody listens for a click any more; the server may still show it.
    static constexpr int waitLimitMs = 30 * 60 * 1000;

    NotificationPoster(const QDBusConnection &bus, Scheduler &scheduler, QObject *parent = nullptr);

    // Sends the notification; call once.
    void post(const NotificationRequest &request);

    static QString service();
    static QString path();

signals:
    void activated();
    // The notification is done with: closed, clicked, timed out, or it could not be shown
    // (`shown` is false then).
    void finished(bool shown);

private slots:
    void onClosed(uint id, uint reason);
    void onActionInvoked(uint id, const QString &action);

private:
    void posted(const QDBusMessage &reply);
    void finish(bool shown);

    QDBusConnection m_bus;
    Scheduler &m_scheduler;
    uint m_id = 0;
    bool m_done = false;
    // Signals that arrived before the server told us our notification's id.
    QSet<uint> m_closedEarly;
    QSet<uint> m_clickedEarly;
};
