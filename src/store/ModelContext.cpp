#include "ModelContext.h"

#include "DrawnCard.h"
#include "Reading.h"
#include "StoreFile.h"
#include "StoreSchema.h"

#include <QDir>
#include <QFileInfo>
#include <QMetaProperty>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <limits>
#include <sqlite3.h>
#include <utility>

using namespace StoreSchema;
using Problem = ModelContext::Problem;

namespace {

QString sqlError(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
}

// SQLite's primary result code behind a Qt error (Qt reports it as the native code).
int resultCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

// Another connection holds the file for longer than the busy timeout: worth trying again later.
bool isBusy(const QSqlError &error)
{
    const int code = resultCode(error);
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

Problem problemFor(const QSqlError &error)
{
    switch (resultCode(error)) {
    case SQLITE_READONLY:
        return Problem::ReadOnly;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return Problem::Damaged;
    default:
        return Problem::CannotOpen;
    }
}

// A property value as it is written to its column. Absent optional texts become NULL.
QVariant toColumn(const QMetaProperty &property, const Record *record, const QHash<Record *, qint64> &newIds)
{
    const QVariant value = property.read(record);
    const QMetaType type = property.metaType();
    if (isReadingLink(property)) {
        auto *reading = value.value<Reading *>();
        if (!reading || reading->context() != record->context() || reading->isDeleted())
            return QVariant(QMetaType::fromType<qint64>());
        const qint64 id = reading->storeId() ? reading->storeId() : newIds.value(reading, 0);
        return id ? QVariant(id) : QVariant(QMetaType::fromType<qint64>());
    }
    if (type == QMetaType::fromType<bool>())
        return value.toBool() ? 1 : 0;
    if (type == QMetaType::fromType<QDateTime>()) {
        const QDateTime dt = value.toDateTime();
        return dt.isValid() ? QVariant(dt.toMSecsSinceEpoch()) : QVariant(QMetaType::fromType<qint64>());
    }
    if (type == QMetaType::fromType<QUuid>())
        return value.toUuid().toString(QUuid::WithoutBraces);
    const QString text = value.toString();
    return text.isNull() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

QVariant fromColumn(const QMetaProperty &property, const QVariant &column)
{
    const QMetaType type = property.metaType();
    if (type == QMetaType::fromType<bool>())
        return column.toLongLong() != 0;
    if (type == QMetaType::fromType<QDateTime>())
        return column.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(column.toLongLong());
    if (type == QMetaType::fromType<QUuid>())
        return QUuid::fromString(column.toString());
    return column.isNull() ? QString() : column.toString();
}

QStringList columnNames(const QList<QMetaProperty> &properties)
{
    QStringList names;
    for (const QMetaProperty &property : properties)
        names.append(QString::fromLatin1(property.name()));
    return names;
}

// Inserts a row for every stored property; with `onlyIntoEmptyTable`, only when the table has
// no row yet, decided by the same statement.
QString insertSql(const QMetaObject &type, bool onlyIntoEmptyTable)
{
    const QString table = tableName(type);
    const QStringList names = columnNames(storedProperties(type));
    const QString values = QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", "));
    if (onlyIntoEmptyTable)
        return QStringLiteral("INSERT INTO %1 (%2) SELECT %3 WHERE NOT EXISTS (SELECT 1 FROM %1)")
            .arg(table, names.join(QStringLiteral(", ")), values);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table, names.join(QStringLiteral(", ")), values);
}

bool bindAndExec(QSqlQuery &query, const QList<QMetaProperty> &properties, const Record *record,
                 const QHash<Record *, qint64> &newIds)
{
    for (int i = 0; i < properties.size(); ++i)
        query.bindValue(i, toColumn(properties.at(i), record, newIds));
    return query.exec();
}

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

