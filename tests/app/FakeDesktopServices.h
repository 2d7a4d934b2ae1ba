#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// Stand-ins for the desktop's services, registered on a test's private bus.

// A notification server that remembers what it was asked to show.
class FakeNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Shown
    {
        QString appName, summary, body;
        QStringList actions;
        QVariantMap hints;
    };
    QList<Shown> shown;

    bool registerOn(QDBusConnection bus)
    {
        return bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                  QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) &&
               bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }
    // What the server sends when the user closes or clicks notification `id`.
    void close(uint id, uint reason = 2) { emit NotificationClosed(id, reason); }
    void click(uint id) { emit ActionInvoked(id, QStringLiteral("default")); }

public slots:
    uint Notify(const QString &appName, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &hints, int)
    {
        shown.append({appName, summary, body, actions, hints});
        return uint(100 + shown.size());
    }
    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion)
    {
        vendor = QStringLiteral("Test");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("fake-notifications");
    }

signals:
    void NotificationClosed(uint id, uint reason);
    void ActionInvoked(uint id, const QString &actionKey);
};

// The user's service manager, reduced to the calls the reminder makes. Each call is noted with
// its unit, and enabling a timer notes the timer file as it was at that moment.
class FakeServiceManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.systemd1.Manager")

public:
    explicit FakeServiceManager(const QString &unitFolder) : m_folder(unitFolder) {}
    QStringList calls;
    QStringList timersWhenEnabled;

    bool registerOn(QDBusConnection bus)
    {
        return bus.registerObject(QStringLiteral("/org/freedesktop/systemd1"), this, QDBusConnection::ExportAllSlots) &&
               bus.registerService(QStringLiteral("org.freedesktop.systemd1"));
    }

public slots:
    void Reload() { calls.append(QStringLiteral("Reload")); }
    void EnableUnitFiles(const QStringList &files, bool runtime, bool force)
    {
        calls.append(QStringLiteral("EnableUnitFiles ") + files.join(QLatin1Char(',')) + (runtime ? " runtime" : "") +
                     (force ? " force" : ""));
        for (const QString &file : files) {
            QFile unit(QDir(m_folder).filePath(file));
            timersWhenEnabled.append(unit.open(QIODevice::ReadOnly) ? QString::fromUtf8(unit.readAll()) : QString());
        }
    }
    void DisableUnitFiles(const QStringList &files, bool)
    {
        calls.append(QStringLiteral("DisableUnitFiles ") + files.join(QLatin1Char(',')));
    }
    QDBusObjectPath StartUnit(const QString &name, const QString &mode)
    {
        calls.append(QStringLiteral("StartUnit ") + name + QLatin1Char(' ') + mode);
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/systemd1/job/1"));
    }
    QDBusObjectPath StopUnit(const QString &name, const QString &mode)
    {
        calls.append(QStringLiteral("StopUnit ") + name + QLatin1Char(' ') + mode);
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/systemd1/job/2"));
    }

private:
    QString m_folder;
};

// The running application's single-instance object, noting what it is asked to show.
class FakeRunningInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.quillmoor.tarot.Instance")

public:
    QList<QStringList> activations;

    bool registerOn(QDBusConnection bus)
    {
        return bus.registerObject(QStringLiteral("/com/quillmoor/tarot"), this, QDBusConnection::ExportAllSlots) &&
               bus.registerService(QStringLiteral("com.quillmoor.tarot"));
    }

public slots:
    void Activate(const QStringList &arguments) { activations.append(arguments); }
};
