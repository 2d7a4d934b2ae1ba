#pragma once

#include <QString>
#include <QTextStream>

// The backup and archive commands run without a window: what they found goes to `out`, one line each,
// and what went wrong to `err`; each returns the process's exit code.
namespace BackupCommands {

// Takes a snapshot of the store at `storePath` now and prints its path.
int backUpNow(const QString &storePath, QTextStream &out, QTextStream &err);
// Prints one line per snapshot, newest first: when it was taken (ISO 8601 with the local
// offset), its kind ("regular", or "before-v2" for the one kept before the upgrade to schema
// 2), its size in bytes, its readings and journal entries, and its path, separated by tabs.
int listBackups(const QString &storePath, QTextStream &out, QTextStream &err);

// Writes the portable archive of the store at `storePath` to `archivePath` and says what it holds.
int exportArchive(const QString &storePath, const QString &archivePath, QTextStream &out, QTextStream &err);

// Merges the archive at `archivePath` into the store at `storePath` (made if missing) and says
// what was added, updated and left as it was. A snapshot of the store is taken first.
int importArchive(const QString &storePath, const QString &archivePath, QTextStream &out, QTextStream &err);

} // namespace BackupCommands