const QList<Record *> &ModelContext::records(const QMetaObject &type)
{
    TypeState &state = m_types[&type];
    if (!state.loaded) {
        // Drawn cards point at readings, so the two are always loaded together.
        if (&type == &DrawnCard::staticMetaObject || &type == &Reading::staticMetaObject) {
            if (loadType(Reading::staticMetaObject))
                loadType(DrawnCard::staticMetaObject);
        } else {
            loadType(type);
        }
    }
    return m_types[&type].live;
}

bool ModelContext::loadType(const QMetaObject &type)
{
    if (m_types[&type].loaded)
        return true;
    if (!loadRows(type, QString(), {}))
        return false; // a failed fetch counts as an empty result; the next fetch tries again
    // Records read earlier by a partial query, or inserted before this first full read, stand
    // where they came; an unsorted fetch lists the type in storage order, then the new ones in
    // the order they were inserted.
    QList<Record *> &live = m_types[&type].live;
    std::stable_sort(live.begin(), live.end(), [](const Record *a, const Record *b) {
        const qint64 left = a->m_storeId == 0 ? std::numeric_limits<qint64>::max() : a->m_storeId;
        const qint64 right = b->m_storeId == 0 ? std::numeric_limits<qint64>::max() : b->m_storeId;
        return left < right;
    });
    m_types[&type].loaded = true;
    return !m_damaged;
}

QList<Record *> ModelContext::recordsWhere(const QMetaObject &type, const RowQuery &query)
{
    TypeState &state = m_types[&type];
    QList<Record *> result;
    if (state.loaded) {
        result = state.live;
    } else {
        QString clause;
        if (!query.where.isEmpty())
            clause += QStringLiteral(" WHERE ") + query.where;
        clause += QStringLiteral(" ORDER BY ") + (query.orderBy.isEmpty() ? QStringLiteral("pk") : query.orderBy);
        if (query.limit >= 0) {
            // Rows removed, or changed in memory so they may no longer match, must not leave
            // the window short: read that many more.
            qsizetype spare = 0;
            for (Record *record : std::as_const(m_dirty))
                spare += record->metaObject() == &type;
            for (Record *record : std::as_const(m_removed))
                spare += record->metaObject() == &type;
            clause += QStringLiteral(" LIMIT %1").arg(query.limit + spare);
        }
        loadRows(type, clause, query.values, &result);
        // A reading comes with all of its drawn cards, so what it shows is complete.
        if (&type == &Reading::staticMetaObject)
            loadDrawnCardsOf(result);
        // Records not yet written as they are in memory are judged by their values here.
        for (Record *record : std::as_const(state.live))
            if ((record->m_storeId == 0 || m_dirty.contains(record)) && !result.contains(record))
                result.append(record);
    }
    return result;
}

QVariantList ModelContext::storedValues(const QMetaObject &type, const QString &column, const RowQuery &query)
{
    QVariantList values;
    const QList<StoredValue> rows = storedRows(type, column, query);
    values.reserve(rows.size());
    for (const StoredValue &row : rows)
        values.append(row.value);
    return values;
}

QList<ModelContext::StoredValue> ModelContext::storedRows(const QMetaObject &type, const QString &column,
                                                          const RowQuery &query)
{
    QList<StoredValue> values;
    if (!m_db.isOpen() && !connect(nullptr, nullptr))
        return values;
    QSet<qint64> inMemory;
    for (Record *record : std::as_const(m_dirty))
        if (record->metaObject() == &type)
            inMemory.insert(record->m_storeId);
    for (Record *record : std::as_const(m_removed))
        if (record->metaObject() == &type)
            inMemory.insert(record->m_storeId);
    QString sql = QStringLiteral("SELECT pk, %1 FROM %2").arg(column, tableName(type));
    if (!query.where.isEmpty())
        sql += QStringLiteral(" WHERE ") + query.where;
    sql += QStringLiteral(" ORDER BY ") + (query.orderBy.isEmpty() ? QStringLiteral("pk") : query.orderBy);
    if (query.limit >= 0)
        sql += QStringLiteral(" LIMIT %1").arg(query.limit + inMemory.size());
    QSqlQuery rows(m_db);
    rows.setForwardOnly(true);
    bool ran = rows.prepare(sql);
    for (const QVariant &value : query.values)
        rows.addBindValue(value);
    if (!ran || !rows.exec()) {
        if (!isBusy(rows.lastError()))
            markDamaged(sqlError(rows.lastError()));
        return values;
    }
    while (rows.next()) {
        const qint64 pk = rows.value(0).toLongLong();
        if (!inMemory.contains(pk))
            values.append({pk, rows.value(1)});
    }
    if (rows.lastError().isValid())
        markDamaged(sqlError(rows.lastError()));
    return values;
}

