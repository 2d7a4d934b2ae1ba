#include "StoreBackups.h"

#include "StoreFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <algorithm>

#include <cstdio>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const QString suffix = QStringLiteral(".store");
// The stamp in a snapshot's name: its UTC time, which sorts and never repeats an hour at a
// change of daylight saving time.
const QString stampFormat = QStringLiteral("yyyyMMdd'T'HHmmss'Z'");

// Closes a connection however the function using it ends.
struct Connection
{
    sqlite3 *db = nullptr;
    ~Connection() { sqlite3_close(db); }
    QString error() const { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"); }
};

bool open(Connection &connection, const QString &path, int flags)
{
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &connection.db, flags, nullptr) != SQLITE_OK)
        return false;
    sqlite3_busy_timeout(connection.db, 5000);
    return true;
}

// The first column of the first row of `sql`, as text; empty on failure.
QString singleValue(sqlite3 *db, const char *sql, bool *ok = nullptr)
{
    sqlite3_stmt *statement = nullptr;
    QString value;
    bool done =
        sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW;
    if (done)
        value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    if (ok)
        *ok = done;
    return value;
}

// Makes a rename inside `folder` survive a power cut.
void syncFolder(const QString &folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Read-only and immutable: reading a snapshot never creates a file beside it.
QString immutableUri(const QString &path)
{
    return QStringLiteral("file:%1?immutable=1").arg(QString::fromLatin1(QUrl::toPercentEncoding(path, "/")));
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// Copies `source` into the new file `target` page by page through the online backup, then
// turns the copy into one self-contained file (no write-ahead log) and checks it.
bool copyAndCheck(const QString &source, const QString &target, QString *error)
{
    Connection from;
    if (!open(from, source, SQLITE_OPEN_READONLY))
        return fail(error, QStringLiteral("The store could not be opened to copy it: %1").arg(from.error()));
    Connection to;
    if (!open(to, target, SQLITE_OPEN_READWRITE))
        return fail(error, QStringLiteral("The snapshot file could not be opened: %1").arg(to.error()));
    sqlite3_backup *backup = sqlite3_backup_init(to.db, "main", from.db, "main");
    if (!backup)
        return fail(error, QStringLiteral("The copy could not start: %1").arg(to.error()));
    // One step copies every page under one read transaction of the source, which a writer in
    // write-ahead-log mode never waits for; a busy source is tried again.
    int rc = SQLITE_OK;
    for (int attempt = 0; attempt < 50; ++attempt) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        sqlite3_sleep(100);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        return fail(error, QStringLiteral("The copy did not complete: %1").arg(QString::fromUtf8(sqlite3_errstr(rc))));
    if (sqlite3_exec(to.db, "PRAGMA journal_mode = DELETE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail(error, QStringLiteral("The snapshot could not be finished: %1").arg(to.error()));
    bool ran = false;
    const QString verdict = singleValue(to.db, "PRAGMA quick_check", &ran);
    if (!ran || verdict != QLatin1String("ok"))
        return fail(error, QStringLiteral("The snapshot did not pass its check: %1").arg(ran ? verdict : to.error()));
    return true;
}

} // namespace

StoreBackups::StoreBackups(const QString &storePath) : m_storePath(QFileInfo(storePath).absoluteFilePath())
{}

QString StoreBackups::folder() const
{
    return QFileInfo(m_storePath).absolutePath() + QStringLiteral("/backups");
}

QString StoreBackups::fileName(Kind kind, const QDateTime &taken, int fromVersion) const
{
    QString name = QFileInfo(m_storePath).completeBaseName() + u'-' + taken.toUTC().toString(stampFormat);
    if (kind == Kind::BeforeUpgrade)
        name += QStringLiteral("-before-v%1").arg(fromVersion + 1);
    return name + suffix;
}

std::optional<StoreBackups::Snapshot> StoreBackups::parse(const QString &name) const
{
    static const QRegularExpression pattern(QStringLiteral("^(.*)-(\\d{8}T\\d{6}Z)(?:-before-v(\\d+))?\\.store$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch() || match.captured(1) != QFileInfo(m_storePath).completeBaseName())
        return std::nullopt;
    QDateTime taken = QDateTime::fromString(match.captured(2), stampFormat);
    if (!taken.isValid())
        return std::nullopt;
    taken.setTimeSpec(Qt::UTC);
    Snapshot snapshot;
    snapshot.path = folder() + u'/' + name;
    snapshot.taken = taken;
    if (match.hasCaptured(3)) {
        snapshot.kind = Kind::BeforeUpgrade;
        snapshot.fromVersion = match.captured(3).toInt() - 1;
    }
    snapshot.size = QFileInfo(snapshot.path).size();
    return snapshot;
}

QList<StoreBackups::Snapshot> StoreBackups::list() const
{
    QList<Snapshot> snapshots;
    const QStringList names = QDir(folder()).entryList({QStringLiteral("*") + suffix}, QDir::Files);
    for (const QString &name : names)
        if (const auto snapshot = parse(name))
            snapshots.append(*snapshot);
    std::sort(snapshots.begin(), snapshots.end(),
              [](const Snapshot &a, const Snapshot &b) { return a.taken > b.taken; });
    return snapshots;
}

bool StoreBackups::hasRegularSnapshotOn(QDate day) const
{
    const QList<Snapshot> snapshots = list();
    return std::any_of(snapshots.cbegin(), snapshots.cend(), [day](const Snapshot &snapshot) {
        return snapshot.kind == Kind::Regular && snapshot.taken.toLocalTime().date() == day;
    });
}

std::optional<StoreBackups::Snapshot> StoreBackups::take(Kind kind, const QDateTime &now, int fromVersion,
                                                         QString *error) const
{
    if (!QFileInfo(m_storePath).isFile()) {
        fail(error, QStringLiteral("There is no store to back up at %1.").arg(m_storePath));
        return std::nullopt;
    }
    if (!StoreFile::makePrivateFolder(folder())) {
        fail(error, QStringLiteral("The folder %1 could not be made.").arg(folder()));
        return std::nullopt;
    }
    // Two snapshots in one second get consecutive stamps rather than one name.
    QDateTime taken = now.toUTC();
    taken.setTime(QTime(taken.time().hour(), taken.time().minute(), taken.time().second()));
    QString target;
    for (int tries = 0; tries < 60; ++tries, taken = taken.addSecs(1)) {
        target = folder() + u'/' + fileName(kind, taken, fromVersion);
        if (!QFileInfo::exists(target))
            break;
    }
    // Made under a name no listing takes for a snapshot, and renamed once it checked out.
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    QFile::remove(partial + QStringLiteral("-journal"));
    if (!StoreFile::createEmptyFile(partial)) {
        fail(error, QStringLiteral("The snapshot file %1 could not be created.").arg(partial));
        return std::nullopt;
    }
    if (!copyAndCheck(m_storePath, partial, error)) {
        QFile::remove(partial);
        QFile::remove(partial + QStringLiteral("-journal"));
        return std::nullopt;
    }
    if (std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(partial);
        fail(error, QStringLiteral("The snapshot could not be given its name %1.").arg(target));
        return std::nullopt;
    }
    syncFolder(folder());

    Snapshot made;
    made.path = target;
    made.taken = taken;
    made.kind = kind;
    made.fromVersion = kind == Kind::BeforeUpgrade ? fromVersion : 0;
    made.size = QFileInfo(target).size();
    if (kind == Kind::Regular) {
        for (const Snapshot &old : notKept(list()))
            QFile::remove(old.path);
    }
    return made;
}

QString StoreBackups::check(const QString &snapshotPath)
{
    if (StoreFile::inspect(snapshotPath).kind != StoreFile::Kind::Ours)
        return QStringLiteral("%1 is not a Quillmoor Tarot store of this or an older version.").arg(snapshotPath);
    Connection db;
    if (!open(db, immutableUri(snapshotPath), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI))
        return QStringLiteral("The snapshot could not be opened: %1").arg(db.error());
    bool ran = false;
    const QString verdict = singleValue(db.db, "PRAGMA quick_check", &ran);
    if (!ran)
        return QStringLiteral("The snapshot could not be checked: %1").arg(db.error());
    return verdict == QLatin1String("ok") ? QString() : QStringLiteral("The snapshot is damaged: %1").arg(verdict);
}

std::optional<StoreBackups::Snapshot> StoreBackups::latestGood() const
{
    for (const Snapshot &snapshot : list())
        if (check(snapshot.path).isEmpty())
            return snapshot;
    return std::nullopt;
}

std::optional<QString> StoreBackups::restore(const QString &snapshotPath, const QDateTime &now, QString *error) const
{
    if (const QString problem = check(snapshotPath); !problem.isEmpty()) {
        fail(error, problem);
        return std::nullopt;
    }
    const QFileInfo store(m_storePath);
    const QString incoming = m_storePath + QStringLiteral(".restoring");
    QFile::remove(incoming);
    // Copied whole and flushed before anything is renamed: until the last rename the store is
    // where it was.
    QFile from(snapshotPath);
    QFile to(incoming);
    if (!StoreFile::createEmptyFile(incoming) || !from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly)) {
        QFile::remove(incoming);
        fail(error, QStringLiteral("The snapshot could not be copied to %1.").arg(incoming));
        return std::nullopt;
    }
    while (!from.atEnd()) {
        const QByteArray block = from.read(1 << 20);
        if (block.isEmpty() || to.write(block) != block.size()) {
            to.close();
            QFile::remove(incoming);
            fail(error, QStringLiteral("The snapshot could not be copied: %1").arg(to.errorString()));
            return std::nullopt;
        }
    }
    to.flush();
    ::fsync(to.handle());
    to.close();

    // The store and the files SQLite keeps beside it move together, under one stamp: its logs
    // first and the store last, and all back if one cannot move, so that a log never meets
    // another store.
    const QString stamp = now.toUTC().toString(stampFormat);
    const QString asideBase =
        store.absolutePath() + u'/' + store.completeBaseName() + QStringLiteral("-replaced-") + stamp + suffix;
    QStringList files = StoreFile::filesOf(m_storePath);
    files.move(0, files.size() - 1);
    QList<std::pair<QString, QString>> moved;
    for (const QString &file : std::as_const(files)) {
        if (!QFileInfo::exists(file))
            continue;
        const QString aside = asideBase + file.mid(m_storePath.size());
        if (std::rename(QFile::encodeName(file).constData(), QFile::encodeName(aside).constData()) != 0) {
            for (auto it = moved.crbegin(); it != moved.crend(); ++it)
                std::rename(QFile::encodeName(it->second).constData(), QFile::encodeName(it->first).constData());
            QFile::remove(incoming);
            fail(error, QStringLiteral("%1 could not be kept aside as %2.").arg(file, aside));
            return std::nullopt;
        }
        moved.append({file, aside});
    }
    const QString keptAside = !moved.isEmpty() && moved.last().first == m_storePath ? moved.last().second : QString();
    if (std::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(m_storePath).constData()) != 0) {
        fail(error, QStringLiteral("The snapshot could not be put in place at %1; the store is kept as %2.")
                        .arg(m_storePath, keptAside));
        return std::nullopt;
    }
    syncFolder(store.absolutePath());
    return keptAside;
}

std::optional<StoreBackups::Contents> StoreBackups::contents(const QString &snapshotPath, QString *error)
{
    Connection db;
    // Read-only and immutable: reading a snapshot never creates a file beside it.
    const QString uri =
        QStringLiteral("file:%1?immutable=1").arg(QString::fromLatin1(QUrl::toPercentEncoding(snapshotPath, "/")));
    if (!open(db, uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI)) {
        fail(error, QStringLiteral("The snapshot could not be opened: %1").arg(db.error()));
        return std::nullopt;
    }
    Contents contents;
    bool versionRead = false;
    bool readingsRead = false;
    bool entriesRead = false;
    contents.schemaVersion = singleValue(db.db, "PRAGMA user_version", &versionRead).toInt();
    contents.readings = singleValue(db.db, "SELECT count(*) FROM Reading", &readingsRead).toLongLong();
    contents.journalEntries = singleValue(db.db, "SELECT count(*) FROM JournalEntry", &entriesRead).toLongLong();
    if (!versionRead || !readingsRead || !entriesRead) {
        fail(error, QStringLiteral("The snapshot could not be read: %1").arg(db.error()));
        return std::nullopt;
    }
    return contents;
}

QList<StoreBackups::Snapshot> StoreBackups::notKept(const QList<Snapshot> &snapshots)
{
    QSet<QDate> days;
    QSet<std::pair<int, int>> weeks;
    QList<Snapshot> removed;
    for (const Snapshot &snapshot : snapshots) {
        if (snapshot.kind == Kind::BeforeUpgrade)
            continue;
        // The newest snapshot of a day or of a week is the first one met of it.
        const QDate day = snapshot.taken.toLocalTime().date();
        int year = 0;
        const int week = day.weekNumber(&year);
        bool kept = false;
        if (!days.contains(day) && days.size() < daysKept) {
            days.insert(day);
            kept = true;
        }
        if (!weeks.contains({year, week}) && weeks.size() < weeksKept) {
            weeks.insert({year, week});
            kept = true;
        }
        if (!kept)
            removed.append(snapshot);
    }
    return removed;
}
