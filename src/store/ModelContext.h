#pragma once

#include "Record.h"
#include "StoreFile.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QSqlDatabase>
#include <QtQml/qqmlregistration.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <thread>

// The window's view of the object store: an identity map of live records over one SQLite file.
// Fetches see inserted but unsaved records and never removed ones; save() writes every pending
// insert, change and removal in one transaction, and on failure leaves memory as it was so the
// next save tries again. Nothing is written to a store until it has been read whole and found
// sound (or was created here), and a store found damaged is never written again by its context.
class ModelContext : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The context is opened at start-up")

public:
    // Why a store cannot be used.
    enum class Problem {
        None,
        CannotOpen, // missing permissions, a folder in the way, an I/O error, ...
        ReadOnly,   // it can be read but not written: every later save would be lost
        Damaged,    // a page cannot be read or the integrity check failed
        Newer,      // written by a newer version of the application
        NotOurs,    // not a database, or a database of another application
    };
    Q_ENUM(Problem)

    ~ModelContext() override;

    // Opens (or creates) the store at `path`, upgrading an older schema. Returns null and
    // explains why in `error` and `problem` when the file cannot be used; such a file is left
    // exactly as it was.
    static std::unique_ptr<ModelContext> open(const QString &path, QString *error, Problem *problem = nullptr);
    // Where the application keeps its store: the per-user data folder + "default.store".
    static QString defaultStorePath();

    QString path() const { return m_path; }

    // Takes ownership of a new record; it is stored by the next save.
    void insert(Record *record);
    // Removes a record (a reading takes its drawn cards with it); deleted on disk by the next save.
    void remove(Record *record);

    // Stores `record` (a record without relations) at once, in a transaction of its own, unless
    // a record of its type is stored already, by this context or by any other process. The test
    // and the insert are one statement under the write lock, so two instances started together
    // store one record. Otherwise `record` is deleted and the stored ones join the context.
    // On failure the record stays as a pending insert for the next save, and `error` says why.
    bool insertIfNoneStored(Record *record, QString *error = nullptr);

    template <typename T>
    QList<T *> fetch(const std::function<bool(const T *)> &predicate = {},
                     const std::function<bool(const T *, const T *)> &lessThan = {})
    {
        QList<T *> result;
        for (Record *record : records(T::staticMetaObject)) {
            auto *typed = static_cast<T *>(record);
            if (!predicate || predicate(typed))
                result.append(typed);
        }
        if (lessThan)
            std::stable_sort(result.begin(), result.end(), lessThan);
        return result;
    }

    // Live records of one type, loading them from disk on first use.
    const QList<Record *> &records(const QMetaObject &type);

    // Records of a type inserted or changed but not yet saved.
    template <typename T> QList<T *> pendingRecords() const
    {
        QList<T *> result;
        for (Record *record : m_inserted)
            if (record->metaObject() == &T::staticMetaObject)
                result.append(static_cast<T *>(record));
        for (Record *record : m_dirty)
            if (record->metaObject() == &T::staticMetaObject)
                result.append(static_cast<T *>(record));
        return result;
    }

    bool hasChanges() const;
    bool save(QString *error = nullptr);

    // Reads again the rows of `rows` (by table, their keys) that another connection wrote:
    // live records take the stored values, except fields changed here and not saved yet;
    // deleted rows leave the lists and new ones join those kept whole in memory.
    void reloadRows(const QHash<QString, QList<qint64>> &rows);

    // How long a save waits for another process that holds the store before failing.
    void setBusyTimeout(int milliseconds);

    // Whether a read found the file damaged; such a context refuses every save.
    bool isDamaged() const { return m_damaged; }
    // Whether every page of the file has been read and found sound, or the file was created by
    // this context. The first write of a context that has not checked its file runs the check
    // first (waiting for one running in the background).
    bool isChecked() const { return m_checked; }
    // Reads every page of the file on a worker thread with its own read-only connection, so the
    // window is not held up; damage found there is reported like damage found while loading,
    // a sound file by checkPassed().
    void checkIntegrityInBackground();
    // Whether that check has started and not yet reported.
    bool isCheckingInBackground() const { return m_integrityCheck.joinable(); }
    // The same check, here and now. Returns false and explains why when the file is damaged.
    bool checkIntegrity(QString *error = nullptr);

signals:
    // Something was inserted, removed or changed; emitted at most once per event-loop turn.
    void changed();
    // The file turned out to be damaged. Emitted once; nothing is written to the file afterwards.
    void damaged(const QString &detail);
    // The whole file was read and found sound: writing to it may begin.
    void checkPassed();
    // A save wrote its changes to the file.
    void saved();

