#include "FileRevealer.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>

FileRevealer &FileRevealer::system()
{
    // Made on first use, when the application exists, and kept until the process ends.
    static auto *revealer = new DBusFileRevealer(QDBusConnection::sessionBus());
    return *revealer;
}

DBusFileRevealer::DBusFileRevealer(const QDBusConnection &bus, OpenFolder openFolder, QObject *parent)
    : QObject(parent), m_bus(bus), m_openFolder(std::move(openFolder))
{
    if (!m_openFolder)
        m_openFolder = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

void DBusFileRevealer::reveal(const QString &filePath, const QString &folderPath)
{
    if (!m_bus.isConnected()) {
        openFolder(folderPath);
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(filePath).toString(QUrl::FullyEncoded)} << QString();
    // Asynchronous, so a file manager that is slow to start never holds up the window.
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, folderPath] {
        watcher->deleteLater();
        if (watcher->isError())
            openFolder(folderPath);
        else
            emit revealed(true);
    });
}

void DBusFileRevealer::openFolder(const QString &folderPath)
{
    m_openFolder(QUrl::fromLocalFile(folderPath));
    emit revealed(false);
}
