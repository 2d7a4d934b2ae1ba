#pragma once

#include <QString>
#include <QStringList>

// The store file on disk: its header, read without opening it as a database (so a file that is
// not ours, or is from a newer version of the application, is recognised before anything could
// write to it), and its folder and permissions.
namespace StoreFile {

// 'QTAR' in the SQLite header's application-id field marks our stores.
inline constexpr quint32 applicationId = 0x51544152;
// The schema this build reads and writes; older stores are upgraded when opened.
inline constexpr int schemaVersion = 6;

enum class Kind {
    Missing,      // nothing at the path: a new store is created
    Empty,        // a zero-length file: initialised as a new store
    Ours,         // a store of this or an older schema version
    Unreadable,   // cannot be read (permissions, a folder, ...)
    NotADatabase, // not an SQLite file
    Foreign,      // an SQLite file of another application
    Newer,        // written by a newer version of the application
};

struct Inspection
{
    Kind kind = Kind::Missing;
    int version = 0;
    QString problem; // a sentence for the log when the store cannot be used
};

Inspection inspect(const QString &path);

// Creates every missing folder of `folder` with mode 0700 and takes the group's and others'
// access away from `folder` itself (unless it is a shared sticky folder or the home folder):
// the user's journal is nobody else's business, whatever the umask. Returns false when a folder
// cannot be created.
bool makePrivateFolder(const QString &folder);

// The store file and the files SQLite keeps beside it.
QStringList filesOf(const QString &path);

// A file's permission bits before makeFilesPrivate() changed them.
struct ModeChange
{
    QString file;
    unsigned mode = 0;
};

// Takes the group's and others' access away from every existing file of the store, so that each
// is at most 0600. Owner bits are never added: a file the user made read-only stays read-only.
// Returns what it changed, so that a store refused afterwards can be given its modes back.
QList<ModeChange> makeFilesPrivate(const QString &path);
void restoreModes(const QList<ModeChange> &changes);

// Creates an empty store file with mode 0600. Returns false when the file exists already or
// cannot be created (see errno).
bool createEmptyFile(const QString &path);

// Removes the store file at `path` if it is still empty, with an empty rollback journal beside
// it: what a store that could not be set up leaves.
void removeIfEmpty(const QString &path);

// Whether this process can write the store file and create files beside it (SQLite's log and
// index files). A store that can only be read is refused rather than losing every later save.
bool isWritable(const QString &path);

} // namespace StoreFile
