#include "SyncEngine.h"

#include "SyncSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QMetaProperty>
#include <QSaveFile>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSysInfo>
#include <QUuid>

#include <atomic>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace SyncSchema;

namespace {

constexpr int formatVersion = 1;
// Lines applied between commits, so the window's saves never wait long for a first sync.
constexpr int linesPerTransaction = 4000;

const QString formatKey = u"quillmoor-sync"_s;

// A value as compact JSON text: how values are stored, compared and written.
QString valueText(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QJsonValue valueFrom(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(('[' + text + ']').toUtf8());
    return document.isArray() && !document.array().isEmpty() ? document.array().first() : QJsonValue();
}

QJsonValue jsonOf(const QVariant &column)
{
    if (column.isNull())
        return QJsonValue::Null;
    switch (column.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return double(column.toLongLong());
    case QMetaType::Double:
        return column.toDouble();
    default:
        return column.toString();
    }
}

// A record's shared fields are kept as {"h": [clocks], "v": {"field": [clock index, value]}}:
// the fields one change wrote share its clock, written once.
QString compactFields(const QJsonObject &fields)
{
    QStringList clocks;
    QJsonObject values;
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it) {
        const QJsonArray entry = it.value().toArray();
        qsizetype index = clocks.indexOf(entry.at(0).toString());
        if (index < 0) {
            index = clocks.size();
            clocks.append(entry.at(0).toString());
        }
        values.insert(it.key(), QJsonArray{double(index), entry.at(1)});
    }
    const QJsonObject stored{{u"h"_s, QJsonArray::fromStringList(clocks)}, {u"v"_s, values}};
    return QString::fromUtf8(QJsonDocument(stored).toJson(QJsonDocument::Compact));
}

// The fields as {"field": [clock, value]}.
QJsonObject expandFields(const QString &text)
{
    const QJsonObject stored = QJsonDocument::fromJson(text.toUtf8()).object();
    const QJsonArray clocks = stored.value(u"h"_s).toArray();
    const QJsonObject values = stored.value(u"v"_s).toObject();
    QJsonObject fields;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
        const QJsonArray entry = it.value().toArray();
        fields.insert(it.key(), QJsonArray{clocks.at(int(entry.at(0).toDouble())), entry.at(1)});
    }
    return fields;
}

// The first line of a change file: the format and its writer, and for a compaction's snapshot
// the last change it stands for.
QByteArray headerLine(const QString &device, const QString &covers)
{
    QJsonObject header{{formatKey, formatVersion}, {u"device"_s, device}};
    if (!covers.isEmpty())
        header.insert(u"covers"_s, covers);
    return QJsonDocument(header).toJson(QJsonDocument::Compact) + '\n';
}

QString dayOf(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs).date().toString(Qt::ISODate);
}

QString shortId(const QString &deviceId)
{
    return deviceId.right(12);
}

QString clockDevice(const QString &hlc)
{
    return hlc.section(u'-', 2);
}

bool isEmptyValue(const QString &text)
{
    return text == u"null" || text == u"\"\"";
}

QString sqlFailure(const QSqlQuery &query)
{
    return query.lastError().text();
}

// The type a column's values are written in.
enum class ColumnType { Text, Integer, Flag };

ColumnType columnType(const Table &table, const QString &column)
{
    const int index = table.meta->indexOfProperty(column.toLatin1().constData());
    if (index < 0)
        return ColumnType::Text;
    const QMetaType type = table.meta->property(index).metaType();
    if (type == QMetaType::fromType<bool>())
        return ColumnType::Flag;
    if (type == QMetaType::fromType<QDateTime>())
        return ColumnType::Integer;
    return ColumnType::Text;
}

QVariant columnOf(ColumnType type, const QJsonValue &value)
{
    switch (type) {
    case ColumnType::Flag:
        return value.isBool() ? int(value.toBool()) : int(value.toDouble() != 0);
    case ColumnType::Integer:
        return value.isDouble() ? QVariant(qint64(value.toDouble())) : QVariant();
    case ColumnType::Text:
        return value.isString() ? QVariant(value.toString()) : QVariant();
    }
    return {};
}

QString tableName(const Table &table)
{
    return QString::fromLatin1(table.meta->className());
}

QString folderProblem(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.exists())
        return QObject::tr("The folder is not there: %1").arg(folder);
    if (!info.isDir())
        return QObject::tr("This is a file, not a folder: %1").arg(folder);
    if (!info.isWritable())
        return QObject::tr("The folder is not writable");
    return {};
}

} // namespace

namespace {

bool validKey(const QString &key)
{
    const QString kind = key.section(u'/', 0, 0);
    const QString id = key.section(u'/', 1);
    if (kind == u"settings")
        return key == u"settings";
    if (kind == u"journal")
        return QDate::fromString(id, Qt::ISODate).isValid();
    if (kind == u"note")
        return !id.isEmpty() && id.size() < 64;
    return tableOfKind(kind) && !QUuid::fromString(id).isNull();
}

bool validValue(const Table &table, const QString &field, const QJsonValue &value)
{
    if (field == deletedField)
        return value.isBool();
    if (field == cardsField) {
        if (table.kind != u"reading" || !value.isArray())
            return false;
        for (const QJsonValue &card : value.toArray())
            if (!card.isArray() || card.toArray().size() != 3 || !card.toArray().at(0).isString())
                return false;
        return true;
    }
    const auto known = std::find_if(table.fields.begin(), table.fields.end(),
                                    [&](const Field &candidate) { return candidate.name == field; });
    if (known == table.fields.end())
        return false;
    if (known->merge == Merge::Text)
        return value.isString() || value.isNull();
    // A field of several columns is a list of them; the others are one plain value.
    return !value.isObject() && (value.isArray() ? known->merge == Merge::FirstValue : true);
}

} // namespace

struct SyncEngine::Device
{
    QString id;
    QString name;
    QString folder;
    QString lastHlc;
    QString exportedTo;
    bool logging = false;
    qint64 wall = 0;
    int counter = 0;
    int segment = 0;
};

struct SyncEngine::Line
{
    QString key;
    QString hlc;
    QJsonObject values;
    QJsonObject bases; // for long texts: the versions this one replaced
    // Versions of long texts that later ones replaced, without their text: what each replaced
    // still settles a conflict on a computer that knows only the older version.
    QJsonObject replaced;

    QByteArray text() const
    {
        QJsonObject object{{u"k"_s, key}, {u"h"_s, hlc}};
        if (!values.isEmpty())
            object.insert(u"v"_s, values);
        if (!bases.isEmpty())
            object.insert(u"b"_s, bases);
        if (!replaced.isEmpty())
            object.insert(u"r"_s, replaced);
        return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    }
};

