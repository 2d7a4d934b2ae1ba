// Opening the store: the file's checks before SQLite touches it, the schema and its upgrades,
// reconnecting after a failed save, and the whole-file integrity check that comes before the
// first write.
#include "ModelContext.h"

#include "Clock.h"
#include "StoreBackups.h"
#include "StoreFile.h"
#include "StoreLog.h"
#include "StoreSchema.h"
#include "StoreSql.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <sqlite3.h>
#include <utility>

using namespace StoreSchema;
using namespace StoreSql;
using Problem = ModelContext::Problem;

namespace {

// quick_check reads every page of every table and index; it answers one row "ok" or lists
// what it found wrong. Returns an empty text when the file is sound or could not be checked.
QString findDamage(QSqlDatabase &db)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("PRAGMA quick_check"))) {
        if (problemFor(query.lastError()) == Problem::Damaged)
            return sqlError(query.lastError());
        return {};
    }
    QStringList findings;
    while (query.next())
        findings.append(query.value(0).toString());
    if (query.lastError().isValid() && problemFor(query.lastError()) == Problem::Damaged)
        findings.append(sqlError(query.lastError()));
    if (findings == QStringList{QStringLiteral("ok")} || findings.isEmpty())
        return {};
    return findings.mid(0, 3).join(QStringLiteral("; ")).simplified();
}

} // namespace

ModelContext::ModelContext(const QString &path, const QString &connectionName)
    : m_path(path), m_connectionName(connectionName)
{}

ModelContext::~ModelContext()
{
    if (m_integrityCheck.joinable())
        m_integrityCheck.join();
    disconnect();
}

QString ModelContext::defaultStorePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("default.store"));
}

std::unique_ptr<ModelContext> ModelContext::open(const QString &path, QString *error, Problem *problem)
{
    const QString connectionName = QStringLiteral("quillmoor-%1").arg(QUuid::createUuid().toString(QUuid::Id128));
    std::unique_ptr<ModelContext> context(new ModelContext(path, connectionName));
    if (problem)
        *problem = Problem::None;
    if (!context->connect(error, problem))
        return nullptr;
    return context;
}

bool ModelContext::connect(QString *error, Problem *problem)
{
    bool created = false;
    const auto fail = [&](Problem kind, const QString &why) {
        if (error)
            *error = why;
        if (problem)
            *problem = kind;
        disconnect();
        // A refused file keeps the modes it had.
        StoreFile::restoreModes(std::exchange(m_tightenedModes, {}));
        // A file made here that could not even be set up (a full disk, say) is still empty:
        // nobody has anything in it, and it is not left behind.
        if (created)
            StoreFile::removeIfEmpty(m_path);
        return false;
    };

    const QFileInfo info(m_path);
    if (!StoreFile::makePrivateFolder(info.absolutePath()))
        return fail(Problem::CannotOpen,
                    QStringLiteral("The data folder %1 cannot be created.").arg(info.absolutePath()));

    StoreFile::Inspection inspection = StoreFile::inspect(m_path);
    if (inspection.kind == StoreFile::Kind::Missing) {
        // Created by us so it is private from the first byte. Another instance starting at the
        // same moment may have created it first; then it is inspected again.
        if (StoreFile::createEmptyFile(m_path)) {
            inspection.kind = StoreFile::Kind::Empty;
            created = true;
        } else if (errno == EEXIST)
            inspection = StoreFile::inspect(m_path);
        else
            return fail(
                Problem::CannotOpen,
                QStringLiteral("The store file cannot be created: %1").arg(QString::fromLocal8Bit(strerror(errno))));
    }
    switch (inspection.kind) {
    case StoreFile::Kind::Empty:
    case StoreFile::Kind::Ours:
        break;
    case StoreFile::Kind::NotADatabase:
    case StoreFile::Kind::Foreign:
        return fail(Problem::NotOurs, inspection.problem);
    case StoreFile::Kind::Newer:
        return fail(Problem::Newer, inspection.problem);
    default:
        return fail(Problem::CannotOpen, inspection.problem);
    }

    // Checked before SQLite opens the file, which would otherwise leave its side files beside a
    // store it cannot use; the write transaction below has the last word.
    if (!StoreFile::isWritable(m_path))
        return fail(Problem::ReadOnly, QStringLiteral("The store file or its folder cannot be written."));
    // Before SQLite opens anything: it gives its side files the main file's mode.
    if (!m_checked)
        m_tightenedModes += StoreFile::makeFilesPrivate(m_path);
    else
        StoreFile::makeFilesPrivate(m_path);

    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(m_path);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
    if (!m_db.open())
        return fail(problemFor(m_db.lastError()), sqlError(m_db.lastError()));

    Problem schemaProblem = Problem::None;
    QString why;
    if (!prepareSchema(&why, &schemaProblem))
        return fail(schemaProblem, why);

    QSqlQuery query(m_db);
    for (const char *pragma : {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = FULL", "PRAGMA foreign_keys = ON"}) {
        if (!query.exec(QString::fromLatin1(pragma)))
            return fail(problemFor(query.lastError()), sqlError(query.lastError()));
    }
    query.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(m_busyTimeoutMs));
    m_needsReconnect = false;
    return true;
}

