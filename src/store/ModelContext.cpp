#include "ModelContext.h"

#include "AppSettings.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "Reading.h"
#include "StoreFile.h"
#include "UserCardNote.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaProperty>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QUuid>

namespace {

struct RecordType
{
    const QMetaObject *meta;
    Record *(*create)();
};

// The stored types in dependency order: a reading is written before its drawn cards.
const QList<RecordType> &recordTypes()
{
    static const QList<RecordType> types{
        {&Reading::staticMetaObject, [] { return static_cast<Record *>(new Reading); }},
        {&DrawnCard::staticMetaObject, [] { return static_cast<Record *>(new DrawnCard); }},
        {&JournalEntry::staticMetaObject, [] { return static_cast<Record *>(new JournalEntry); }},
        {&UserCardNote::staticMetaObject, [] { return static_cast<Record *>(new UserCardNote); }},
        {&AppSettings::staticMetaObject, [] { return static_cast<Record *>(new AppSettings); }},
    };
    return types;
}

const RecordType *typeFor(const QMetaObject *meta)
{
    for (const RecordType &type : recordTypes())
        if (type.meta == meta)
            return &type;
    return nullptr;
}

QString tableName(const QMetaObject &meta)
{
    return QString::fromLatin1(meta.className());
}

// The stored properties of a record type: its own properties marked STORED, in declaration order.
QList<QMetaProperty> storedProperties(const QMetaObject &meta)
{
    QList<QMetaProperty> result;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (property.isStored())
            result.append(property);
    }
    return result;
}

bool isReadingLink(const QMetaProperty &property)
{
    return property.metaType() == QMetaType::fromType<Reading *>();
}

QString columnDefinition(const QMetaProperty &property)
{
    const QString name = QString::fromLatin1(property.name());
    const QMetaType type = property.metaType();
    if (isReadingLink(property))
        return name + QStringLiteral(" INTEGER REFERENCES Reading(pk) ON DELETE CASCADE");
    if (type == QMetaType::fromType<bool>())
        return name + QStringLiteral(" INTEGER NOT NULL");
    if (type == QMetaType::fromType<QDateTime>())
        return name + QStringLiteral(" INTEGER");
    return name + QStringLiteral(" TEXT");
}

QString sqlError(const QSqlError &error)
{
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return text.isEmpty() ? QStringLiteral("unknown database error") : text;
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

} // namespace

ModelContext::ModelContext(const QString &path, const QString &connectionName)
    : m_path(path), m_connectionName(connectionName)
{}

ModelContext::~ModelContext()
{
    disconnect();
}

QString ModelContext::defaultStorePath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("default.store"));
}

std::unique_ptr<ModelContext> ModelContext::open(const QString &path, QString *error)
{
    const QString connectionName = QStringLiteral("quillmoor-%1").arg(QUuid::createUuid().toString(QUuid::Id128));
    std::unique_ptr<ModelContext> context(new ModelContext(path, connectionName));
    if (!context->connect(error))
        return nullptr;
    return context;
}

bool ModelContext::connect(QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        disconnect();
        return false;
    };

    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath()))
        return fail(QStringLiteral("The data folder %1 cannot be created.").arg(info.absolutePath()));

    const StoreFile::Inspection inspection = StoreFile::inspect(m_path);
    bool isNew = false;
    switch (inspection.kind) {
    case StoreFile::Kind::Missing: {
        // Create the file ourselves so it is private to the user from the first byte.
        QFile file(m_path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return fail(QStringLiteral("The store file cannot be created: %1").arg(file.errorString()));
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        isNew = true;
        break;
    }
    case StoreFile::Kind::Empty:
        isNew = true;
        break;
    case StoreFile::Kind::Ours:
        break;
    default:
        return fail(inspection.problem);
    }

    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(m_path);
    m_db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busyTimeoutMs));
    if (!m_db.open())
        return fail(sqlError(m_db.lastError()));

    QSqlQuery query(m_db);
    // The header can lag behind a write-ahead log, so ask the database itself before writing.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return fail(sqlError(query.lastError()));
    const int version = query.value(0).toInt();
    query.finish();
    if (version > StoreFile::schemaVersion)
        return fail(
            QStringLiteral("The store was written by a newer version of Quillmoor Tarot (schema %1).").arg(version));

    if (isNew || version == 0) {
        // Identity and tables are written in rollback-journal mode so they reach the main file
        // itself: the header check above must recognise the store even after a crash.
        QStringList statements{QStringLiteral("BEGIN IMMEDIATE"),
                               QStringLiteral("PRAGMA application_id = %1").arg(StoreFile::applicationId),
                               QStringLiteral("PRAGMA user_version = %1").arg(StoreFile::schemaVersion)};
        for (const RecordType &type : recordTypes()) {
            QStringList columns{QStringLiteral("pk INTEGER PRIMARY KEY")};
            for (const QMetaProperty &property : storedProperties(*type.meta))
                columns.append(columnDefinition(property));
            statements.append(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                                  .arg(tableName(*type.meta), columns.join(QStringLiteral(", "))));
        }
        statements.append(QStringLiteral("CREATE INDEX IF NOT EXISTS DrawnCard_reading ON DrawnCard(reading)"));
        statements.append(QStringLiteral("COMMIT"));
        for (const QString &statement : statements) {
            if (!query.exec(statement)) {
                const QString why = sqlError(query.lastError());
                query.exec(QStringLiteral("ROLLBACK"));
                return fail(why);
            }
        }
    }

    for (const char *pragma : {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = FULL", "PRAGMA foreign_keys = ON"}) {
        if (!query.exec(QString::fromLatin1(pragma)))
            return fail(sqlError(query.lastError()));
    }
    query.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(m_busyTimeoutMs));
    m_needsReconnect = false;
    return true;
}

