#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class ModelContext;

// The portable archive: every record of the store in one UTF-8 JSON document, each by its
// identifier, with its fields under their stored names and dates in ISO 8601 with the offset.
// Its layout is described in docs/archive-format.md.
namespace ArchiveWriter {

inline constexpr char formatName[] = "quillmoor-tarot-archive";
inline constexpr int formatVersion = 3;

// The archive of everything in `context`, exported at `now`. `error` is set (and the result
// empty) when the store could not be read whole.
QByteArray document(ModelContext &context, const QDateTime &now, QString *error);
// Writes the archive to `path` through a temporary file that replaces it only when complete.
bool write(ModelContext &context, const QString &path, const QDateTime &now, QString *error);

} // namespace ArchiveWriter
