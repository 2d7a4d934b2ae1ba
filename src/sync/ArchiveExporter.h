#pragma once

#include "ModelContext.h"

#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// "Export Everything…": saves what is pending, then writes the portable archive from the store
// on a worker thread through a connection of its own, so the window never waits for ten years
// of readings to be written out.
class ArchiveExporter : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    Q_PROPERTY(QUrl startFolder READ startFolder CONSTANT)
    Q_PROPERTY(QUrl suggestedFile READ suggestedFile NOTIFY modelContextChanged)

public:
    explicit ArchiveExporter(QObject *parent = nullptr);
    ~ArchiveExporter() override;

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    bool busy() const { return m_busy; }
    // How the last export went; empty before the first.
    QString status() const { return m_status; }
    QUrl startFolder() const;
    // "Quillmoor Tarot 2026-12-08.json" in the documents folder.
    QUrl suggestedFile() const;

    Q_INVOKABLE void save(const QUrl &file);
    // Blocks until the export in progress has finished and been reported. For tests.
    void waitForIdle();

signals:
    void modelContextChanged();
    void busyChanged();
    void statusChanged();

private:
    void finished(const QString &path, const QString &error);

    QPointer<ModelContext> m_context;
    QThreadPool m_worker;
    bool m_busy = false;
    QString m_status;
};