void ModelContext::disconnect()
{
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
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
    m_types[&type].loaded = true;
    return true;
}

const QList<Record *> &ModelContext::recordsInRange(const QMetaObject &type, const QString &column, qint64 from,
                                                    qint64 to)
{
    const QList<QMetaProperty> properties = storedProperties(type);
    const bool storedColumn = std::any_of(properties.cbegin(), properties.cend(),
                                          [&](const QMetaProperty &p) { return column == QLatin1String(p.name()); });
    // Readings and drawn cards point at each other and are only ever loaded whole.
    if (m_types[&type].loaded || !storedColumn || &type == &Reading::staticMetaObject ||
        &type == &DrawnCard::staticMetaObject)
        return records(type);
    loadRows(type, QStringLiteral(" WHERE %1 >= ? AND %1 < ?").arg(column), {from, to});
    return m_types[&type].live;
}

// Reads the rows of one type that `where` selects, making a live record of each row that has
// none yet; rows already live or removed are skipped, so a partial read and a later full one
// never make two records of one row.
bool ModelContext::loadRows(const QMetaObject &type, const QString &where, const QVariantList &values)
{
    TypeState &state = m_types[&type];
    if (!m_db.isOpen() && !connect(nullptr))
        return false;
    const RecordType *recordType = typeFor(&type);
    if (!recordType)
        return false;

    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT * FROM %1%2 ORDER BY pk").arg(tableName(type), where)))
        return false;
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        return false;

    QSet<qint64> known;
    for (Record *record : std::as_const(state.live))
        known.insert(record->storeId());
    for (Record *record : std::as_const(m_removed))
        known.insert(record->storeId());

    QHash<qint64, Reading *> readings;
    if (&type == &DrawnCard::staticMetaObject) {
        for (Record *record : std::as_const(m_types[&Reading::staticMetaObject].live))
            readings.insert(record->storeId(), static_cast<Reading *>(record));
    }

    const QList<QMetaProperty> properties = storedProperties(type);
    const QSqlRecord columns = query.record();
    QList<Record *> loaded;
    while (query.next()) {
        const qint64 pk = query.value(0).toLongLong();
        if (known.contains(pk))
            continue;
        Record *record = recordType->create();
        record->setParent(this);
        for (const QMetaProperty &property : properties) {
            const int column = columns.indexOf(QString::fromLatin1(property.name()));
            if (column < 0)
                continue;
            if (isReadingLink(property)) {
                if (Reading *reading = readings.value(query.value(column).toLongLong()))
                    static_cast<DrawnCard *>(record)->setReading(reading);
                continue;
            }
            property.write(record, fromColumn(property, query.value(column)));
        }
        // Assigned after the fields so loading does not count as a change.
        record->m_storeId = pk;
        record->m_context = this;
        loaded.append(record);
    }
    m_types[&type].live.append(loaded);
    return true;
}

void ModelContext::insert(Record *record)
{
    if (!record || record->m_context == this)
        return;
    record->m_context = this;
    record->m_deleted = false;
    record->setParent(this);
    // Make sure the type is loaded first, so the new record is not hidden behind a later load.
    records(*record->metaObject());
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
    if (m_needsReconnect || !m_db.isOpen()) {
        disconnect();
        if (!connect(error)) {
            m_needsReconnect = true;
            return false;
        }
    }

    QHash<Record *, qint64> newIds;
    if (!writePending(newIds, error)) {
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        // A failed save may leave the connection read-only or locked out; start afresh next time.
        m_needsReconnect = true;
        return false;
    }

    for (auto it = newIds.cbegin(); it != newIds.cend(); ++it)
        it.key()->m_storeId = it.value();
    for (Record *record : std::as_const(m_removed))
        record->deleteLater();
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
        QStringList names;
        for (const QMetaProperty &property : properties)
            names.append(QString::fromLatin1(property.name()));
        const QString insertSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(tableName(*type.meta), names.join(QStringLiteral(", ")),
                                           QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
        const QString updateSql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE pk = ?")
                                      .arg(tableName(*type.meta), names.join(QStringLiteral(" = ?, ")));

        for (Record *record : std::as_const(m_inserted)) {
            if (record->metaObject() != type.meta)
                continue;
            query.prepare(insertSql);
            for (const QMetaProperty &property : properties)
                query.addBindValue(toColumn(property, record, newIds));
            if (!query.exec())
                return fail(query.lastError());
            newIds.insert(record, query.lastInsertId().toLongLong());
        }
        for (Record *record : std::as_const(m_dirty)) {
            if (record->metaObject() != type.meta || record->m_storeId == 0)
                continue;
            query.prepare(updateSql);
            for (const QMetaProperty &property : properties)
                query.addBindValue(toColumn(property, record, newIds));
            query.addBindValue(record->m_storeId);
            if (!query.exec())
                return fail(query.lastError());
        }
    }

    if (!query.exec(QStringLiteral("COMMIT")))
        return fail(query.lastError());
    return true;
}
