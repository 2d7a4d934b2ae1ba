#pragma once

#include <QString>
#include <QTextStream>

// Sync without a window: choosing the folder, and one pass.
namespace SyncCommands {

// Chooses the shared folder (empty: sync off) and prints what was chosen.
int setFolder(const QString &storePath, const QString &folder, QTextStream &out, QTextStream &err);
// Sends this computer's changes, takes in the others' and prints how many of each.
int syncNow(const QString &storePath, QTextStream &out, QTextStream &err);

} // namespace SyncCommands
