#include "ArchiveExporter.h"

#include "ArchiveWriter.h"
#include "Clock.h"
#include "ModelContext.h"
#include "StoreLog.h"
#include "UserFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

ArchiveExporter::ArchiveExporter(QObject *parent) : QObject(parent)
{
    m_worker.setMaxThreadCount(1);
}

ArchiveExporter::~ArchiveExporter()
{
    m_worker.waitForDone();
}

void ArchiveExporter::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    m_context = context;
    emit modelContextChanged();
}

QUrl ArchiveExporter::startFolder() const
{
    return UserFolders::startFolder(QStandardPaths::DocumentsLocation);
}

QUrl ArchiveExporter::suggestedFile() const
{
    const QString name = tr("Quillmoor Tarot %1.json").arg(Clock::today().toString(Qt::ISODate));
    return QUrl::fromLocalFile(QDir(startFolder().toLocalFile()).filePath(name));
}

void ArchiveExporter::save(const QUrl &file)
{
    if (m_busy || !m_context || !file.isLocalFile())
        return;
    // The archive is read from the file, so what the screens hold goes there first.
    if (!saveContext(*m_context)) {
        m_status = tr("Nothing was exported: the latest changes could not be saved first.");
        emit statusChanged();
        return;
    }
    m_busy = true;
    emit busyChanged();
    const QString store = m_context->path();
    const QString path = file.toLocalFile();
    const QDateTime now = Clock::now();
    m_worker.start([this, store, path, now] {
        QString error;
        {
            auto reader = ModelContext::open(store, &error);
            if (reader)
                ArchiveWriter::write(*reader, path, now, &error);
        }
        QMetaObject::invokeMethod(
            this, [this, path, error] { finished(path, error); }, Qt::QueuedConnection);
    });
}

void ArchiveExporter::waitForIdle()
{
    m_worker.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

void ArchiveExporter::finished(const QString &path, const QString &error)
{
    if (!error.isEmpty())
        qCWarning(lcApp) << "The archive was not written:" << error;
    m_status =
        error.isEmpty() ? tr("Everything was exported to %1.").arg(path) : tr("Nothing was exported: %1").arg(error);
    m_busy = false;
    emit busyChanged();
    emit statusChanged();
}