// Brings the schema up to date, one version per transaction. Each transaction starts with a
// real write, so a store that can be opened but not written is found here, and rolled back
// untouched when there is nothing to do.
bool ModelContext::prepareSchema(QString *error, Problem *problem)
{
    QSqlQuery query(m_db);
    const auto fail = [&](const QSqlError &sqlErr) {
        *error = sqlError(sqlErr);
        *problem = problemFor(sqlErr);
        if (*problem == Problem::ReadOnly)
            *error = QStringLiteral("The store cannot be written: %1").arg(*error);
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    };

    for (;;) {
        if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
            return fail(query.lastError());
        // Read under the write lock: another instance may have created or upgraded it meanwhile.
        // The header can lag behind a write-ahead log, so the database itself is asked.
        if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
            return fail(query.lastError());
        const int version = query.value(0).toInt();
        query.finish();
        if (version > StoreFile::schemaVersion) {
            query.exec(QStringLiteral("ROLLBACK"));
            *error =
                QStringLiteral("The store was written by a newer version of Quillmoor Tarot (schema %1).").arg(version);
            *problem = Problem::Newer;
            return false;
        }
        // New stores are written in rollback-journal mode, so identity and tables reach the main
        // file itself: the header check must recognise the store even after a crash.
        const int target = version == 0 ? StoreFile::schemaVersion : std::min(version + 1, StoreFile::schemaVersion);
        if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(target)))
            return fail(query.lastError());
        if (version == target) {
            query.exec(QStringLiteral("ROLLBACK"));
            return true;
        }
        if (version != 0 && !m_checked) {
            // An upgrade is the first write: the old file is read whole first, once.
            query.exec(QStringLiteral("ROLLBACK"));
            const QString found = findDamage(m_db);
            if (!found.isEmpty()) {
                *error = found;
                *problem = Problem::Damaged;
                return false;
            }
            takeCheckResult({});
            continue;
        }
        if (version != 0 && !m_upgradeSnapshotTaken) {
            // The file as it was before any upgrade step is kept, however many steps follow.
            query.exec(QStringLiteral("ROLLBACK"));
            m_upgradeSnapshotTaken = true;
            QString why;
            if (!StoreBackups(m_path).take(StoreBackups::Kind::BeforeUpgrade, Clock::now(), version, &why))
                qCWarning(lcApp) << "No snapshot before the upgrade:" << why;
            continue;
        }
        const QStringList statements =
            version == 0 ? StoreSchema::createStatements() : StoreSchema::upgradeStatements(version);
        for (const QString &statement : statements)
            if (!query.exec(statement))
                return fail(query.lastError());
        if (!query.exec(QStringLiteral("COMMIT")))
            return fail(query.lastError());
        // Made here from nothing, so there is nothing in it to check.
        if (version == 0)
            takeCheckResult({});
    }
}

void ModelContext::disconnect()
{
    // Closing the last connection copies the write-ahead log into the main file. For a damaged
    // file that holds changes, the log is left beside it instead: it can still help whoever
    // repairs the file. An empty log is removed as usual.
    if (m_damaged && m_db.isOpen() && QFileInfo(m_path + QStringLiteral("-wal")).size() > 0) {
        const QVariant handle = m_db.driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            if (auto *db = *static_cast<sqlite3 *const *>(handle.constData()))
                sqlite3_db_config(db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    }
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

bool ModelContext::ensureConnected(QString *error)
{
    if (!m_needsReconnect && m_db.isOpen())
        return true;
    disconnect();
    if (connect(error, nullptr))
        return true;
    m_needsReconnect = true;
    return false;
}

void ModelContext::setBusyTimeout(int milliseconds)
{
    m_busyTimeoutMs = milliseconds;
    if (m_db.isOpen())
        QSqlQuery(m_db).exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(milliseconds));
}

void ModelContext::markDamaged(const QString &detail)
{
    if (m_damaged)
        return;
    m_damaged = true;
    if (!m_checked)
        StoreFile::restoreModes(std::exchange(m_tightenedModes, {}));
    emit damaged(detail);
}

void ModelContext::takeCheckResult(const QString &finding)
{
    if (!finding.isEmpty()) {
        markDamaged(finding);
        return;
    }
    if (m_checked || m_damaged)
        return;
    m_checked = true;
    m_tightenedModes.clear();
    emit checkPassed();
}

bool ModelContext::checkIntegrity(QString *error)
{
    if (!m_db.isOpen())
        return true;
    const QString found = findDamage(m_db);
    takeCheckResult(found);
    if (found.isEmpty())
        return true;
    if (error)
        *error = found;
    return false;
}

bool ModelContext::ensureChecked(QString *error)
{
    if (!m_checked && !m_damaged) {
        if (m_integrityCheck.joinable()) {
            m_integrityCheck.join();
            takeCheckResult(m_backgroundFinding);
        } else {
            takeCheckResult(findDamage(m_db));
        }
    }
    if (m_damaged && error)
        *error = QStringLiteral("The store is damaged; nothing more is written to it.");
    return m_checked && !m_damaged;
}

void ModelContext::finishBackgroundCheck()
{
    // A save may have waited for the thread already and taken its result.
    if (!m_integrityCheck.joinable())
        return;
    m_integrityCheck.join();
    takeCheckResult(m_backgroundFinding);
}

void ModelContext::checkIntegrityInBackground()
{
    if (m_integrityCheck.joinable() || m_damaged || m_checked)
        return;
    const QString path = m_path;
    const QString connectionName = m_connectionName + QStringLiteral("-check");
    m_integrityCheck = std::thread([this, path, connectionName] {
        QString found;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
            db.setDatabaseName(path);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
            if (db.open())
                found = findDamage(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(connectionName);
        m_backgroundFinding = found;
        QMetaObject::invokeMethod(this, &ModelContext::finishBackgroundCheck, Qt::QueuedConnection);
    });
}