bool SyncEngine::plausible(const Line &line)
{
    if (!validKey(line.key) || line.hlc.count(u'-') != 2 || (line.values.isEmpty() && line.replaced.isEmpty()))
        return false;
    const Table *table =
        line.key == u"settings" ? tableOfKind(u"settings"_s) : tableOfKind(line.key.section(u'/', 0, 0));
    for (auto it = line.values.constBegin(); it != line.values.constEnd(); ++it)
        if (!validValue(*table, it.key(), it.value()))
            return false;
    for (auto it = line.replaced.constBegin(); it != line.replaced.constEnd(); ++it)
        if (mergeOf(*table, it.key()) != Merge::Text || !it.value().isArray())
            return false;
    return true;
}

// One write transaction in which the store's own change log stays quiet: what sync writes
// to the records is not a change of this computer's to send out again.
class SyncEngine::Transaction
{
public:
    explicit Transaction(SyncEngine &engine) : m_engine(engine), m_db(engine.m_db)
    {
        m_engine.forgetFields();
        QSqlQuery query(m_db);
        m_open = query.exec(u"BEGIN IMMEDIATE"_s);
        if (!m_open) {
            m_error = sqlFailure(query);
            return;
        }
        query.exec(u"UPDATE SyncDevice SET applying = 1"_s);
    }
    ~Transaction()
    {
        if (m_open) {
            QSqlQuery(m_db).exec(u"ROLLBACK"_s);
            m_engine.forgetFields();
        }
    }
    bool isOpen() const { return m_open; }
    QString error() const { return m_error; }
    bool commit()
    {
        QSqlQuery query(m_db);
        const bool done =
            m_engine.flushFields() && query.exec(u"UPDATE SyncDevice SET applying = 0"_s) && query.exec(u"COMMIT"_s);
        if (!done) {
            m_error = query.lastError().isValid() ? sqlFailure(query) : m_db.lastError().text();
            return false;
        }
        m_open = false;
        return true;
    }

private:
    SyncEngine &m_engine;
    QSqlDatabase &m_db;
    bool m_open = false;
    QString m_error;
};

SyncEngine::SyncEngine(const QString &storePath, WallClock clock) : m_storePath(storePath), m_clock(std::move(clock))
{
    static std::atomic<int> next{0};
    m_connectionName = u"sync-%1"_s.arg(next++);
    if (!m_clock)
        m_clock = [] { return QDateTime::currentMSecsSinceEpoch(); };
}

SyncEngine::~SyncEngine()
{
    m_statements.clear();
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

QString SyncEngine::folderName()
{
    return u"Quillmoor Tarot sync"_s;
}

QSqlQuery &SyncEngine::statement(const QString &sql)
{
    auto &slot = m_statements[sql];
    if (!slot) {
        slot = std::make_unique<QSqlQuery>(m_db);
        slot->prepare(sql);
    }
    return *slot;
}

QJsonObject &SyncEngine::fieldsOf(const QString &key)
{
    auto it = m_fields.find(key);
    if (it != m_fields.end())
        return *it;
    QSqlQuery &query = statement(u"SELECT fields FROM SyncRecord WHERE rowKey = ?"_s);
    query.bindValue(0, key);
    QJsonObject fields;
    if (query.exec() && query.next())
        fields = expandFields(query.value(0).toString());
    query.finish();
    return *m_fields.insert(key, fields);
}

bool SyncEngine::flushFields()
{
    QSqlQuery &query = statement(u"INSERT OR REPLACE INTO SyncRecord VALUES (?, ?)"_s);
    for (const QString &key : std::as_const(m_changedFields)) {
        query.bindValue(0, key);
        query.bindValue(1, compactFields(m_fields.value(key)));
        if (!query.exec())
            return false;
    }
    m_changedFields.clear();
    return true;
}

void SyncEngine::forgetFields()
{
    m_fields.clear();
    m_changedFields.clear();
}

bool SyncEngine::openStore(QString *error)
{
    if (m_db.isOpen())
        return true;
    if (!QFileInfo::exists(m_storePath)) {
        *error = QObject::tr("There is no store at %1.").arg(m_storePath);
        return false;
    }
    m_db = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName);
    m_db.setDatabaseName(m_storePath);
    m_db.setConnectOptions(u"QSQLITE_BUSY_TIMEOUT=10000"_s);
    if (!m_db.open()) {
        *error = m_db.lastError().text();
        return false;
    }
    QSqlQuery query(m_db);
    query.exec(u"PRAGMA foreign_keys = ON"_s);
    // What a pass writes can always be written again from the folder's files: a power cut that
    // takes its last transaction back only means the next pass reads those changes again.
    query.exec(u"PRAGMA synchronous = NORMAL"_s);
    // A first sync writes a lot at once: the write-ahead log is cut back once it is copied in.
    query.exec(u"PRAGMA journal_size_limit = 4194304"_s);
    if (!query.exec(u"SELECT 1 FROM SyncDevice LIMIT 0"_s)) {
        *error = QObject::tr("The store has not been opened by this version of Quillmoor Tarot yet.");
        return false;
    }
    return true;
}

bool SyncEngine::loadDevice(Device &device, QString *error)
{
    QSqlQuery query(m_db);
    if (!query.exec(u"SELECT deviceId, name, folder, lastHlc, exportedTo, logging, clockWall, clockCounter, segment "
                    "FROM SyncDevice"_s)) {
        *error = sqlFailure(query);
        return false;
    }
    if (!query.next()) {
        *error = QObject::tr("This computer has no sync identity yet.");
        return false;
    }
    device = {query.value(0).toString(),   query.value(1).toString(), query.value(2).toString(),
              query.value(3).toString(),   query.value(4).toString(), query.value(5).toBool(),
              query.value(6).toLongLong(), query.value(7).toInt(),    query.value(8).toInt()};
    return true;
}

bool SyncEngine::ensureDevice(QString *error)
{
    if (!openStore(error))
        return false;
    QSqlQuery query(m_db);
    QString name = QSysInfo::machineHostName();
    if (name.isEmpty())
        name = QObject::tr("This computer");
    query.prepare(u"INSERT OR IGNORE INTO SyncDevice (only, deviceId, name) VALUES (1, ?, ?)"_s);
    query.addBindValue(QUuid::createUuid().toString(QUuid::WithoutBraces));
    query.addBindValue(name);
    if (!query.exec()) {
        *error = sqlFailure(query);
        return false;
    }
    return true;
}

bool SyncEngine::saveDevice(const Device &device)
{
    QSqlQuery query(m_db);
    query.prepare(u"UPDATE SyncDevice SET lastHlc = ?, exportedTo = ?, logging = ?, clockWall = ?, clockCounter = ?, "
                  "segment = ?"_s);
    for (const QVariant &value : {QVariant(device.lastHlc), QVariant(device.exportedTo), QVariant(int(device.logging)),
                                  QVariant(device.wall), QVariant(device.counter), QVariant(device.segment)})
        query.addBindValue(value);
    return query.exec();
}

