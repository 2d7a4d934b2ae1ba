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

// The window's view of the object store: an identity map of live records over one SQLite file.
// Fetches see inserted but unsaved records and never removed ones; save() writes every pending
// insert, change and removal in one transaction, and on failure leaves memory as it was so the
// next save tries again.
class ModelContext : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The context is opened at start-up")

public:
    ~ModelContext() override;

    // Opens (or creates) the store at `path`. Returns null and explains why in `error` when the
    // file cannot be used; such a file is left exactly as it was.
    static std::unique_ptr<ModelContext> open(const QString &path, QString *error);
    // Where the application keeps its store: the per-user data folder + "default.store".
    static QString defaultStorePath();

    QString path() const { return m_path; }

    // Takes ownership of a new record; it is stored by the next save.
    void insert(Record *record);
    // Removes a record (a reading takes its drawn cards with it); deleted on disk by the next save.
    void remove(Record *record);

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

signals:
    // Something was inserted, removed or changed; emitted at most once per event-loop turn.
    void changed();

private:
    friend class Record;
    struct TypeState
    {
        bool loaded = false;
        QList<Record *> live;
    };

    ModelContext(const QString &path, const QString &connectionName);
    bool connect(QString *error);
    void disconnect();
    bool loadType(const QMetaObject &type);
    bool loadRows(const QMetaObject &type, const QString &where, const QVariantList &values);
    void recordChanged(Record *record);
    void scheduleChanged();
    bool writePending(QHash<Record *, qint64> &newIds, QString *error);

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_db;
    bool m_needsReconnect = false;
    int m_busyTimeoutMs = 5000;
    QHash<const QMetaObject *, TypeState> m_types;
    QList<Record *> m_inserted;
    QSet<Record *> m_dirty;
    QList<Record *> m_removed;
    bool m_changeQueued = false;
};
