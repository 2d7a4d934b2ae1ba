#include "SyncController.h"

#include "ModelContext.h"
#include "Scheduler.h"
#include "StoreLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QUrl>

using namespace Qt::StringLiterals;

SyncController::SyncController(ModelContext *context, Scheduler &scheduler, QObject *parent)
    : QObject(parent), m_context(context), m_scheduler(scheduler), m_storePath(context ? context->path() : QString())
{
    m_worker.setMaxThreadCount(1);
    m_titler = [](const QString &key, const QString &) { return key; };
    if (!context)
        return;
    connect(context, &ModelContext::saved, this, [this] { schedulePass(afterSaveMs); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { schedulePass(afterFolderChangeMs); });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] { schedulePass(afterFolderChangeMs); });
    // Read once the window is up, off start-up; the first pass waits for the store to be read
    // whole and found sound.
    m_scheduler.schedule(0, this, [this] {
        refreshStatus();
        if (m_context && m_context->isChecked())
            schedulePass(0);
        else if (m_context)
            connect(m_context, &ModelContext::checkPassed, this, [this] { schedulePass(0); });
    });
}

SyncController::~SyncController()
{
    m_worker.waitForDone();
}

void SyncController::setTitler(std::function<QString(const QString &, const QString &)> titler)
{
    // Titles are given as conflicts are read; the store is not read here.
    m_titler = std::move(titler);
}

void SyncController::takeConflicts(const QList<SyncEngine::Conflict> &conflicts)
{
    m_conflicts.clear();
    for (const SyncEngine::Conflict &conflict : conflicts)
        for (const QString &other : conflict.others)
            m_conflicts.append(QVariantMap{{u"key"_s, conflict.key},
                                           {u"field"_s, conflict.field},
                                           {u"title"_s, m_titler(conflict.key, conflict.field)},
                                           {u"kept"_s, conflict.kept},
                                           {u"other"_s, other}});
}

QString SyncController::statusText() const
{
    if (!isOn())
        return tr("Off. Everything stays on this computer.");
    if (!m_status.lastSynced.isValid())
        return tr("Not synced yet.");
    const QString when = QLocale().toString(m_status.lastSynced.toLocalTime(), u"d MMMM yyyy, HH:mm"_s);
    return tr("Last synced %1: %2 in, %3 out.").arg(when).arg(m_status.lastIn).arg(m_status.lastOut);
}

QUrl SyncController::startFolder() const
{
    return QUrl::fromLocalFile(isOn() && QFileInfo(m_status.folder).isDir() ? m_status.folder : QDir::homePath());
}

QString SyncController::otherDevices() const
{
    QStringList names;
    for (const SyncEngine::Peer &peer : m_status.peers)
        names.append(peer.name);
    if (names.isEmpty())
        return isOn() ? tr("No other computer has written to this folder yet.") : QString();
    return tr("Also in this folder: %1").arg(names.join(u", "_s));
}

QString SyncController::chooseFolder(const QString &folder)
{
    const QUrl url(folder);
    const QString path = url.isLocalFile() ? url.toLocalFile() : folder;
    SyncEngine engine(m_storePath);
    QString error;
    if (path.trimmed().isEmpty())
        return tr("Choose a folder.");
    if (!engine.setFolder(path, &error))
        return error;
    refreshStatus();
    schedulePass(0);
    return {};
}

void SyncController::turnOff()
{
    SyncEngine engine(m_storePath);
    QString error;
    if (!engine.setFolder({}, &error))
        qCWarning(lcApp) << "Sync could not be turned off:" << error;
    refreshStatus();
}

QString SyncController::renameDevice(const QString &name)
{
    SyncEngine engine(m_storePath);
    QString error;
    if (!engine.setDeviceName(name, &error))
        return error;
    refreshStatus();
    schedulePass(afterFolderChangeMs);
    return {};
}

void SyncController::syncNow()
{
    schedulePass(0);
}

QString SyncController::resolve(int index, const QString &text)
{
    if (index < 0 || index >= m_conflicts.size())
        return tr("These texts were settled already.");
    const QVariantMap conflict = m_conflicts.at(index).toMap();
    // Waits for a pass in progress: both write this computer's change file.
    m_worker.waitForDone();
    QCoreApplication::sendPostedEvents(this);
    SyncEngine engine(m_storePath);
    const SyncEngine::Pass pass =
        engine.resolve(conflict.value(u"key"_s).toString(), conflict.value(u"field"_s).toString(), text);
    if (!pass.ran)
        return pass.error;
    if (m_context)
        m_context->reloadRows(pass.changedRows);
    refreshStatus();
    return {};
}

void SyncController::waitForIdle()
{
    m_worker.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

void SyncController::schedulePass(int delayMs)
{
    if (!m_context || m_context->isDamaged())
        return;
    if (m_pendingTask)
        m_scheduler.cancel(m_pendingTask);
    m_pendingTask = m_scheduler.schedule(delayMs, this, [this] {
        m_pendingTask = 0;
        startPass();
    });
}

void SyncController::startPass()
{
    if (!isOn() || !m_context || m_context->isDamaged() || !m_context->isChecked())
        return;
    if (m_running) {
        m_again = true;
        return;
    }
    m_running = true;
    emit runningChanged();
    m_worker.start([this, path = m_storePath] {
        SyncEngine engine(path);
        const SyncEngine::Pass pass = engine.runPass();
        const SyncEngine::Status status = engine.status();
        const QList<SyncEngine::Conflict> conflicts = engine.conflicts();
        QMetaObject::invokeMethod(
            this, [this, pass, status, conflicts] { takePass(pass, status, conflicts); }, Qt::QueuedConnection);
    });
}

void SyncController::takePass(const SyncEngine::Pass &pass, const SyncEngine::Status &status,
                              const QList<SyncEngine::Conflict> &conflicts)
{
    m_running = false;
    emit runningChanged();
    if (!pass.error.isEmpty())
        qCWarning(lcApp) << "A sync pass failed:" << pass.error;
    if (m_context)
        m_context->reloadRows(pass.changedRows);
    m_status = status;
    m_problem = pass.error.isEmpty() ? pass.problems.value(0) : pass.error;
    takeConflicts(conflicts);
    watch();
    emit statusChanged();
    emit passFinished(pass.incoming);
    if (m_again) {
        m_again = false;
        schedulePass(0);
    } else if (isOn()) {
        schedulePass(everyMs);
    }
}

void SyncController::refreshStatus()
{
    if (m_storePath.isEmpty())
        return;
    SyncEngine engine(m_storePath);
    m_status = engine.status();
    m_problem = m_status.problem;
    takeConflicts(engine.conflicts());
    watch();
    emit statusChanged();
}

// The folder and each computer's folder in it: a new file of another computer shows as a
// change of its folder.
void SyncController::watch()
{
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!isOn())
        return;
    const QDir root(QDir(m_status.folder).filePath(SyncEngine::folderName()));
    QStringList paths{m_status.folder};
    if (root.exists()) {
        paths.append(root.path());
        for (const QString &name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (name == m_status.deviceId)
                continue;
            const QDir peer(root.filePath(name));
            paths.append(peer.path());
            // A change file that grows in place changes no folder.
            for (const QString &file : peer.entryList({u"*.jsonl"_s}, QDir::Files))
                paths.append(peer.filePath(file));
        }
    }
    m_watcher.addPaths(paths);
}