// A hybrid logical clock reads the wall clock but never goes back, and never falls behind a
// change it has seen: a change made after another one always sorts after it, whatever the
// computers' clocks say.
QString SyncEngine::tick(Device &device)
{
    const qint64 now = m_clock();
    if (now > device.wall) {
        device.wall = now;
        device.counter = 0;
    } else if (++device.counter > 0xffff) {
        ++device.wall;
        device.counter = 0;
    }
    return u"%1-%2-%3"_s.arg(device.wall, 13, 10, QChar(u'0'))
        .arg(device.counter, 4, 16, QChar(u'0'))
        .arg(shortId(device.id));
}

void SyncEngine::witness(Device &device, const QString &hlc)
{
    bool ok = false;
    const qint64 wall = hlc.section(u'-', 0, 0).toLongLong(&ok);
    const int counter = hlc.section(u'-', 1, 1).toInt(nullptr, 16);
    if (ok && (wall > device.wall || (wall == device.wall && counter > device.counter))) {
        device.wall = wall;
        device.counter = counter;
    }
}

QString SyncEngine::ownFolder(const Device &device) const
{
    return QDir(device.folder).filePath(folderName() + u'/' + device.id);
}

SyncEngine::Status SyncEngine::status()
{
    // Only reads: a store is not written before it has been checked.
    Status status;
    QString error;
    Device device;
    if (!openStore(&error)) {
        status.problem = error;
        return status;
    }
    if (!loadDevice(device, &error)) {
        status.deviceName = QSysInfo::machineHostName();
        return status;
    }
    QSqlQuery query(m_db);
    query.exec(u"SELECT lastSynced, lastIn, lastOut, problem FROM SyncDevice"_s);
    if (query.next()) {
        if (!query.value(0).isNull())
            status.lastSynced = QDateTime::fromMSecsSinceEpoch(query.value(0).toLongLong());
        status.lastIn = query.value(1).toInt();
        status.lastOut = query.value(2).toInt();
        status.problem = query.value(3).toString();
    }
    status.deviceId = device.id;
    status.deviceName = device.name;
    status.folder = device.folder;
    query.exec(u"SELECT deviceId, name FROM SyncPeer ORDER BY name"_s);
    while (query.next())
        status.peers.append({query.value(0).toString(), query.value(1).toString()});
    return status;
}

bool SyncEngine::setFolder(const QString &folder, QString *error)
{
    if (!ensureDevice(error))
        return false;
    const QString chosen = folder.isEmpty() ? u""_s : QDir::cleanPath(QDir(folder).absolutePath());
    if (!chosen.isEmpty()) {
        const QString problem = folderProblem(chosen);
        if (!problem.isEmpty()) {
            *error = problem;
            return false;
        }
    }
    QSqlQuery query(m_db);
    query.prepare(u"UPDATE SyncDevice SET folder = ?, problem = ''"_s);
    query.addBindValue(chosen);
    if (!query.exec()) {
        *error = sqlFailure(query);
        return false;
    }
    return true;
}

bool SyncEngine::setDeviceName(const QString &name, QString *error)
{
    if (!ensureDevice(error))
        return false;
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        *error = QObject::tr("A computer needs a name.");
        return false;
    }
    QSqlQuery query(m_db);
    query.prepare(u"UPDATE SyncDevice SET name = ?"_s);
    query.addBindValue(trimmed.left(80));
    if (!query.exec()) {
        *error = sqlFailure(query);
        return false;
    }
    return true;
}

// The first pass sends everything already here. The settings go with the oldest possible
// clock, so that a computer just set up takes the settings of one used before, while any
// change made to them later wins.
bool SyncEngine::queueEverything()
{
    QSqlQuery query(m_db);
    for (const Table &table : tables()) {
        if (table.keyColumn.isEmpty())
            continue;
        if (!query.exec(u"INSERT OR IGNORE INTO SyncOutbox SELECT '%1', %2, '*' FROM %1"_s.arg(tableName(table),
                                                                                               table.keyColumn)))
            return false;
    }
    return query.exec(u"INSERT OR IGNORE INTO SyncOutbox SELECT 'AppSettings', pk, 'seed' FROM AppSettings"_s);
}

namespace {

// The value of one shared field of a row.
// `cards` reads a reading's drawn cards in order.
QJsonValue fieldValue(QSqlQuery &cards, const Table &table, const QSqlRecord &row, const QString &field)
{
    if (field == cardsField) {
        cards.bindValue(0, row.value(u"pk"_s));
        cards.exec();
        QJsonArray list;
        while (cards.next())
            list.append(QJsonArray{jsonOf(cards.value(0)), jsonOf(cards.value(1)), jsonOf(cards.value(2))});
        return list;
    }
    QList<const Column *> columns;
    for (const Column &column : table.columns)
        if (column.field == field)
            columns.append(&column);
    if (columns.size() == 1)
        return jsonOf(row.value(columns.first()->column));
    // A field of several columns (the day's card: its card, side and prompt) is empty while its
    // first column is.
    const QVariant first = row.value(columns.first()->column);
    if (first.isNull() || first.toString().isEmpty())
        return QJsonValue::Null;
    QJsonArray parts;
    for (const Column *column : columns)
        parts.append(jsonOf(row.value(column->column)));
    return parts;
}

QStringList fieldNames(const Table &table)
{
    QStringList names;
    for (const Field &field : table.fields)
        names.append(field.name);
    return names;
}

} // namespace

