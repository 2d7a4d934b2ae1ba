#include "DesktopNotificationCenter.h"

#include "InProcessReminder.h"
#include "NotificationPoster.h"
#include "Scheduler.h"
#include "SystemdReminderUnits.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>

DesktopNotificationCenter::DesktopNotificationCenter(const QDBusConnection &bus, const QString &unitFolder,
                                                     const QString &executable, Scheduler &scheduler, QObject *parent)
    : NotificationCenter(parent), m_bus(bus), m_scheduler(scheduler),
      m_units(std::make_unique<SystemdReminderUnits>(bus, unitFolder, executable)),
      m_inProcess(
          std::make_unique<InProcessReminder>(scheduler, [this](const NotificationRequest &request) { post(request); }))
{
    // Asked once, without blocking: systemd's user manager owns this name while it runs.
    QDBusMessage ask =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    ask << QStringLiteral("org.freedesktop.systemd1");
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<bool> reply = *watcher;
        m_hasServiceManager = reply.isValid() && reply.value();
        emit serviceManagerKnown();
        if (!*m_hasServiceManager)
            emit deliversWhileClosedChanged();
        const auto waiting = std::exchange(m_waiting, {});
        for (auto it = waiting.cbegin(); it != waiting.cend(); ++it)
            apply(it.key(), it.value());
    });
}

DesktopNotificationCenter::~DesktopNotificationCenter() = default;

bool DesktopNotificationCenter::deliversWhileClosed() const
{
    // Until the bus has answered, assume the usual desktop with a service manager.
    return m_hasServiceManager.value_or(true);
}

void DesktopNotificationCenter::requestAuthorization(QObject *receiver, Answer answer)
{
    QPointer<QObject> guard(receiver);
    if (!m_bus.isConnected()) {
        QMetaObject::invokeMethod(
            this,
            [guard, answer = std::move(answer)] {
                if (guard)
                    answer(false);
            },
            Qt::QueuedConnection);
        return;
    }
    QDBusMessage ask = QDBusMessage::createMethodCall(NotificationPoster::service(), NotificationPoster::path(),
                                                      QStringLiteral("org.freedesktop.Notifications"),
                                                      QStringLiteral("GetServerInformation"));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, guard, answer = std::move(answer)] {
        watcher->deleteLater();
        if (guard)
            answer(!watcher->isError());
    });
}

void DesktopNotificationCenter::removePendingRequest(const QString &identifier)
{
    apply(identifier, std::nullopt);
}

void DesktopNotificationCenter::add(const NotificationRequest &request)
{
    apply(request.identifier, request);
}

void DesktopNotificationCenter::apply(const QString &identifier, const std::optional<NotificationRequest> &request)
{
    if (!m_hasServiceManager) {
        m_waiting.insert(identifier, request);
        return;
    }
    if (*m_hasServiceManager)
        m_units->apply(identifier, request);
    else
        m_inProcess->set(identifier, request);
}

void DesktopNotificationCenter::post(const NotificationRequest &request)
{
    auto *poster = new NotificationPoster(m_bus, m_scheduler, this);
    connect(poster, &NotificationPoster::activated, this, [this, id = request.identifier] { emit activated(id); });
    connect(poster, &NotificationPoster::finished, poster, &QObject::deleteLater);
    poster->post(m_beforePosting ? m_beforePosting(request) : request);
}