void ModelContext::loadDrawnCardsOf(const QList<Record *> &readings)
{
    if (m_types[&DrawnCard::staticMetaObject].loaded)
        return;
    QStringList ids;
    for (Record *reading : readings) {
        if (reading->m_storeId != 0 && !m_drawnCardsRead.contains(reading->m_storeId)) {
            ids.append(QString::number(reading->m_storeId));
            m_drawnCardsRead.insert(reading->m_storeId);
        }
    }
    if (!ids.isEmpty())
        loadRows(DrawnCard::staticMetaObject, QStringLiteral(" WHERE reading IN (%1)").arg(ids.join(u',')), {});
}

// Reads the rows of one type that `where` selects, making a live record of each row that has
// none yet; rows already live or removed are skipped, so a partial read and a later full one
// never make two records of one row.
bool ModelContext::loadRows(const QMetaObject &type, const QString &where, const QVariantList &values,
                            QList<Record *> *rows)
{
    if (!m_db.isOpen() && !connect(nullptr, nullptr))
        return false;
    const RecordType *recordType = typeFor(&type);
    if (!recordType)
        return false;

    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    // `where` may carry its own ORDER BY and LIMIT; otherwise rows come in storage order.
    const QString clause = where.contains(QLatin1String("ORDER BY")) ? where : where + QStringLiteral(" ORDER BY pk");
    bool ran = query.prepare(QStringLiteral("SELECT * FROM %1%2").arg(tableName(type), clause));
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!ran || !query.exec()) {
        // Held by another writer: an empty result for now, and the next fetch tries again.
        // Anything else means the file cannot be read as it should.
        if (!isBusy(query.lastError()))
            markDamaged(sqlError(query.lastError()));
        return false;
    }

    // Rows already in memory are reused; rows of removed records are skipped. Both entries
    // exist before either reference is taken, so neither moves.
    m_types[&Reading::staticMetaObject];
    TypeState &state = m_types[&type];
    const QHash<qint64, Record *> &readings = m_types[&Reading::staticMetaObject].stored;

    const QList<QMetaProperty> properties = storedProperties(type);
    const QSqlRecord columns = query.record();
    QList<int> columnOf;
    for (const QMetaProperty &property : properties)
        columnOf.append(columns.indexOf(QString::fromLatin1(property.name())));
    QList<Record *> loaded;
    while (query.next()) {
        const qint64 pk = query.value(0).toLongLong();
        if (Record *known = state.stored.value(pk)) {
            if (rows && !known->m_deleted)
                rows->append(known);
            continue;
        }
        Record *record = recordType->create();
        record->setParent(this);
        for (int i = 0; i < properties.size(); ++i) {
            const int column = columnOf.at(i);
            if (column < 0)
                continue;
            const QMetaProperty &property = properties.at(i);
            if (isReadingLink(property)) {
                Record *reading = readings.value(query.value(column).toLongLong());
                if (reading && !reading->m_deleted)
                    static_cast<DrawnCard *>(record)->setReading(static_cast<Reading *>(reading));
                continue;
            }
            property.write(record, fromColumn(property, query.value(column)));
        }
        // Assigned after the fields so loading does not count as a change.
        record->m_storeId = pk;
        record->m_context = this;
        record->m_changedProperties = 0;
        state.stored.insert(pk, record);
        loaded.append(record);
        if (rows)
            rows->append(record);
    }
    state.live.append(loaded);
    // A read error part-way through leaves a partial list: the file is damaged, and whatever
    // was read stays in memory only.
    if (query.lastError().isValid())
        markDamaged(sqlError(query.lastError()));
    return !m_damaged;
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