bool SyncEngine::exportChanges(Device &device, Pass &pass, QList<Line> &lines)
{
    const auto failed = [&pass](const QSqlQuery &query) {
        pass.error = sqlFailure(query);
        return false;
    };
    QSqlQuery outbox(m_db);
    outbox.setForwardOnly(true);
    if (!outbox.exec(u"SELECT tbl, rowKey, group_concat(field, ',') FROM SyncOutbox GROUP BY tbl, rowKey"_s))
        return failed(outbox);
    QSqlQuery &addVersion = statement(u"INSERT OR IGNORE INTO SyncVersion VALUES (?, ?, ?, ?, ?)"_s);
    QSqlQuery &prune = statement(u"UPDATE SyncVersion SET value = NULL WHERE rowKey = ? AND field = ? AND hlc = ?"_s);
    QSqlQuery &cards =
        statement(u"SELECT cardId, positionId, isReversed FROM DrawnCard WHERE reading = ? ORDER BY pk"_s);

    while (outbox.next()) {
        const Table *table = nullptr;
        for (const Table &candidate : tables())
            if (tableName(candidate) == outbox.value(0).toString())
                table = &candidate;
        if (!table)
            continue;
        const QString rowKey = outbox.value(1).toString();
        const QStringList logged = outbox.value(2).toString().split(u',');
        const bool settings = table->keyColumn.isEmpty();
        const bool journal = table->kind == u"journal";

        QSqlQuery &row =
            statement(u"SELECT * FROM %1 WHERE %2 = ?"_s.arg(tableName(*table), settings ? u"pk"_s : table->keyColumn));
        row.bindValue(0, journal || settings ? QVariant(rowKey.toLongLong()) : QVariant(rowKey));
        if (!row.exec())
            return failed(row);
        const bool exists = row.next();
        const QSqlRecord record = row.record();
        row.finish();
        const QString key =
            settings ? u"settings"_s : table->kind + u'/' + (journal ? dayOf(rowKey.toLongLong()) : rowKey);

        QStringList fields;
        if (!exists) {
            if (settings)
                continue;
        } else if (logged.contains(u"*"_s) || logged.contains(u"-"_s) || logged.contains(u"seed"_s)) {
            fields = fieldNames(*table);
        } else {
            for (const QString &column : logged)
                for (const Column &known : table->columns)
                    if (known.column == column && !fields.contains(known.field))
                        fields.append(known.field);
            if (logged.contains(cardsField))
                fields.append(cardsField);
        }
        QJsonObject values;
        for (const QString &field : std::as_const(fields))
            values.insert(field, fieldValue(cards, *table, record, field));
        if (!settings)
            values.insert(deletedField, !exists);
        const bool onboarded = exists && record.value(u"hasCompletedOnboarding"_s).toBool();

        // Only what differs from what every computer already has goes out.
        QJsonObject &known = fieldsOf(key);
        QJsonObject changed;
        QJsonObject bases;
        for (auto it = values.constBegin(); it != values.constEnd(); ++it) {
            const QJsonArray current = known.value(it.key()).toArray();
            if (!current.isEmpty() && current.at(1) == it.value())
                continue;
            changed.insert(it.key(), it.value());
            if (mergeOf(*table, it.key()) == Merge::Text)
                bases.insert(it.key(), current.isEmpty() ? QJsonArray{} : QJsonArray{current.at(0)});
        }
        if (changed.isEmpty())
            continue;
        const bool seed = logged == QStringList{u"seed"_s};
        // Settings of a computer that has been used (its welcome finished) outrank a new one's.
        const int seedClock = onboarded ? 2 : 1;
        Line line{key,
                  seed ? u"%1-0000-%2"_s.arg(seedClock, 13, 10, QChar(u'0')).arg(shortId(device.id)) : tick(device),
                  changed,
                  bases,
                  {}};
        for (auto it = changed.constBegin(); it != changed.constEnd(); ++it) {
            // The seed never replaces a value already here.
            if (seed && known.contains(it.key()))
                continue;
            known.insert(it.key(), QJsonArray{line.hlc, it.value()});
            m_changedFields.insert(key);
            const QJsonArray parents = bases.value(it.key()).toArray();
            // An empty text that replaced nothing cannot be lost: it needs no version.
            if (!bases.contains(it.key()) || (parents.isEmpty() && isEmptyValue(valueText(it.value()))))
                continue;
            const QVariantList bound{key, it.key(), line.hlc, valueText(parents), valueText(it.value())};
            for (int i = 0; i < bound.size(); ++i)
                addVersion.bindValue(i, bound.at(i));
            if (!addVersion.exec())
                return failed(addVersion);
            for (const QJsonValue &parent : parents) {
                prune.bindValue(0, key);
                prune.bindValue(1, it.key());
                prune.bindValue(2, parent.toString());
                prune.exec();
            }
        }
        lines.append(line);
    }
    outbox.finish();
    QSqlQuery clear(m_db);
    return clear.exec(u"DELETE FROM SyncOutbox"_s) || failed(clear);
}

bool SyncEngine::writeLines(Device &device, const QList<Line> &lines, Pass &pass)
{
    if (lines.isEmpty())
        return true;
    const QDir own(ownFolder(device));
    QString path = own.filePath(u"changes-%1.jsonl"_s.arg(device.segment, 6, 10, QChar(u'0')));
    if (QFileInfo(path).size() > m_segmentLimit) {
        ++device.segment;
        path = own.filePath(u"changes-%1.jsonl"_s.arg(device.segment, 6, 10, QChar(u'0')));
    }
    QFile file(path);
    const bool fresh = !file.exists() || file.size() == 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        pass.problems.append(QObject::tr("The folder is not writable"));
        return false;
    }
    QByteArray text;
    if (fresh)
        text = headerLine(device.id, {});
    for (const Line &line : lines)
        text += line.text();
    if (file.write(text) != text.size() || !file.flush() || ::fsync(file.handle()) != 0) {
        pass.problems.append(QObject::tr("The folder is not writable"));
        return false;
    }
    file.close();
    device.lastHlc = std::max(device.lastHlc, lines.last().hlc);
    pass.outgoing += int(lines.size());
    // This computer's own files are read again only after a restore of an older store.
    return recordFile(QFileInfo(path), QFileInfo(path).size());
}

bool SyncEngine::recordFile(const QFileInfo &file, qint64 readTo)
{
    QSqlQuery &query = statement(u"INSERT OR REPLACE INTO SyncFile VALUES (?, ?, ?, ?)"_s);
    query.bindValue(0, file.filePath());
    query.bindValue(1, readTo);
    query.bindValue(2, file.size());
    query.bindValue(3, file.lastModified().toMSecsSinceEpoch());
    return query.exec();
}

// Everything this computer knows (or, for a compaction, the values it wrote that still win,
// and its versions of texts that are still shown), as one file that replaces its change files.
bool SyncEngine::writeSnapshot(Device &device, bool onlyOwn, Pass &pass)
{
    const QString mine = u"%-"_s + shortId(device.id);
    const QString myClock = shortId(device.id);
    if (!flushFields()) {
        pass.error = m_db.lastError().text().isEmpty() ? QObject::tr("The shared fields could not be written.")
                                                       : m_db.lastError().text();
        return false;
    }
    // The versions of texts still shown, with what each replaced.
    QHash<QString, QString> parentsOf;
    QList<std::tuple<QString, QString, QString, QString, QString>> shown;
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(u"SELECT rowKey, field, hlc, parents, value FROM SyncVersion WHERE value IS NOT NULL"_s)) {
        pass.error = sqlFailure(query);
        return false;
    }
    while (query.next()) {
        parentsOf.insert(query.value(0).toString() + u'|' + query.value(1).toString() + u'|' +
                             query.value(2).toString(),
                         query.value(3).toString());
        shown.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                      query.value(3).toString(), query.value(4).toString()});
    }
    // A compaction's snapshot says up to which change it stands for: a computer that has read
    // that much of this one's changes already has all of it.
    QByteArray text = headerLine(device.id, onlyOwn ? device.lastHlc : QString());
    QHash<QString, QString> winners; // "key|field" to its clock, for the versions below
    if (!query.exec(u"SELECT rowKey, fields FROM SyncRecord"_s)) {
        pass.error = sqlFailure(query);
        return false;
    }
    while (query.next()) {
        const QString key = query.value(0).toString();
        const QJsonObject fields = expandFields(query.value(1).toString());
        // One line per clock: the fields one change wrote travel together.
        QMap<QString, Line> byClock;
        for (auto it = fields.constBegin(); it != fields.constEnd(); ++it) {
            const QString hlc = it.value().toArray().at(0).toString();
            winners.insert(key + u'|' + it.key(), hlc);
            if (onlyOwn && clockDevice(hlc) != myClock)
                continue;
            Line &line = byClock[hlc];
            line.key = key;
            line.hlc = hlc;
            line.values.insert(it.key(), it.value().toArray().at(1));
            const QString parents = parentsOf.value(key + u'|' + it.key() + u'|' + hlc);
            if (!parents.isEmpty())
                line.bases.insert(it.key(), valueFrom(parents));
        }
        for (const Line &line : std::as_const(byClock))
            text += line.text();
    }
    // The other versions of texts still in conflict.
    for (const auto &[key, field, hlc, parents, value] : std::as_const(shown)) {
        if (winners.value(key + u'|' + field) == hlc || (onlyOwn && clockDevice(hlc) != myClock))
            continue;
        text +=
            Line{key, hlc, QJsonObject{{field, valueFrom(value)}}, QJsonObject{{field, valueFrom(parents)}}, {}}.text();
    }

    query.prepare(
        u"SELECT rowKey, field, hlc, parents FROM SyncVersion WHERE value IS NULL AND (? = 0 OR hlc LIKE ?)"_s);
    query.addBindValue(int(onlyOwn));
    query.addBindValue(mine);
    if (!query.exec()) {
        pass.error = sqlFailure(query);
        return false;
    }
    while (query.next()) {
        Line replaced{query.value(0).toString(), query.value(2).toString(), {}, {}, {}};
        replaced.replaced.insert(query.value(1).toString(), valueFrom(query.value(3).toString()));
        text += replaced.text();
    }

    const QDir own(ownFolder(device));
    const int number = device.segment + 1;
    const QString path = own.filePath(u"snapshot-%1.jsonl"_s.arg(number, 6, 10, QChar(u'0')));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        pass.problems.append(QObject::tr("The folder is not writable"));
        {
            pass.error = sqlFailure(query);
            return false;
        }
    }
    // The snapshot stands in for every earlier file of this computer.
    const QStringList earlier = own.entryList({u"*.jsonl"_s}, QDir::Files);
    for (const QString &name : earlier)
        if (name != QFileInfo(path).fileName())
            QFile::remove(own.filePath(name));
    device.segment = number + 1;
    return recordFile(QFileInfo(path), QFileInfo(path).size());
}

