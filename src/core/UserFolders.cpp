#include "UserFolders.h"

#include <QDir>
#include <QFileInfo>

QUrl UserFolders::startFolder(QStandardPaths::StandardLocation kind)
{
    const QString folder = QStandardPaths::writableLocation(kind);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return QUrl::fromLocalFile(folder);
    return QUrl::fromLocalFile(QDir::homePath());
}
