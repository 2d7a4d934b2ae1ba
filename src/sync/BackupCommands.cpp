#include "BackupCommands.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "Clock.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "Reading.h"
#include "StoreBackups.h"
#include "UserCardNote.h"

#include <QFileInfo>

int BackupCommands::backUpNow(const QString &storePath, QTextStream &out, QTextStream &err)
{
    QString error;
    const auto snapshot = StoreBackups(storePath).take(StoreBackups::Kind::Regular, Clock::now(), 0, &error);
    if (!snapshot) {
        err << error << Qt::endl;
        return 1;
    }
    out << snapshot->path << Qt::endl;
    return 0;
}

int BackupCommands::listBackups(const QString &storePath, QTextStream &out, QTextStream &err)
{
    const QList<StoreBackups::Snapshot> snapshots = StoreBackups(storePath).list();
    int unreadable = 0;
    for (const StoreBackups::Snapshot &snapshot : snapshots) {
        QString error;
        const auto contents = StoreBackups::contents(snapshot.path, &error);
        if (!contents) {
            err << snapshot.path << ": " << error << Qt::endl;
            ++unreadable;
            continue;
        }
        const QString kind = snapshot.kind == StoreBackups::Kind::BeforeUpgrade
                                 ? QStringLiteral("before-v%1").arg(snapshot.fromVersion + 1)
                                 : QStringLiteral("regular");
        out << snapshot.taken.toLocalTime()
                   .toOffsetFromUtc(snapshot.taken.toLocalTime().offsetFromUtc())
                   .toString(Qt::ISODate)
            << '\t' << kind << '\t' << snapshot.size << '\t' << contents->readings << '\t' << contents->journalEntries
            << '\t' << snapshot.path << Qt::endl;
    }
    return unreadable == 0 ? 0 : 1;
}

int BackupCommands::exportArchive(const QString &storePath, const QString &archivePath, QTextStream &out,
                                  QTextStream &err)
{
    // Opening a missing store would make an empty one; there is nothing to export then.
    if (!QFileInfo(storePath).isFile()) {
        err << "There is no store to export at " << storePath << "." << Qt::endl;
        return 1;
    }
    QString error;
    auto context = ModelContext::open(storePath, &error);
    if (!context) {
        err << "The store could not be opened: " << error << Qt::endl;
        return 1;
    }
    if (!ArchiveWriter::write(*context, archivePath, Clock::now(), &error)) {
        err << error << Qt::endl;
        return 1;
    }
    const auto count = [](qsizetype n, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    out << "Exported " << count(context->fetch<Reading>().size(), "reading", "readings") << ", "
        << count(context->fetch<JournalEntry>().size(), "journal entry", "journal entries") << " and "
        << count(context->fetch<UserCardNote>().size(), "card note", "card notes") << " to " << archivePath << Qt::endl;
    return 0;
}

int BackupCommands::importArchive(const QString &storePath, const QString &archivePath, QTextStream &out,
                                  QTextStream &err)
{
    QString error;
    ArchiveImport::Summary summary;
    if (!ArchiveImport::importFile(storePath, archivePath, Clock::now(), &summary, &error)) {
        err << error << Qt::endl;
        return 1;
    }
    out << "Imported " << archivePath << ": " << summary.added << " added, " << summary.updated << " updated, "
        << summary.unchanged << " already here" << Qt::endl;
    const QStringList leftAlone = ArchiveImport::leftAlone(summary);
    for (const QString &sentence : leftAlone)
        err << sentence << Qt::endl;
    return leftAlone.isEmpty() ? 0 : 1;
}
