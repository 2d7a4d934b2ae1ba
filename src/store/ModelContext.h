#pragma once

#include "Record.h"

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
// next save tries again. A store found damaged is never written again by its context.
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

    // Like fetch(), for records whose stored integer `column` (a date is stored in
    // milliseconds) lies in [from, to): while the type is not loaded yet, only those rows are
    // read from disk. The predicate must select the same range, on the values in memory.
    template <typename T>
    QList<T *> fetchRange(const QString &column, qint64 from, qint64 to,
                          const std::function<bool(const T *)> &predicate,
                          const std::function<bool(const T *, const T *)> &lessThan = {})
    {
        QList<T *> result;
        for (Record *record : recordsInRange(T::staticMetaObject, column, from, to)) {
            auto *typed = static_cast<T *>(record);
            if (predicate(typed))
                result.append(typed);
        }
        if (lessThan)
            std::stable_sort(result.begin(), result.end(), lessThan);
        return result;
    }
    // The live records after reading the rows of [from, to) of `column`; all of them once the
    // type is loaded.
    const QList<Record *> &recordsInRange(const QMetaObject &type, const QString &column, qint64 from, qint64 to);

    bool hasChanges() const;
    bool save(QString *error = nullptr);

    // How long a save waits for another process that holds the store before failing.
    void setBusyTimeout(int milliseconds);

    // Whether a read found the file damaged; such a context refuses every save.
    bool isDamaged() const { return m_damaged; }
    // Reads every page of the file on a worker thread with its own read-only connection, so the
    // window is not held up; damage found there is reported like damage found while loading.
    void checkIntegrityInBackground();
    // The same check, here and now. Returns false and explains why when the file is damaged.
    bool checkIntegrity(QString *error = nullptr);

signals:
    // Something was inserted, removed or changed; emitted at most once per event-loop turn.
    void changed();
    // The file turned out to be damaged. Emitted once; nothing is written to the file afterwards.
    void damaged(const QString &detail);

private:
    friend class Record;
    struct TypeState
    {
        bool loaded = false;
        QList<Record *> live;
    };

    ModelContext(const QString &path, const QString &connectionName);
    bool connect(QString *error, Problem *problem);
    bool prepareSchema(QString *error, Problem *problem);
    void disconnect();
    bool loadType(const QMetaObject &type);
    bool loadRows(const QMetaObject &type, const QString &where, const QVariantList &values);
    void markDamaged(const QString &detail);
    void recordChanged(Record *record);
    void scheduleChanged();
    bool ensureConnected(QString *error);
    bool writePending(QHash<Record *, qint64> &newIds, QString *error);

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_db;
    bool m_needsReconnect = false;
    bool m_damaged = false;
    int m_busyTimeoutMs = 5000;
    QHash<const QMetaObject *, TypeState> m_types;
    QList<Record *> m_inserted;
    QSet<Record *> m_dirty;
    QList<Record *> m_removed;
    bool m_changeQueued = false;
    std::thread m_integrityCheck;
};
