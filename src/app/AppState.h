#pragma once

#include "ArchiveReader.h"
#include "BackupScheduler.h"
#include "ModelContext.h"
#include "SyncController.h"

#include <QObject>
#include <QQmlEngine>
#include <QThreadPool>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <memory>
#include <optional>

class ModelContext;
class NotificationCenter;
Q_MOC_INCLUDE("ModelContext.h")
Q_MOC_INCLUDE("NotificationCenter.h")
class QQmlApplicationEngine;

// What the application opened at start-up: the window's object-store context, or why there is
// none. Built once by main() before the window exists and shared with QML as `AppState`.
// A store found damaged after opening turns the window into the error screen for good.
class AppState : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool storeReady READ storeReady NOTIFY storeReadyChanged)
    Q_PROPERTY(ModelContext *context READ context NOTIFY contextChanged)
    Q_PROPERTY(BackupScheduler *backups READ backups NOTIFY contextChanged)
    Q_PROPERTY(SyncController *sync READ sync NOTIFY contextChanged)
    Q_PROPERTY(bool restoring READ restoring NOTIFY restoringChanged)
    Q_PROPERTY(bool importing READ importing NOTIFY importingChanged)
    Q_PROPERTY(QString notice READ notice NOTIFY noticeChanged)
    Q_PROPERTY(QString latestBackupTitle READ latestBackupTitle NOTIFY storeReadyChanged)
    Q_PROPERTY(QString storeError READ storeError NOTIFY storeReadyChanged)
    Q_PROPERTY(QUrl websiteUrl READ websiteUrl CONSTANT)
    Q_PROPERTY(bool hasWebsite READ hasWebsite CONSTANT)
    Q_PROPERTY(NotificationCenter *notificationCenter READ notificationCenter NOTIFY notificationCenterChanged)

public:
    // Opens the store at `storePath`; a failure is logged and remembered, never retried.
    explicit AppState(const QString &storePath, QObject *parent = nullptr);
    ~AppState() override;

    bool storeReady() const { return m_ready; }
    // The open context; it stays (refusing every save) when the store turns out damaged.
    ModelContext *context() const { return m_context.get(); }
    // The store's snapshots; none when the store could not be opened.
    BackupScheduler *backups() const { return m_backups.get(); }
    // Sync with the user's other computers; none when the store could not be opened.
    SyncController *sync() const { return m_sync.get(); }
    // While a backup or an imported archive is put in place: the window shows no screens.
    bool restoring() const { return m_restoring; }
    bool importing() const { return m_importing; }
    // How the last restore or import went, shown over the window until dismissed; empty when
    // there is nothing to say.
    QString notice() const { return m_notice; }
    Q_INVOKABLE void dismissNotice();
    // When the newest sound snapshot was taken, offered on the error screen; empty when the
    // store is in use or there is no such snapshot.
    QString latestBackupTitle() const { return m_latestGood ? m_latestGoodTitle : QString(); }

    // Closes the store, keeps its files aside, puts the snapshot in its place and opens it: the
    // window is built again on the restored data. The outcome comes as restoreFinished().
    Q_INVOKABLE void restoreBackup(const QString &snapshotPath);
    Q_INVOKABLE void restoreLatestBackup();
    // Saves what is pending, then reads, checks and merges the archive `file` on a worker thread
    // through a connection of its own. When it added or changed records, the window is built
    // again on them. The outcome comes as the notice.
    Q_INVOKABLE void importArchive(const QUrl &file);
    // Blocks until the import in progress has finished and been reported. For tests.
    void waitForImport();
    // Why the store cannot be used, as one sentence for the error screen; empty when ready.
    QString storeError() const { return m_storeError; }
    ModelContext::Problem storeProblem() const { return m_problem; }
    // The maker's website; empty when the address does not parse, which hides the Help item.
    QUrl websiteUrl() const;
    bool hasWebsite() const { return websiteUrl().isValid(); }

    // Checks the whole store file on a worker thread once the window that `engine` loads next
    // has shown its first frame, so the check never delays it. Called before the load.
    void checkStoreAfterFirstFrame(QQmlApplicationEngine &engine);

    // Creates and saves one settings record when the store has none; leaves existing ones alone.
    Q_INVOKABLE void ensureAppSettings();
    Q_INVOKABLE void openWebsite() const;

    static QString websiteAddress();
    static QString sentenceFor(ModelContext::Problem problem);

    // Where the daily reminder is scheduled; none until main() (or a test) sets one.
    NotificationCenter *notificationCenter() const { return m_notificationCenter; }
    void setNotificationCenter(NotificationCenter *center);
    // Asks the window to show a section (an AppSection::Section), e.g. after a click on the
    // daily reminder.
    void requestSection(int section) { emit sectionRequested(section); }

signals:
    void storeReadyChanged();
    void contextChanged();
    void restoringChanged();
    void importingChanged();
    void noticeChanged();
    // `message` says what was restored and where the replaced data was kept, or why nothing was.
    void restoreFinished(bool restored, const QString &message);
    void notificationCenterChanged();
    void sectionRequested(int section);

private:
    // What a text changed on two computers is, in words: "The reflection of 9 December 2026".
    QString conflictTitle(const QString &key, const QString &field);
    // Gives the search index the names of the cards, spreads and positions it indexes by.
    void prepareSearch();
    void openStore();
    void storeDamaged(const QString &detail);
    void findLatestGoodBackup();
    void finishRestore(const QString &snapshotPath);
    void finishImport(const QString &archivePath, bool imported, const ArchiveImport::Summary &summary,
                      const QString &error);
    // Lets the window drop its screens, then closes the store, runs `whileClosed` and opens it again.
    void reopenStore(std::function<void()> whileClosed);
    void setNotice(const QString &notice);

    QString m_storePath;
    std::unique_ptr<ModelContext> m_context;
    // Declared after the context, so it goes first.
    std::unique_ptr<BackupScheduler> m_backups;
    std::unique_ptr<SyncController> m_sync;
    bool m_ready = false;
    ModelContext::Problem m_problem = ModelContext::Problem::None;
    QString m_storeError;
    bool m_restoring = false;
    // The store's check is due once the window's first frame is on screen.
    bool m_checkAwaitsFirstFrame = false;
    bool m_importing = false;
    QString m_notice;
    QThreadPool m_importer;
    std::optional<StoreBackups::Snapshot> m_latestGood;
    QString m_latestGoodTitle;
    NotificationCenter *m_notificationCenter = nullptr;
};

// Exposes the instance main() built as the QML singleton `AppState`.
struct AppStateForeign
{
    Q_GADGET
    QML_FOREIGN(AppState)
    QML_SINGLETON
    QML_NAMED_ELEMENT(AppState)

public:
    static AppState *create(QQmlEngine *, QJSEngine *engine);
    static void setInstance(AppState *instance);

private:
    static AppState *s_instance;
};
