#pragma once

#include "SyncEngine.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QUrl>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class ModelContext;
class Scheduler;

// Sync for the window: a pass runs on a worker a little after each save, when the folder
// changes, and every few minutes; the changes it brings in are read into the live records.
class SyncController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application for its store")
    Q_PROPERTY(bool isOn READ isOn NOTIFY statusChanged)
    Q_PROPERTY(QString folder READ folder NOTIFY statusChanged)
    Q_PROPERTY(QString deviceName READ deviceName NOTIFY statusChanged)
    Q_PROPERTY(QString statusText READ statusText NOTIFY statusChanged)
    Q_PROPERTY(QString problem READ problem NOTIFY statusChanged)
    Q_PROPERTY(QString otherDevices READ otherDevices NOTIFY statusChanged)
    Q_PROPERTY(QVariantList conflicts READ conflicts NOTIFY statusChanged)
    Q_PROPERTY(bool running READ isRunning NOTIFY runningChanged)
    Q_PROPERTY(QUrl startFolder READ startFolder NOTIFY statusChanged)

public:
    // How long after a save a pass starts, so that typing is sent as one change.
    static constexpr int afterSaveMs = 2000;
    // How long after the folder changed, so a file being written is finished first.
    static constexpr int afterFolderChangeMs = 500;
    // Passes without any sign of a change, for folders the watcher cannot follow.
    static constexpr int everyMs = 5 * 60 * 1000;

    SyncController(ModelContext *context, Scheduler &scheduler, QObject *parent = nullptr);
    ~SyncController() override;

    bool isOn() const { return !m_status.folder.isEmpty(); }
    QString folder() const { return m_status.folder; }
    QString deviceName() const { return m_status.deviceName; }
    QString statusText() const;
    QString problem() const { return m_problem; }
    QString otherDevices() const;
    // Each conflict: {key, field, title, kept, other}.
    QVariantList conflicts() const { return m_conflicts; }
    bool isRunning() const { return m_running; }
    // Where choosing a folder starts: the folder in use, else the home folder.
    QUrl startFolder() const;

    // `folder` is a path or a file: URL. Returns the problem in words, or empty.
    Q_INVOKABLE QString chooseFolder(const QString &folder);
    Q_INVOKABLE void turnOff();
    Q_INVOKABLE QString renameDevice(const QString &name);
    Q_INVOKABLE void syncNow();
    // Keeps `text` for the conflict at `index` (one of its texts, or both merged).
    Q_INVOKABLE QString resolve(int index, const QString &text);

    // Blocks until the pass in progress has finished and been taken in. For tests.
    void waitForIdle();
    // Gives each conflict its title ("The reflection of 9 December 2026").
    void setTitler(std::function<QString(const QString &key, const QString &field)> titler);

signals:
    void statusChanged();
    void runningChanged();
    // A pass finished; `incoming` changes came in.
    void passFinished(int incoming);

private:
    void schedulePass(int delayMs);
    void startPass();
    void takePass(const SyncEngine::Pass &pass, const SyncEngine::Status &status,
                  const QList<SyncEngine::Conflict> &conflicts);
    void refreshStatus();
    void takeConflicts(const QList<SyncEngine::Conflict> &conflicts);
    void watch();

    QPointer<ModelContext> m_context;
    Scheduler &m_scheduler;
    QString m_storePath;
    QThreadPool m_worker;
    QFileSystemWatcher m_watcher;
    quint64 m_pendingTask = 0;
    bool m_running = false;
    bool m_again = false;
    SyncEngine::Status m_status;
    QString m_problem;
    QVariantList m_conflicts;
    std::function<QString(const QString &, const QString &)> m_titler;
};