void ModelContext::insert(Record *record)
{
    if (!record || record->m_context == this)
        return;
    record->m_context = this;
    record->m_deleted = false;
    record->setParent(this);
    // The stored rows stay on disk: a later load skips the rows it already has live, so the
    // new record is neither hidden nor made twice, and storing a reading in a long history
    // does not read the whole history first.
    m_types[record->metaObject()].live.append(record);
    m_inserted.append(record);
    scheduleChanged();

    // Related records are stored together, as one would expect from attaching them.
    if (auto *reading = qobject_cast<Reading *>(record)) {
        for (DrawnCard *card : reading->drawnCards())
            if (!card->context())
                insert(card);
    } else if (auto *card = qobject_cast<DrawnCard *>(record)) {
        if (card->reading() && !card->reading()->context())
            insert(card->reading());
    }
}

bool ModelContext::insertIfNoneStored(Record *record, QString *error)
{
    if (!record || record->m_context)
        return false;
    const QMetaObject &type = *record->metaObject();
    records(type); // rows found below then join what is loaded already
    const auto failed = [&](const QString &why) {
        if (error)
            *error = why;
        insert(record);
        return false;
    };
    if (m_damaged)
        return failed(QStringLiteral("The store is damaged; nothing more is written to it."));
    if (!ensureConnected(error)) {
        insert(record);
        return false;
    }
    QString unchecked;
    if (!ensureChecked(&unchecked))
        return failed(unchecked);

    QSqlQuery query(m_db);
    bool inserted = false;
    qint64 id = 0;
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failed(sqlError(query.lastError()));
    query.prepare(insertSql(type, true));
    if (!bindAndExec(query, storedProperties(type), record, {})) {
        const QString why = sqlError(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        m_needsReconnect = true;
        return failed(why);
    }
    inserted = query.numRowsAffected() == 1;
    id = query.lastInsertId().toLongLong();
    if (!query.exec(QStringLiteral("COMMIT"))) {
        const QString why = sqlError(query.lastError());
        query.exec(QStringLiteral("ROLLBACK"));
        m_needsReconnect = true;
        return failed(why);
    }

    if (inserted) {
        record->m_context = this;
        record->m_deleted = false;
        record->m_storeId = id;
        record->m_changedProperties = 0;
        record->setParent(this);
        m_types[&type].live.append(record);
        m_types[&type].stored.insert(id, record);
    } else {
        delete record;
        // Another context stored one: load the rows this context has not seen yet.
        m_types[&type].loaded = false;
        loadType(type);
    }
    scheduleChanged();
    return true;
}

void ModelContext::remove(Record *record)
{
    if (!record || record->m_context != this || record->m_deleted)
        return;
    if (auto *reading = qobject_cast<Reading *>(record)) {
        const QList<DrawnCard *> cards = reading->drawnCards();
        for (DrawnCard *card : cards)
            remove(card);
    } else if (auto *card = qobject_cast<DrawnCard *>(record)) {
        // A drawn card removed on its own leaves its reading's list.
        if (card->reading() && !card->reading()->isDeleted())
            card->setReading(nullptr);
    }
    record->m_deleted = true;
    m_types[record->metaObject()].live.removeOne(record);
    m_dirty.remove(record);
    if (m_inserted.removeOne(record))
        record->deleteLater();
    else
        m_removed.append(record);
    scheduleChanged();
}

void ModelContext::recordChanged(Record *record)
{
    if (record->m_deleted)
        return;
    if (record->m_storeId != 0)
        m_dirty.insert(record);
    scheduleChanged();
}

void ModelContext::scheduleChanged()
{
    if (m_changeQueued)
        return;
    m_changeQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_changeQueued = false;
            emit changed();
        },
        Qt::QueuedConnection);
}

