#pragma once

#include <QStandardPaths>
#include <QUrl>

namespace UserFolders {

// Where a save dialog starts: the user's folder of `kind` (documents, pictures), or the home
// folder when the desktop names none that exists.
QUrl startFolder(QStandardPaths::StandardLocation kind);

} // namespace UserFolders