private:
    friend class Record;
    // The repositories, which own every selection of rows and its SQL.
    friend class Readings;
    friend class JournalEntries;
    friend class SearchIndex;
    friend class DrawTallies;

    // A selection of stored rows that SQL makes over the table's indexes: `where` is a
    // condition on stored columns with ? placeholders bound to `values` in order, `orderBy` an
    // ORDER BY list ("date DESC"), `limit` the most rows read (-1: all).
    struct RowQuery
    {
        QString where;
        QVariantList values;
        QString orderBy;
        int limit = -1;
    };

    // The records a RowQuery selects, without reading the rest of the table: rows already in
    // memory are reused and never read twice. `matches` must say the same as `where` on the
    // values in memory: it decides for records inserted or changed but not yet saved, and for
    // every record once the whole type is loaded. The result is sorted by `lessThan` and cut
    // to `limit`. A reading comes with its drawn cards.
    template <typename T>
    QList<T *> fetch(const RowQuery &query, const std::function<bool(const T *)> &matches,
                     const std::function<bool(const T *, const T *)> &lessThan)
    {
        QList<T *> result;
        for (Record *record : recordsWhere(T::staticMetaObject, query)) {
            auto *typed = static_cast<T *>(record);
            if (!record->isDeleted() && matches(typed))
                result.append(typed);
        }
        std::stable_sort(result.begin(), result.end(), lessThan);
        if (query.limit >= 0 && result.size() > query.limit)
            result.resize(query.limit);
        return result;
    }
    QList<Record *> recordsWhere(const QMetaObject &type, const RowQuery &query);

    // One stored column of the rows a RowQuery selects, read without making records (a long
    // list of dates, say). Rows whose records are removed or changed in memory are left out:
    // pendingRecords() gives those, to be judged on their values in memory.
    QVariantList storedValues(const QMetaObject &type, const QString &column, const RowQuery &query);
    // The same with each row's store key beside its value, in the query's order.
    struct StoredValue
    {
        qint64 pk = 0;
        QVariant value;
    };
    QList<StoredValue> storedRows(const QMetaObject &type, const QString &column, const RowQuery &query);
    // The records whose stored integer `column` (a date is stored in milliseconds) lies in
    // [from, to), read as a RowQuery; `inRange` says the same on the values in memory.
    template <typename T>
    QList<T *> fetchRange(const QString &column, qint64 from, qint64 to, const std::function<bool(const T *)> &inRange,
                          const std::function<bool(const T *, const T *)> &lessThan)
    {
        return fetch<T>(RowQuery{QStringLiteral("%1 >= ? AND %1 < ?").arg(column), {from, to}, column, -1}, inRange,
                        lessThan);
    }

    struct TypeState
    {
        bool loaded = false;
        QList<Record *> live;
        // Every record of the type that has a row on disk, by its key, removed ones included
        // until the save that deletes their rows: a read looks its rows up here instead of
        // walking every live record, so reading a page costs the same at the end of a long list.
        QHash<qint64, Record *> stored;
    };

    ModelContext(const QString &path, const QString &connectionName);
    bool connect(QString *error, Problem *problem);
    bool prepareSchema(QString *error, Problem *problem);
    void disconnect();
    bool loadWithLinked(const QMetaObject &type);
    bool loadType(const QMetaObject &type);
    // Reads the rows `clause` selects (" WHERE ... ORDER BY ... LIMIT ..."); `rows`, when given,
    // receives the record of every row read, in order.
    bool loadRows(const QMetaObject &type, const QString &clause, const QVariantList &values,
                  QList<Record *> *rows = nullptr);
    // Reads the records that `owners` own and that are not in memory yet.
    void loadOwnedBy(const QMetaObject &type, const QList<Record *> &owners);
    void markDamaged(const QString &detail);
    // Takes the result of an integrity check: sound (empty `finding`) or damaged.
    void takeCheckResult(const QString &finding);
    void finishBackgroundCheck();
    // Runs or waits for the integrity check if it has not passed yet; false when the file is
    // damaged, with `error` saying so.
    bool ensureChecked(QString *error);
    void recordChanged(Record *record);
    void scheduleChanged();
    bool ensureConnected(QString *error);
    bool writePending(QHash<Record *, qint64> &newIds, QString *error);

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_db;
    bool m_needsReconnect = false;
    bool m_damaged = false;
    bool m_checked = false;
    bool m_upgradeSnapshotTaken = false;
    // Modes taken away from the store's files on opening, given back if the store is refused.
    QList<StoreFile::ModeChange> m_tightenedModes;
    int m_busyTimeoutMs = 5000;
    QHash<const QMetaObject *, TypeState> m_types;
    QList<Record *> m_inserted;
    QSet<Record *> m_dirty;
    QList<Record *> m_removed;
    // By owned type (drawn cards), the keys of the owners whose records have been read, while
    // that type is not loaded whole.
    QHash<const QMetaObject *, QSet<qint64>> m_ownedRead;
    bool m_changeQueued = false;
    std::thread m_integrityCheck;
    // Written by the check's thread before it ends; read only after joining it.
    QString m_backgroundFinding;
};