bool ModelContext::hasChanges() const
{
    return !m_inserted.isEmpty() || !m_dirty.isEmpty() || !m_removed.isEmpty();
}

bool ModelContext::save(QString *error)
{
    if (!hasChanges())
        return true;
    if (m_damaged) {
        if (error)
            *error = QStringLiteral("The store is damaged; nothing more is written to it.");
        return false;
    }
    if (!ensureConnected(error) || !ensureChecked(error))
        return false;

    QHash<Record *, qint64> newIds;
    if (!writePending(newIds, error)) {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        // A failed save may leave the connection read-only or locked out; start afresh next time.
        m_needsReconnect = true;
        return false;
    }

    for (auto it = newIds.cbegin(); it != newIds.cend(); ++it) {
        it.key()->m_storeId = it.value();
        it.key()->m_changedProperties = 0;
        m_types[it.key()->metaObject()].stored.insert(it.value(), it.key());
    }
    for (Record *record : std::as_const(m_dirty))
        record->m_changedProperties = 0;
    for (Record *record : std::as_const(m_removed)) {
        m_types[record->metaObject()].stored.remove(record->m_storeId);
        record->deleteLater();
    }
    m_inserted.clear();
    m_dirty.clear();
    m_removed.clear();
    return true;
}

bool ModelContext::writePending(QHash<Record *, qint64> &newIds, QString *error)
{
    QSqlQuery query(m_db);
    const auto fail = [&](const QSqlError &sqlErr) {
        if (error)
            *error = sqlError(sqlErr);
        return false;
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(query.lastError());

    for (Record *record : std::as_const(m_removed)) {
        if (record->m_storeId == 0)
            continue;
        query.prepare(QStringLiteral("DELETE FROM %1 WHERE pk = ?").arg(tableName(*record->metaObject())));
        query.addBindValue(record->m_storeId);
        if (!query.exec())
            return fail(query.lastError());
    }

    for (const RecordType &type : recordTypes()) {
        const QList<QMetaProperty> properties = storedProperties(*type.meta);
        bool prepared = false;
        for (Record *record : std::as_const(m_inserted)) {
            if (record->metaObject() != type.meta)
                continue;
            if (!prepared && !query.prepare(insertSql(*type.meta, false)))
                return fail(query.lastError());
            prepared = true;
            if (!bindAndExec(query, properties, record, newIds))
                return fail(query.lastError());
            newIds.insert(record, query.lastInsertId().toLongLong());
        }
        // Only the columns that changed: another window or process may have changed the others
        // since this context read the row, and an old copy must not write them back.
        for (Record *record : std::as_const(m_dirty)) {
            if (record->metaObject() != type.meta || record->m_storeId == 0)
                continue;
            QList<QMetaProperty> changed;
            for (const QMetaProperty &property : properties)
                if (record->m_changedProperties & (quint64(1) << property.propertyIndex()))
                    changed.append(property);
            if (changed.isEmpty())
                continue;
            query.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE pk = ?")
                              .arg(tableName(*type.meta), columnNames(changed).join(QStringLiteral(" = ?, "))));
            for (int i = 0; i < changed.size(); ++i)
                query.bindValue(i, toColumn(changed.at(i), record, newIds));
            query.bindValue(changed.size(), record->m_storeId);
            if (!query.exec())
                return fail(query.lastError());
        }
    }

    if (!query.exec(QStringLiteral("COMMIT")))
        return fail(query.lastError());
    return true;
}
