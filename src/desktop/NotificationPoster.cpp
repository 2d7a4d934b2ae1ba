#include "NotificationPoster.h"

#include "Scheduler.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QGuiApplication>

namespace {

QString interfaceName()
{
    return QStringLiteral("org.freedesktop.Notifications");
}

QString defaultAction()
{
    return QStringLiteral("default");
}

} // namespace

NotificationPoster::NotificationPoster(const QDBusConnection &bus, Scheduler &scheduler, QObject *parent)
    : QObject(parent), m_bus(bus), m_scheduler(scheduler)
{}

QString NotificationPoster::service()
{
    return QStringLiteral("org.freedesktop.Notifications");
}

QString NotificationPoster::path()
{
    return QStringLiteral("/org/freedesktop/Notifications");
}

void NotificationPoster::post(const NotificationRequest &request)
{
    if (!m_bus.isConnected()) {
        // Not inside the call: the caller connects to finished() first.
        m_scheduler.schedule(0, this, [this] { finish(false); });
        return;
    }
    // Listen before sending, so a fast click or close is not missed.
    m_bus.connect(service(), path(), interfaceName(), QStringLiteral("NotificationClosed"), this,
                  SLOT(onClosed(uint, uint)));
    m_bus.connect(service(), path(), interfaceName(), QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));

    QVariantMap hints{{QStringLiteral("urgency"), QVariant::fromValue(uchar(1))}};
    const QString desktopEntry = QGuiApplication::desktopFileName();
    if (!desktopEntry.isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), desktopEntry);
    if (request.soundName.isEmpty())
        hints.insert(QStringLiteral("suppress-sound"), true);
    else
        hints.insert(QStringLiteral("sound-name"), request.soundName);

    QDBusMessage notify = QDBusMessage::createMethodCall(service(), path(), interfaceName(), QStringLiteral("Notify"));
    notify << QCoreApplication::applicationName() << uint(0) << desktopEntry << request.title << request.body
           << QStringList{defaultAction(), tr("Open")} << hints << int(-1);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        posted(watcher->reply());
    });
    m_scheduler.schedule(waitLimitMs, this, [this] { finish(true); });
}

void NotificationPoster::posted(const QDBusMessage &reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        finish(false);
        return;
    }
    m_id = reply.arguments().constFirst().toUInt();
    if (m_clickedEarly.contains(m_id))
        onActionInvoked(m_id, defaultAction());
    else if (m_closedEarly.contains(m_id))
        onClosed(m_id, 0);
}

void NotificationPoster::onClosed(uint id, uint)
{
    if (m_id == 0)
        m_closedEarly.insert(id);
    else if (id == m_id)
        finish(true);
}

void NotificationPoster::onActionInvoked(uint id, const QString &action)
{
    if (action != defaultAction())
        return;
    if (m_id == 0) {
        m_clickedEarly.insert(id);
    } else if (id == m_id && !m_done) {
        emit activated();
        finish(true);
    }
}

void NotificationPoster::finish(bool shown)
{
    if (m_done)
        return;
    m_done = true;
    emit finished(shown);
}
