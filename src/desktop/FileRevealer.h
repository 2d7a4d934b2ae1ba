#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QUrl>

#include <functional>

// Shows a file in the desktop's file manager. Tests put a fake in its place.
class FileRevealer
{
public:
    virtual ~FileRevealer() = default;
    // Opens `folderPath` in the file manager with `filePath` selected. Never blocks and never
    // fails loudly: without a file manager nothing happens.
    virtual void reveal(const QString &filePath, const QString &folderPath) = 0;

    // The session bus's file manager, falling back to opening the folder.
    static FileRevealer &system();
};

// The freedesktop way: org.freedesktop.FileManager1.ShowItems on the session bus. When the bus
// is not there or no file manager answers, the folder is opened as a URL instead.
class DBusFileRevealer final : public QObject, public FileRevealer
{
    Q_OBJECT

public:
    using OpenFolder = std::function<bool(const QUrl &)>;

    // `openFolder` defaults to the desktop's URL handler.
    explicit DBusFileRevealer(const QDBusConnection &bus, OpenFolder openFolder = {}, QObject *parent = nullptr);

    void reveal(const QString &filePath, const QString &folderPath) override;

signals:
    // The file manager took the request (true), or the folder was opened instead (false).
    void revealed(bool byFileManager);

private:
    void openFolder(const QString &folderPath);

    QDBusConnection m_bus;
    OpenFolder m_openFolder;
};