SyncEngine::Pass SyncEngine::runPass()
{
    Pass pass;
    Device device;
    if (!ensureDevice(&pass.error) || !loadDevice(device, &pass.error))
        return pass;
    pass.ran = true;
    if (device.folder.isEmpty())
        return pass;

    const auto finish = [&](const QString &problem) {
        QSqlQuery query(m_db);
        query.prepare(u"UPDATE SyncDevice SET problem = ?, lastSynced = coalesce(?, lastSynced), "
                      "lastIn = coalesce(?, lastIn), lastOut = coalesce(?, lastOut)"_s);
        query.addBindValue(problem.isEmpty() ? u""_s : problem);
        const bool synced = problem.isEmpty();
        query.addBindValue(synced ? QVariant(m_clock()) : QVariant(QMetaType(QMetaType::LongLong)));
        query.addBindValue(synced ? QVariant(pass.incoming) : QVariant(QMetaType(QMetaType::Int)));
        query.addBindValue(synced ? QVariant(pass.outgoing) : QVariant(QMetaType(QMetaType::Int)));
        query.exec();
        if (!problem.isEmpty() && !pass.problems.contains(problem))
            pass.problems.prepend(problem);
        return pass;
    };

    const QString problem = folderProblem(device.folder);
    if (!problem.isEmpty())
        return finish(problem);
    if (!QDir().mkpath(ownFolder(device)))
        return finish(QObject::tr("The folder is not writable"));

    {
        Transaction transaction(*this);
        if (!transaction.isOpen()) {
            pass.error = transaction.error();
            return pass;
        }
        if (!device.logging) {
            if (!queueEverything()) {
                pass.error = QObject::tr("The changes here could not be listed.");
                return pass;
            }
            device.logging = true;
        }
        QList<Line> lines;
        if (!exportChanges(device, pass, lines))
            return pass;
        // A folder this computer has not written to yet gets everything it knows, not only
        // what changed since the last pass.
        if (device.exportedTo != device.folder) {
            if (!writeSnapshot(device, false, pass))
                return finish(pass.problems.value(0));
            pass.outgoing += int(lines.size());
            device.exportedTo = device.folder;
            device.lastHlc = std::max(device.lastHlc, lines.isEmpty() ? device.lastHlc : lines.last().hlc);
        } else if (!writeLines(device, lines, pass)) {
            return finish(pass.problems.value(0));
        }
        if (!saveDevice(device) || !transaction.commit()) {
            pass.error = transaction.error();
            return pass;
        }
    }

    if (!readPeers(device, pass))
        return pass;
    {
        Transaction transaction(*this);
        if (transaction.isOpen()) {
            compactIfSeen(device, pass);
            writeDeviceFile(device, pass);
            saveDevice(device);
            transaction.commit();
        }
    }
    return finish(pass.problems.value(0));
}

bool SyncEngine::readPeers(Device &device, Pass &pass)
{
    const QDir root(QDir(device.folder).filePath(folderName()));
    const QStringList entries = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    QSqlQuery query(m_db);
    for (const QString &peerId : entries) {
        const QDir dir(root.filePath(peerId));
        if (QUuid::fromString(peerId).isNull()) {
            pass.problems.append(QObject::tr("A folder that is not a computer's was left alone: %1").arg(peerId));
            continue;
        }
        const bool own = peerId == device.id;
        QJsonObject about;
        if (!own) {
            QFile file(dir.filePath(u"device.json"_s));
            if (file.open(QIODevice::ReadOnly)) {
                about = QJsonDocument::fromJson(file.readAll()).object();
                if (about.value(formatKey).toInt() > formatVersion) {
                    pass.problems.append(QObject::tr("Another device uses a newer version of Quillmoor Tarot"));
                    continue;
                }
            }
        }
        const QStringList files = dir.entryList({u"*.jsonl"_s}, QDir::Files, QDir::Name);
        // Snapshots first: what a computer wrote after its snapshot comes after it.
        QStringList ordered;
        for (const QString &name : files)
            if (name.startsWith(u"snapshot-"))
                ordered.append(name);
        for (const QString &name : files)
            if (!name.startsWith(u"snapshot-"))
                ordered.append(name);
        for (const QString &name : std::as_const(ordered))
            if (!readFile(device, peerId, dir.filePath(name), own || name.startsWith(u"snapshot-"), pass))
                return false;
        if (own || about.isEmpty())
            continue;

        // What this computer has read whole of the other one, and what the other says it has
        // read of this one's, decide when old files can be compacted.
        bool readAll = true;
        const QJsonObject listed = about.value(u"files"_s).toObject();
        QSqlQuery offset(m_db);
        offset.prepare(u"SELECT offset FROM SyncFile WHERE path = ?"_s);
        for (auto it = listed.constBegin(); it != listed.constEnd(); ++it) {
            offset.addBindValue(dir.filePath(it.key()));
            offset.exec();
            readAll = readAll && offset.next() && offset.value(0).toLongLong() >= qint64(it.value().toDouble());
            offset.finish();
        }
        // A value the other computer did not give is bound as NULL: stored as empty.
        query.prepare(u"INSERT INTO SyncPeer (deviceId, name, readOfTheirs, seenOfMine) "
                      "VALUES (?, ?, coalesce(?, ''), coalesce(?, '')) "
                      "ON CONFLICT (deviceId) DO UPDATE SET name = excluded.name, seenOfMine = excluded.seenOfMine, "
                      "readOfTheirs = CASE WHEN ? THEN excluded.readOfTheirs ELSE readOfTheirs END"_s);
        query.addBindValue(peerId);
        query.addBindValue(about.value(u"name"_s).toString(peerId.left(8)));
        query.addBindValue(about.value(u"lastHlc"_s).toString());
        query.addBindValue(about.value(u"seen"_s).toObject().value(device.id).toString());
        query.addBindValue(int(readAll));
        query.exec();
    }
    return true;
}

