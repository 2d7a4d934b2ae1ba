#pragma once

#include "StoreBackups.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QtQml/qqmlregistration.h>

class ModelContext;

// Takes the store's snapshots off the GUI thread: the day's first one after the first save of
// each day, and one whenever asked. One runs at a time; asking while one runs is a no-op, and a
// failure is logged and reported, never removing an older snapshot.
class BackupScheduler : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application for its store")
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)

public:
    explicit BackupScheduler(ModelContext *context, QObject *parent = nullptr);
    // Waits for a snapshot in progress, so none outlives the scheduler.
    ~BackupScheduler() override;

    const StoreBackups &backups() const { return m_backups; }
    bool isRunning() const { return m_running; }
    // Starts a snapshot now; false when one is running already.
    bool backUpNow();
    // Blocks until the snapshot in progress has finished and been reported. For tests and the
    // headless commands.
    void waitForIdle();

signals:
    void runningChanged();
    // A snapshot finished: `error` is empty when it was made.
    void finished(const QString &error);

private:
    void saved();
    void start(bool onlyIfNoneToday);
    void report(const QString &error);

    QPointer<ModelContext> m_context;
    StoreBackups m_backups;
    QThreadPool m_worker;
    bool m_running = false;
    // The last day a save was seen on: the day's snapshot is looked for once a day.
    QDate m_dayLooked;
};
