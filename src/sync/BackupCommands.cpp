#include "BackupCommands.h"

#include "Clock.h"
#include "StoreBackups.h"

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
