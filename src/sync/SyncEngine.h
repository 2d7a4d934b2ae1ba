#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <unordered_map>

// Keeps one store in step with the user's other computers through a folder that their own sync
// tool carries. This computer writes its changes to files of its own there (one writer per
// file, so the sync tool never merges one) and reads the files of the others. Every change names
// the record's key, its fields and a hybrid logical clock: applying changes is idempotent and
// gives the same store whatever order and however often they arrive.
//
// An engine works on its own connection to the store and is used on one thread.
class SyncEngine
{
public:
    // Milliseconds since the epoch; tests give computers clocks of their own.
    using WallClock = std::function<qint64()>;

    struct Peer
    {
        QString deviceId;
        QString name;
    };

    struct Status
    {
        QString deviceId;
        QString deviceName;
        QString folder; // empty: sync is off
        QDateTime lastSynced;
        int lastIn = 0;
        int lastOut = 0;
        QString problem;
        QList<Peer> peers;
    };

    // A text changed on two computers while they were apart: the one kept and the other.
    struct Conflict
    {
        QString key;   // "journal/2026-12-09", "note/major-16", "reading/<uuid>"
        QString field; // "reflectionText", "noteText", "outcome", "notes", "question"
        QString kept;
        QStringList others;
    };

    struct Pass
    {
        bool ran = false;
        QString error;        // the store could not be used; nothing was done
        QStringList problems; // the folder or its files, in words
        int incoming = 0;     // changes from other computers that changed something here
        int outgoing = 0;     // changes of this computer written to the folder
        // The rows this pass wrote, by table, for a window to read again.
        QHash<QString, QList<qint64>> changedRows;
    };

    explicit SyncEngine(const QString &storePath, WallClock clock = {});
    ~SyncEngine();
    SyncEngine(const SyncEngine &) = delete;
    SyncEngine &operator=(const SyncEngine &) = delete;

    // The name of the folder this app keeps inside the chosen one.
    static QString folderName();

    Status status();
    // Chooses the folder (empty: off). Turning sync off keeps everything here as it is.
    bool setFolder(const QString &folder, QString *error);
    bool setDeviceName(const QString &name, QString *error);

    // Writes this computer's changes, reads the others', and compacts what every computer has
    // seen. Nothing is done while no folder is chosen.
    Pass runPass();

    QList<Conflict> conflicts();
    // Settles a conflict with `text` (one of the versions, or a merge of them) on every computer.
    Pass resolve(const QString &key, const QString &field, const QString &text);

    // A compaction is tried once the files of this computer hold more than this many bytes.
    void setCompactionThreshold(qint64 bytes) { m_compactAbove = bytes; }
    // A new change file is begun once the current one holds more than this many bytes.
    void setSegmentLimit(qint64 bytes) { m_segmentLimit = bytes; }

private:
    struct Hlc;
    struct Line;
    struct Device;
    class Transaction;

    bool openStore(QString *error);
    bool loadDevice(Device &device, QString *error);
    bool ensureDevice(QString *error);
    bool saveDevice(const Device &device);
    QString tick(Device &device);
    void witness(Device &device, const QString &hlc);

    QString ownFolder(const Device &device) const;
    bool exportChanges(Device &device, Pass &pass, QList<Line> &lines);
    bool queueEverything();
    bool writeLines(Device &device, const QList<Line> &lines, Pass &pass);
    bool writeSnapshot(Device &device, bool onlyOwn, Pass &pass);
    bool readPeers(Device &device, Pass &pass);
    bool readFile(Device &device, const QString &peerId, const QString &path, bool trustAnyClock, Pass &pass);
    static bool plausible(const Line &line);
    bool applyLine(Device &device, const Line &line, QSet<QString> &touched, Pass &pass);
    bool materialise(const QString &key, Pass &pass);
    bool compactIfSeen(Device &device, Pass &pass);
    // Notes how far a file of the folder has been read.
    bool recordFile(const QFileInfo &file, qint64 readTo);
    bool writeDeviceFile(const Device &device, Pass &pass);
    QStringList heads(const QString &key, const QString &field);

    // The shared fields of a record ({"field": [clock, value]}), read once per transaction and
    // written back by flushFields() before it commits.
    QJsonObject &fieldsOf(const QString &key);
    bool flushFields();
    void forgetFields();
    // A statement prepared once for the engine's connection.
    QSqlQuery &statement(const QString &sql);

    QHash<QString, QJsonObject> m_fields;
    QSet<QString> m_changedFields;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_statements;

    QString m_storePath;
    QString m_connectionName;
    QSqlDatabase m_db;
    WallClock m_clock;
    qint64 m_compactAbove = 1 << 20;
    qint64 m_segmentLimit = 4 << 20;
};
