#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class AppSettings;
class JournalEntry;
class ModelContext;
class Reading;
class Spread;
class UserCardNote;

// Reads a portable archive (docs/archive-format.md) back into records, checking all of it
// before anything is handed out: a file that is too large, not JSON, cut short, of a newer
// format, or with any field that is missing, of the wrong kind, too long or a duplicate, is
// refused whole with a sentence that names the problem.
namespace ArchiveReader {

// Larger than ten years of daily use many times over, and small enough to read into memory.
inline constexpr qint64 maxFileBytes = 256LL * 1024 * 1024;
// The longest text a field holds, in user-perceived characters.
inline constexpr qsizetype maxTextLength = 50'000;

// The records of one archive, not yet in any store. The holder owns them.
struct Contents
{
    std::unique_ptr<QObject> holder = std::make_unique<QObject>();
    AppSettings *settings = nullptr;
    QList<JournalEntry *> journalEntries;
    QList<Reading *> readings; // with their drawn cards
    QList<UserCardNote *> cardNotes;
    QList<Spread *> spreads; // designed by the user; none before format 3
};

// The archive in `bytes`, or null with `error` set.
std::unique_ptr<Contents> parse(const QByteArray &bytes, QString *error);
// The archive in the file at `path`, or null with `error` set.
std::unique_ptr<Contents> read(const QString &path, QString *error);

} // namespace ArchiveReader

// Merges an archive into a store in one save: a record whose identifier the store does not
// know is added, except a journal entry for a day that has one here, which is joined to it. A
// journal entry or reading the store has too is joined: of two texts the one that holds the
// other is kept, else both; a card, mood or star fills only what is empty here. A card note the
// archive changed later than the store replaces the store's text. Importing the same archive
// twice changes nothing the second time.
namespace ArchiveImport {

struct Summary
{
    int added = 0;
    int updated = 0;
    int unchanged = 0;
    // Days whose entry here and in the archive could not be joined: the reflection would pass
    // the length limit. The entry here is left as it was.
    QList<QDate> notJoined;
    // The days of readings whose notes could not be joined, for the same reason.
    QList<QDate> readingsNotJoined;
};

// False, with `error` set and the file untouched, when the save fails; the context then holds
// the archive's records as unsaved changes and should be closed without saving.
bool merge(ModelContext &context, ArchiveReader::Contents &contents, Summary *summary, QString *error);

// One sentence for each record that was left as it was because a joined text would have
// passed the length limit; empty when every record could be joined.
QStringList leftAlone(const Summary &summary);

// Reads and checks the archive at `archivePath` before the store is opened, then merges it into
// the store at `storePath` through a connection of its own. A store that already existed gets a
// snapshot first, so that the import can be undone by restoring it. False, with `error` as a
// sentence, when nothing was imported.
bool importFile(const QString &storePath, const QString &archivePath, const QDateTime &now, Summary *summary,
                QString *error);

} // namespace ArchiveImport