bool SyncEngine::readFile(Device &device, const QString &peerId, const QString &path, bool trustAnyClock, Pass &pass)
{
    const QFileInfo info(path);
    qint64 offset = 0;
    {
        QSqlQuery known(m_db);
        known.prepare(u"SELECT offset, size, modified FROM SyncFile WHERE path = ?"_s);
        known.addBindValue(path);
        known.exec();
        if (known.next()) {
            offset = known.value(0).toLongLong();
            if (known.value(1).toLongLong() == info.size() &&
                known.value(2).toLongLong() == info.lastModified().toMSecsSinceEpoch() && offset == info.size())
                return true;
            // A file that shrank was replaced: read it again from the start (applying twice
            // changes nothing).
            if (info.size() < offset)
                offset = 0;
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return true; // gone or not readable yet: tried again next pass
    const QByteArray data = file.readAll();
    file.close();
    const QString name = info.fileName();
    const QString peerClock = shortId(peerId);
    QString readOfTheirs;
    {
        QSqlQuery &peer = statement(u"SELECT readOfTheirs FROM SyncPeer WHERE deviceId = ?"_s);
        peer.bindValue(0, peerId);
        if (peer.exec() && peer.next())
            readOfTheirs = peer.value(0).toString();
        peer.finish();
    }

    qsizetype start = 0;
    int unreadable = 0;
    int applied = 0;
    QSet<QString> touched;
    auto transaction = std::make_unique<Transaction>(*this);
    if (!transaction->isOpen()) {
        pass.error = transaction->error();
        return false;
    }
    const auto commit = [&](qint64 readTo) {
        for (const QString &key : std::as_const(touched))
            if (!materialise(key, pass))
                return false;
        touched.clear();
        if (!recordFile(info, readTo) || !saveDevice(device) || !transaction->commit()) {
            pass.error = transaction->error().isEmpty() ? m_db.lastError().text() : transaction->error();
            return false;
        }
        return true;
    };

    while (true) {
        // A line without its end is still arriving: it is read once the rest is there.
        const qsizetype end = data.indexOf('\n', start);
        if (end < 0)
            break;
        const QByteArray text = data.mid(start, end - start);
        const bool header = offset == 0 && start == 0;
        start = end + 1;
        QJsonParseError parseError;
        const QJsonObject object = QJsonDocument::fromJson(text, &parseError).object();
        if (header) {
            if (object.value(formatKey).toInt() > formatVersion) {
                pass.problems.append(QObject::tr("Another device uses a newer version of Quillmoor Tarot"));
                return true;
            }
            if (object.value(formatKey).toInt() != formatVersion || object.value(u"device"_s).toString() != peerId) {
                pass.problems.append(QObject::tr("A file that is not a change file of this computer's kind was "
                                                 "skipped: %1")
                                         .arg(name));
                return true;
            }
            const QString covers = object.value(u"covers"_s).toString();
            if (!covers.isEmpty() && !readOfTheirs.isEmpty() && covers <= readOfTheirs) {
                start = data.size();
                break;
            }
            continue;
        }
        const Line line{object.value(u"k"_s).toString(), object.value(u"h"_s).toString(),
                        object.value(u"v"_s).toObject(), object.value(u"b"_s).toObject(),
                        object.value(u"r"_s).toObject()};
        // A change is taken only as the computer whose folder it is in could have written it,
        // and only with values its fields can hold.
        if (!plausible(line) || (!trustAnyClock && clockDevice(line.hlc) != peerClock)) {
            ++unreadable;
            continue;
        }
        if (!applyLine(device, line, touched, pass))
            return false;
        if (++applied % linesPerTransaction == 0) {
            if (!commit(offset + start))
                return false;
            transaction = std::make_unique<Transaction>(*this);
            if (!transaction->isOpen()) {
                pass.error = transaction->error();
                return false;
            }
        }
    }
    if (unreadable > 0)
        pass.problems.append(
            (unreadable == 1
                 ? QObject::tr("1 change in %1 could not be read and was skipped.").arg(name)
                 : QObject::tr("%1 changes in %2 could not be read and were skipped.").arg(unreadable).arg(name)));
    return commit(offset + start);
}

bool SyncEngine::applyLine(Device &device, const Line &line, QSet<QString> &touched, Pass &pass)
{
    const QString kind = line.key.section(u'/', 0, 0);
    const Table *table = tableOfKind(kind);
    if (!table)
        return true;
    witness(device, line.hlc);
    QSqlQuery &insertVersion = statement(u"INSERT OR IGNORE INTO SyncVersion VALUES (?, ?, ?, ?, ?)"_s);
    QSqlQuery &prune = statement(u"UPDATE SyncVersion SET value = NULL WHERE rowKey = ? AND field = ? AND hlc = ?"_s);
    QSqlQuery &findVersion = statement(u"SELECT 1 FROM SyncVersion WHERE rowKey = ? AND field = ? AND hlc = ?"_s);
    QSqlQuery &findChild =
        statement(u"SELECT 1 FROM SyncVersion WHERE rowKey = ? AND field = ? AND instr(parents, ?) > 0"_s);
    // Adds a version of a text (its text kept only while no later version replaced it) and
    // takes the texts of the versions it replaced; false when it was here already.
    const auto addVersion = [&](const QString &field, const QJsonArray &parents, const QVariant &text) {
        const QVariantList bound{line.key, field, line.hlc};
        for (int i = 0; i < 3; ++i)
            findVersion.bindValue(i, bound.at(i));
        findVersion.exec();
        const bool known = findVersion.next();
        findVersion.finish();
        if (known)
            return false;
        for (int i = 0; i < 3; ++i)
            findChild.bindValue(i, bound.at(i));
        findChild.exec();
        const bool replaced = findChild.next();
        findChild.finish();
        for (int i = 0; i < 3; ++i)
            insertVersion.bindValue(i, bound.at(i));
        insertVersion.bindValue(3, valueText(parents));
        insertVersion.bindValue(4, replaced ? QVariant(QMetaType(QMetaType::QString)) : text);
        insertVersion.exec();
        for (const QJsonValue &parent : parents) {
            prune.bindValue(0, line.key);
            prune.bindValue(1, field);
            prune.bindValue(2, parent.toString());
            prune.exec();
        }
        return true;
    };

    for (auto it = line.replaced.constBegin(); it != line.replaced.constEnd(); ++it)
        addVersion(it.key(), it.value().toArray(), QVariant(QMetaType(QMetaType::QString)));

    QJsonObject &fields = fieldsOf(line.key);
    bool changedAny = false;
    for (auto it = line.values.constBegin(); it != line.values.constEnd(); ++it) {
        const QString &field = it.key();
        const Merge merge = field == deletedField ? Merge::LastWriter : mergeOf(*table, field);
        const QString text = valueText(it.value());
        if (merge == Merge::Text) {
            const QJsonArray parents = line.bases.value(field).toArray();
            // An empty text that replaced nothing cannot be lost: it needs no version.
            if (!(parents.isEmpty() && isEmptyValue(text)) && addVersion(field, parents, text))
                changedAny = true; // a new version may start or settle a conflict
        }
        const QJsonArray current = fields.value(field).toArray();
        bool wins = true;
        if (!current.isEmpty()) {
            const QString hlc = current.at(0).toString();
            const QString value = valueText(current.at(1));
            if (merge == Merge::FirstValue) {
                // The first value that is not empty stays: the card drawn first for a day.
                const auto rank = [](const QString &v, const QString &h) { return std::tuple(isEmptyValue(v), h, v); };
                wins = rank(text, line.hlc) < rank(value, hlc);
            } else {
                wins = line.hlc > hlc || (line.hlc == hlc && text > value);
            }
        }
        if (!wins)
            continue;
        fields.insert(field, QJsonArray{line.hlc, it.value()});
        m_changedFields.insert(line.key);
        changedAny = true;
    }
    if (changedAny) {
        touched.insert(line.key);
        ++pass.incoming;
    }
    return true;
}

// Makes the row of `key` say what the shared fields say: created, changed or deleted.
bool SyncEngine::materialise(const QString &key, Pass &pass)
{
    const QString kind = key.section(u'/', 0, 0);
    const QString id = key.section(u'/', 1);
    const Table *table = tableOfKind(kind);
    if (!table)
        return true;
    QHash<QString, QJsonValue> fields;
    {
        const QJsonObject shared = fieldsOf(key);
        for (auto it = shared.constBegin(); it != shared.constEnd(); ++it)
            fields.insert(it.key(), it.value().toArray().at(1));
    }
    const QString name = tableName(*table);
    const bool journal = kind == u"journal";
    const QDate day = journal ? QDate::fromString(id, Qt::ISODate) : QDate();
    if (journal && !day.isValid())
        return true;

    QSqlQuery &query = table->keyColumn.isEmpty() ? statement(u"SELECT * FROM AppSettings ORDER BY pk LIMIT 1"_s)
                       : journal
                           ? statement(u"SELECT * FROM JournalEntry WHERE date >= ? AND date < ? ORDER BY pk LIMIT 1"_s)
                           : statement(u"SELECT * FROM %1 WHERE %2 = ?"_s.arg(name, table->keyColumn));
    if (journal) {
        query.bindValue(0, day.startOfDay().toMSecsSinceEpoch());
        query.bindValue(1, day.addDays(1).startOfDay().toMSecsSinceEpoch());
    } else if (!table->keyColumn.isEmpty()) {
        query.bindValue(0, id);
    }
    if (!query.exec())
        return false;
    const bool exists = query.next();
    const QSqlRecord row = query.record();
    const qint64 pk = exists ? query.value(u"pk"_s).toLongLong() : 0;
    query.finish();

    if (fields.value(deletedField).toBool()) {
        if (!exists)
            return true;
        QSqlQuery cards(m_db);
        cards.prepare(u"SELECT pk FROM DrawnCard WHERE reading = ?"_s);
        cards.addBindValue(pk);
        if (kind == u"reading" && cards.exec())
            while (cards.next())
                pass.changedRows[u"DrawnCard"_s].append(cards.value(0).toLongLong());
        QSqlQuery remove(m_db);
        remove.prepare(u"DELETE FROM %1 WHERE pk = ?"_s.arg(name));
        remove.addBindValue(pk);
        if (!remove.exec())
            return false;
        pass.changedRows[name].append(pk);
        return true;
    }
    // A record is made only once the change that made it is here.
    if (!exists && (table->keyColumn.isEmpty() || !fields.contains(deletedField)))
        return true;

    // The columns as the shared fields give them.
    QHash<QString, QVariant> columns;
    for (const Column &column : table->columns) {
        if (!fields.contains(column.field))
            continue;
        const QJsonValue value = fields.value(column.field);
        QJsonValue part = value;
        int index = 0;
        for (const Column &other : table->columns) {
            if (&other == &column)
                break;
            index += other.field == column.field;
        }
        const bool composite = std::count_if(table->columns.begin(), table->columns.end(),
                                             [&](const Column &c) { return c.field == column.field; }) > 1;
        if (composite)
            part = value.isArray() ? value.toArray().at(index) : QJsonValue();
        columns.insert(column.column, columnOf(columnType(*table, column.column), part));
    }

    qint64 rowPk = pk;
    if (exists) {
        QStringList set;
        QVariantList values;
        // A day's entry is dated the start of that day here.
        if (journal && row.value(u"date"_s).toLongLong() != day.startOfDay().toMSecsSinceEpoch()) {
            set.append(u"date = ?"_s);
            values.append(day.startOfDay().toMSecsSinceEpoch());
        }
        for (auto it = columns.constBegin(); it != columns.constEnd(); ++it) {
            const QVariant was = row.value(it.key());
            const bool same = was.isNull() == it.value().isNull() && jsonOf(was) == jsonOf(it.value());
            if (same)
                continue;
            set.append(it.key() + u" = ?"_s);
            values.append(it.value());
        }
        if (!set.isEmpty()) {
            QSqlQuery &update = statement(u"UPDATE %1 SET %2 WHERE pk = ?"_s.arg(name, set.join(u", "_s)));
            for (int i = 0; i < values.size(); ++i)
                update.bindValue(i, values.at(i));
            update.bindValue(int(values.size()), pk);
            if (!update.exec())
                return false;
            pass.changedRows[name].append(pk);
        }
    } else {
        QStringList names{table->keyColumn};
        QVariantList values{journal ? QVariant(day.startOfDay().toMSecsSinceEpoch()) : QVariant(id)};
        for (const Column &column : table->columns) {
            names.append(column.column);
            const ColumnType type = columnType(*table, column.column);
            values.append(columns.contains(column.column) ? columns.value(column.column)
                          : type == ColumnType::Flag      ? QVariant(0)
                                                          : QVariant());
        }
        if (journal && !columns.contains(u"id"_s))
            values[names.indexOf(u"id"_s)] = QUuid::createUuid().toString(QUuid::WithoutBraces);
        QSqlQuery &insert = statement(u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(
            name, names.join(u", "_s), QStringList(names.size(), u"?"_s).join(u", "_s)));
        for (int i = 0; i < values.size(); ++i)
            insert.bindValue(i, values.at(i));
        if (!insert.exec())
            return false;
        rowPk = insert.lastInsertId().toLongLong();
        pass.changedRows[name].append(rowPk);
    }

    if (kind == u"reading" && fields.contains(cardsField)) {
        QSqlQuery &cards =
            statement(u"SELECT pk, cardId, positionId, isReversed FROM DrawnCard WHERE reading = ? ORDER BY pk"_s);
        cards.bindValue(0, rowPk);
        cards.exec();
        QJsonArray here;
        QList<qint64> pks;
        while (cards.next()) {
            pks.append(cards.value(0).toLongLong());
            here.append(QJsonArray{jsonOf(cards.value(1)), jsonOf(cards.value(2)), jsonOf(cards.value(3))});
        }
        cards.finish();
        const QJsonArray wanted = fields.value(cardsField).toArray();
        if (here != wanted) {
            pass.changedRows[u"DrawnCard"_s].append(pks);
            QSqlQuery &clear = statement(u"DELETE FROM DrawnCard WHERE reading = ?"_s);
            clear.bindValue(0, rowPk);
            if (!clear.exec())
                return false;
            QSqlQuery &add =
                statement(u"INSERT INTO DrawnCard (cardId, positionId, isReversed, reading) VALUES (?, ?, ?, ?)"_s);
            for (const QJsonValue &card : wanted) {
                const QJsonArray parts = card.toArray();
                add.bindValue(0, parts.at(0).toString());
                add.bindValue(1, parts.at(1).toString());
                add.bindValue(2, int(parts.at(2).toDouble() != 0 || parts.at(2).toBool()));
                add.bindValue(3, rowPk);
                if (!add.exec())
                    return false;
                pass.changedRows[u"DrawnCard"_s].append(add.lastInsertId().toLongLong());
            }
        }
    }
    return true;
}

bool SyncEngine::compactIfSeen(Device &device, Pass &pass)
{
    const QDir own(ownFolder(device));
    qint64 changeBytes = 0;
    for (const QFileInfo &info : own.entryInfoList({u"changes-*.jsonl"_s}, QDir::Files))
        changeBytes += info.size();
    if (changeBytes <= m_compactAbove || device.lastHlc.isEmpty())
        return true;
    QSqlQuery query(m_db);
    query.prepare(u"SELECT count(*) FROM SyncPeer WHERE seenOfMine != ?"_s);
    query.addBindValue(device.lastHlc);
    if (!query.exec() || !query.next() || query.value(0).toInt() > 0)
        return true;
    query.finish();
    return writeSnapshot(device, true, pass);
}

bool SyncEngine::writeDeviceFile(const Device &device, Pass &pass)
{
    const QDir own(ownFolder(device));
    QJsonObject files;
    for (const QFileInfo &info : own.entryInfoList({u"*.jsonl"_s}, QDir::Files))
        files.insert(info.fileName(), double(info.size()));
    QJsonObject seen;
    QSqlQuery query(m_db);
    query.exec(u"SELECT deviceId, readOfTheirs FROM SyncPeer"_s);
    while (query.next())
        seen.insert(query.value(0).toString(), query.value(1).toString());
    const QJsonObject about{{formatKey, formatVersion},     {u"device"_s, device.id}, {u"name"_s, device.name},
                            {u"lastHlc"_s, device.lastHlc}, {u"files"_s, files},      {u"seen"_s, seen}};
    const QString path = own.filePath(u"device.json"_s);
    const QByteArray text = QJsonDocument(about).toJson(QJsonDocument::Indented);
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == text)
        return true;
    existing.close();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        pass.problems.append(QObject::tr("The folder is not writable"));
        return false;
    }
    return true;
}

