#include "BackupScheduler.h"

#include "Clock.h"
#include "ModelContext.h"
#include "StoreLog.h"

#include <QCoreApplication>

BackupScheduler::BackupScheduler(ModelContext *context, QObject *parent)
    : QObject(parent), m_context(context), m_backups(context ? context->path() : QString())
{
    m_worker.setMaxThreadCount(1);
    if (context)
        connect(context, &ModelContext::saved, this, &BackupScheduler::saved);
}

BackupScheduler::~BackupScheduler()
{
    m_worker.waitForDone();
}

bool BackupScheduler::backUpNow()
{
    if (m_running)
        return false;
    start(false);
    return true;
}

void BackupScheduler::waitForIdle()
{
    m_worker.waitForDone();
    // The result is reported through the event loop; deliver it now.
    QCoreApplication::sendPostedEvents(this);
}

void BackupScheduler::saved()
{
    const QDate today = Clock::today();
    if (m_dayLooked == today || m_running)
        return;
    m_dayLooked = today;
    start(true);
}

void BackupScheduler::start(bool onlyIfNoneToday)
{
    m_running = true;
    emit runningChanged();
    const StoreBackups backups = m_backups;
    const QDateTime now = Clock::now();
    m_worker.start([this, backups, now, onlyIfNoneToday] {
        QString error;
        // Looking in the folder happens here too, so a save never waits for it.
        if (!(onlyIfNoneToday && backups.hasRegularSnapshotOn(now.toLocalTime().date())))
            backups.take(StoreBackups::Kind::Regular, now, 0, &error);
        QMetaObject::invokeMethod(
            this, [this, error] { report(error); }, Qt::QueuedConnection);
    });
}

void BackupScheduler::report(const QString &error)
{
    if (!error.isEmpty())
        qCWarning(lcApp) << "The snapshot failed:" << error;
    m_running = false;
    emit runningChanged();
    emit finished(error);
}
