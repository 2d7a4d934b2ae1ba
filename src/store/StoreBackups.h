#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The snapshots of one store, in the folder `backups` beside it: copies made with SQLite's
// online backup while the store stays open, checked before they count, readable by the owner
// only. Regular snapshots are thinned out to the newest of each of the last 7 days and of each
// of the last 4 weeks; the one taken before each schema upgrade is always kept.
class StoreBackups
{
public:
    enum class Kind { Regular, BeforeUpgrade };

    struct Snapshot
    {
        QString path;
        QDateTime taken; // UTC, to the second
        Kind kind = Kind::Regular;
        int fromVersion = 0; // the schema upgraded from, for a snapshot before an upgrade
        qint64 size = 0;
    };

    // What a snapshot holds, read from the copy itself.
    struct Contents
    {
        int schemaVersion = 0;
        qint64 readings = 0;
        qint64 journalEntries = 0;
    };

    static constexpr int daysKept = 7;
    static constexpr int weeksKept = 4;

    explicit StoreBackups(const QString &storePath);

    QString folder() const;

    // Every snapshot in the folder, newest first. Files of other names, and copies left half
    // made, are not snapshots.
    QList<Snapshot> list() const;
    // Whether a regular snapshot was taken on `day` (the local calendar's).
    bool hasRegularSnapshotOn(QDate day) const;

    // Copies the store into a new snapshot taken at `now`, checks it and, for a regular one,
    // removes the snapshots no longer kept. On failure nothing is removed and `error` says why.
    // Safe to call from any thread: it opens connections of its own.
    std::optional<Snapshot> take(Kind kind, const QDateTime &now, int fromVersion, QString *error) const;

    // Puts the snapshot at `snapshotPath` in the store's place, once it has passed its check.
    // The store's files are kept aside beside it, renamed with the time `now` (never changed or
    // removed), and the snapshot is copied in; the snapshot itself stays. The store must not be
    // open. Returns the path the store was kept under, empty when there was none; none with
    // `error` set when nothing was changed.
    std::optional<QString> restore(const QString &snapshotPath, const QDateTime &now, QString *error) const;
    // The newest snapshot that opens and passes its check; none when there is no such one.
    std::optional<Snapshot> latestGood() const;
    // SQLite's check of a snapshot; empty when it is sound.
    static QString check(const QString &snapshotPath);

    // Reads the schema version and record counts of a snapshot without changing it.
    static std::optional<Contents> contents(const QString &snapshotPath, QString *error);

    // Which of `snapshots` (newest first) the thinning removes.
    static QList<Snapshot> notKept(const QList<Snapshot> &snapshots);

    // The file name a snapshot of `kind` taken at `taken` gets.
    QString fileName(Kind kind, const QDateTime &taken, int fromVersion) const;

private:
    std::optional<Snapshot> parse(const QString &fileName) const;

    QString m_storePath;
};
