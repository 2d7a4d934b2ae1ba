#pragma once

#include "BackupScheduler.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The store's snapshots as the settings list shows them, newest first, with what each holds,
// and the state of "Back Up Now". Read again whenever a snapshot finishes.
class BackupListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(BackupScheduler *scheduler READ scheduler WRITE setScheduler NOTIFY schedulerChanged)
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
    Q_PROPERTY(bool running READ running NOTIFY runningChanged)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString backUpLabel READ backUpLabel NOTIFY runningChanged)

public:
    enum Role { TitleRole = Qt::UserRole + 1, DetailRole, PathRole };
    Q_ENUM(Role)

    explicit BackupListModel(QObject *parent = nullptr);

    BackupScheduler *scheduler() const { return m_scheduler; }
    void setScheduler(BackupScheduler *scheduler);
    bool running() const { return m_scheduler && m_scheduler->isRunning(); }
    // What the list says under it: how snapshots are kept, or how the last "Back Up Now" went.
    QString status() const { return m_status; }
    QString backUpLabel() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    Q_INVOKABLE void refresh();
    Q_INVOKABLE void backUpNow();

    // "December 8, 2026, 10:00", marked when it was taken before an update.
    static QString titleOf(const StoreBackups::Snapshot &snapshot);
    // "12 readings, 5 journal entries · 96 KB"
    static QString detailOf(const StoreBackups::Snapshot &snapshot, const StoreBackups::Contents &contents);

signals:
    void schedulerChanged();
    void countChanged();
    void runningChanged();
    void statusChanged();

private:
    struct Row
    {
        QString title;
        QString detail;
        QString path;
    };
    void setStatus(const QString &status);
    void finished(const QString &error);

    QPointer<BackupScheduler> m_scheduler;
    QList<Row> m_rows;
    QString m_status;
    bool m_askedForOne = false;
};