QStringList SyncEngine::heads(const QString &key, const QString &field)
{
    QStringList result;
    QSqlQuery query(m_db);
    query.prepare(u"SELECT hlc FROM SyncVersion WHERE rowKey = ? AND field = ? AND value IS NOT NULL ORDER BY hlc"_s);
    query.addBindValue(key);
    query.addBindValue(field);
    query.exec();
    while (query.next())
        result.append(query.value(0).toString());
    return result;
}

QList<SyncEngine::Conflict> SyncEngine::conflicts()
{
    QList<Conflict> result;
    QString error;
    if (!openStore(&error))
        return result;
    // Every version of a text still shown; those that are not the text kept are conflicts,
    // unless the record was deleted.
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.exec(u"SELECT v.rowKey, v.field, v.hlc, v.value, r.fields FROM SyncVersion v "
                    "JOIN SyncRecord r ON r.rowKey = v.rowKey WHERE v.value IS NOT NULL "
                    "AND v.value NOT IN ('null', '\"\"') ORDER BY v.rowKey, v.field, v.hlc"_s))
        return result;
    while (query.next()) {
        const QString key = query.value(0).toString();
        const QString field = query.value(1).toString();
        const QJsonObject fields = expandFields(query.value(4).toString());
        const QJsonArray kept = fields.value(field).toArray();
        if (kept.at(0).toString() == query.value(2).toString() || fields.value(deletedField).toArray().at(1).toBool())
            continue;
        if (result.isEmpty() || result.last().key != key || result.last().field != field)
            result.append({key, field, kept.at(1).toString(), {}});
        result.last().others.append(valueFrom(query.value(3).toString()).toString());
    }
    return result;
}

