#include "StoreFile.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

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

} // namespace StoreFile
