#pragma once

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// A session bus of the test's own, gone with the test. It starts no services on demand, so
// only what the test registers answers on it.
struct PrivateBus
{
    PrivateBus()
    {
        const QString config = folder.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        if (file.open(QIODevice::WriteOnly)) {
            file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig>\n"
                       "  <type>session</type>\n"
                       "  <listen>unix:tmpdir=/tmp</listen>\n"
                       "  <auth>EXTERNAL</auth>\n"
                       "  <policy context=\"default\">\n"
                       "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                       "    <allow eavesdrop=\"true\"/>\n"
                       "    <allow own=\"*\"/>\n"
                       "  </policy>\n"
                       "</busconfig>\n");
            file.close();
        }
        daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config,
                                                     QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (daemon.waitForStarted() && daemon.waitForReadyRead(10000))
            address = QString::fromUtf8(daemon.readLine()).trimmed();
    }
    ~PrivateBus()
    {
        for (const QString &name : std::as_const(connections))
            QDBusConnection::disconnectFromBus(name);
        daemon.kill();
        daemon.waitForFinished();
    }
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    // A connection of this process to the bus; each name is a connection of its own.
    QDBusConnection connect(const QString &name)
    {
        const QString full = address + QLatin1Char('#') + name;
        if (!connections.contains(full))
            connections.append(full);
        return QDBusConnection::connectToBus(address, full);
    }
    bool nameTaken(const QString &name)
    {
        QDBusConnection probe = connect(QStringLiteral("probe"));
        return probe.isConnected() && probe.interface()->isServiceRegistered(name).value();
    }

    QTemporaryDir folder;
    QProcess daemon;
    QString address;
    QStringList connections;
};
