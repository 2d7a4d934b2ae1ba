#pragma once

#include <QString>

// Reads the header of a store file without opening it as a database, so a file that is not
// ours, or is from a newer version of the application, is recognised before anything could
// write to it.
namespace StoreFile {

// 'QTAR' in the SQLite header's application-id field marks our stores.
inline constexpr quint32 applicationId = 0x51544152;
// The schema this build reads and writes.
inline constexpr int schemaVersion = 1;

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

} // namespace StoreFile