SyncEngine::Pass SyncEngine::resolve(const QString &key, const QString &field, const QString &text)
{
    Pass pass;
    Device device;
    if (!ensureDevice(&pass.error) || !loadDevice(device, &pass.error))
        return pass;
    const QStringList parents = heads(key, field);
    if (parents.size() < 2) {
        pass.error = QObject::tr("These texts were settled already.");
        return pass;
    }
    if (device.folder.isEmpty() || !folderProblem(device.folder).isEmpty()) {
        pass.error = device.folder.isEmpty() ? QObject::tr("Sync is off.") : folderProblem(device.folder);
        return pass;
    }
    Transaction transaction(*this);
    if (!transaction.isOpen()) {
        pass.error = transaction.error();
        return pass;
    }
    // The chosen text replaces every version shown, so the conflict is settled everywhere.
    const Line line{
        key, tick(device), QJsonObject{{field, text}}, QJsonObject{{field, QJsonArray::fromStringList(parents)}}, {}};
    QSet<QString> touched;
    // Applied as if it came in, then written out as this computer's own.
    Pass applied;
    if (!applyLine(device, line, touched, applied) || !materialise(key, pass) || !writeLines(device, {line}, pass) ||
        !saveDevice(device) || !transaction.commit()) {
        if (pass.error.isEmpty())
            pass.error = pass.problems.value(0, transaction.error());
        return pass;
    }
    pass.ran = true;
    return pass;
}
