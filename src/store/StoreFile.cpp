#include "StoreFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace StoreFile {

Inspection inspect(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {Kind::Missing, 0, {}};
    if (info.isDir())
        return {Kind::Unreadable, 0, QStringLiteral("The store path %1 is a folder.").arg(path)};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {Kind::Unreadable, 0, QStringLiteral("The store file cannot be read: %1").arg(file.errorString())};
    if (file.size() == 0)
        return {Kind::Empty, 0, {}};

    const QByteArray header = file.read(100);
    static const QByteArray magic("SQLite format 3\0", 16);
    if (header.size() < 100 || !header.startsWith(magic))
        return {Kind::NotADatabase, 0, QStringLiteral("The file is not a database.")};

    const auto field = [&header](int offset) {
        return qFromBigEndian<quint32>(reinterpret_cast<const uchar *>(header.constData()) + offset);
    };
    const quint32 userVersion = field(60);
    const quint32 appId = field(68);
    if (appId != applicationId)
        return {Kind::Foreign, 0, QStringLiteral("The file is a database of another application.")};
    if (userVersion > static_cast<quint32>(schemaVersion))
        return {Kind::Newer, static_cast<int>(userVersion),
                QStringLiteral("The store was written by a newer version of Quillmoor Tarot (schema %1).")
                    .arg(userVersion)};
    return {Kind::Ours, static_cast<int>(userVersion), {}};
}

bool makePrivateFolder(const QString &folder)
{
    const QString absolute = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    // Walk down from the root, creating what is missing. mkdir's mode passes through the umask,
    // which can only remove bits; chmod then sets exactly 0700.
    const QStringList parts = absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current;
    for (const QString &part : parts) {
        current += QLatin1Char('/') + part;
        const QByteArray native = QFile::encodeName(current);
        if (::mkdir(native.constData(), 0700) == 0) {
            ::chmod(native.constData(), 0700);
            continue;
        }
        if (errno != EEXIST)
            return false;
    }
    struct stat status;
    const QByteArray native = QFile::encodeName(absolute);
    if (::stat(native.constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return false;
    // A shared sticky folder such as /tmp, and the home folder, belong to more than the store:
    // closing them would break other programs, and the store's files are private anyway.
    const bool shared = (status.st_mode & S_ISVTX) != 0 || absolute == QDir::cleanPath(QDir::homePath()) ||
                        absolute == QLatin1String("/");
    if (!shared && (status.st_mode & 077) != 0 && status.st_uid == ::geteuid())
        ::chmod(native.constData(), status.st_mode & 0700);
    return true;
}

QStringList filesOf(const QString &path)
{
    return {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm"), path + QStringLiteral("-journal")};
}

QList<ModeChange> makeFilesPrivate(const QString &path)
{
    QList<ModeChange> changes;
    for (const QString &file : filesOf(path)) {
        const QByteArray native = QFile::encodeName(file);
        struct stat status;
        if (::lstat(native.constData(), &status) != 0 || !S_ISREG(status.st_mode))
            continue;
        const mode_t mode = status.st_mode & 07777;
        if (mode != (mode & 0600) && ::chmod(native.constData(), mode & 0600) == 0)
            changes.append({file, unsigned(mode)});
    }
    return changes;
}

void restoreModes(const QList<ModeChange> &changes)
{
    for (const ModeChange &change : changes)
        ::chmod(QFile::encodeName(change.file).constData(), mode_t(change.mode));
}

bool createEmptyFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::fchmod(fd, 0600);
    ::close(fd);
    return true;
}

void removeIfEmpty(const QString &path)
{
    const QString journal = path + QStringLiteral("-journal");
    if (QFileInfo(path).size() != 0 || QFileInfo(journal).size() != 0)
        return;
    QFile::remove(journal);
    QFile::remove(path);
}

bool isWritable(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0 &&
           ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

} // namespace StoreFile
