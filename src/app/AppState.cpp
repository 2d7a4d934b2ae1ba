#include "AppState.h"

#include "AppSettings.h"
#include "BackupListModel.h"
#include "CardDataStore.h"
#include "Clock.h"
#include "Reading.h"
#include "Scheduler.h"
#include "SearchIndex.h"
#include "SearchNames.h"
#include "Settings.h"
#include "StoreLog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QJSEngine>
#include <QLocale>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QUuid>

using namespace Qt::StringLiterals;

AppState::AppState(const QString &storePath, QObject *parent) : QObject(parent), m_storePath(storePath)
{
    m_importer.setMaxThreadCount(1);
    openStore();
}

void AppState::openStore()
{
    QString detail;
    m_problem = ModelContext::Problem::None;
    m_context = ModelContext::open(m_storePath, &detail, &m_problem);
    if (!m_context) {
        qCCritical(lcApp, "Failed to create ModelContainer: %s", qUtf8Printable(detail));
        m_storeError = sentenceFor(m_problem);
        findLatestGoodBackup();
        return;
    }
    m_ready = true;
    m_storeError.clear();
    m_latestGood.reset();
    m_backups = std::make_unique<BackupScheduler>(m_context.get());
    m_sync = std::make_unique<SyncController>(m_context.get(), Scheduler::system());
    m_sync->setTitler([this](const QString &key, const QString &field) { return conflictTitle(key, field); });
    // Queued: damage is found in the middle of a fetch, often while the screens are being
    // built; the window changes to the error screen once that work is done.
    connect(m_context.get(), &ModelContext::damaged, this, &AppState::storeDamaged, Qt::QueuedConnection);
    prepareSearch();
}

void AppState::prepareSearch()
{
    if (!m_context || m_context->isDamaged())
        return;
    // The names are only written to a store that has been read whole and found sound.
    if (!m_context->isChecked()) {
        connect(m_context.get(), &ModelContext::checkPassed, this, &AppState::prepareSearch, Qt::UniqueConnection);
        return;
    }
    QList<SearchIndex::Name> names = SearchNames::of(CardDataStore::shared());
    if (SearchIndex(m_context.get()).holdsNames(names))
        return;
    // New names index every record again, which takes a moment on a large store: on a worker
    // with a connection of its own, while the window goes on. Searches meanwhile find the
    // records by their own words.
    m_importer.start([path = m_storePath, names = std::move(names)] {
        QString error;
        auto context = ModelContext::open(path, &error);
        if (!context || !SearchIndex(context.get()).useNames(names, &error))
            qCWarning(lcApp, "The search index could not take the card names: %s", qUtf8Printable(error));
    });
}

void AppState::findLatestGoodBackup()
{
    // Only on the way to the error screen: each snapshot looked at is checked whole.
    m_latestGood = StoreBackups(m_storePath).latestGood();
    m_latestGoodTitle = m_latestGood ? BackupListModel::titleOf(*m_latestGood) : QString();
}

void AppState::restoreLatestBackup()
{
    if (!m_latestGood)
        findLatestGoodBackup();
    if (m_latestGood)
        restoreBackup(m_latestGood->path);
    else
        emit restoreFinished(false, tr("There is no backup that can be restored."));
}

void AppState::restoreBackup(const QString &snapshotPath)
{
    if (m_restoring || m_importing)
        return;
    reopenStore([this, snapshotPath] { finishRestore(snapshotPath); });
}

void AppState::reopenStore(std::function<void()> whileClosed)
{
    m_restoring = true;
    emit restoringChanged();
    // The window lets go of the screens first; the store is closed once they are gone.
    if (m_ready) {
        m_ready = false;
        emit storeReadyChanged();
    }
    QMetaObject::invokeMethod(
        this,
        [this, whileClosed = std::move(whileClosed)] {
            // What the screens had not saved yet is written before the store is closed.
            if (m_context && !m_context->isDamaged())
                saveContext(*m_context);
            m_backups.reset();
            m_sync.reset();
            // The search's names may be being written on the worker.
            m_importer.waitForDone();
            m_context.reset();
            emit contextChanged();
            whileClosed();
            openStore();
            emit contextChanged();
            emit storeReadyChanged();
            // The window is built again once, now.
            m_restoring = false;
            emit restoringChanged();
            if (m_context)
                m_context->checkIntegrityInBackground();
        },
        Qt::QueuedConnection);
}

void AppState::finishRestore(const QString &snapshotPath)
{
    QString error;
    const auto keptAside = StoreBackups(m_storePath).restore(snapshotPath, Clock::now(), &error);
    QString message;
    if (!keptAside) {
        qCWarning(lcApp) << "Nothing was restored:" << error;
        message = tr("The backup could not be restored: %1").arg(error);
    } else if (keptAside->isEmpty()) {
        message = tr("The backup was restored.");
    } else {
        message = tr("The backup was restored. The data it replaced is kept as %1.").arg(*keptAside);
    }
    // Told once the window is back: on the data, or on the error screen, which says it itself.
    QMetaObject::invokeMethod(
        this,
        [this, restored = keptAside.has_value(), message] {
            if (m_ready)
                setNotice(message);
            emit restoreFinished(restored, message);
        },
        Qt::QueuedConnection);
}

void AppState::importArchive(const QUrl &file)
{
    if (m_importing || m_restoring || !m_ready || !m_context || !file.isLocalFile())
        return;
    // The import goes through a connection of its own, so what the screens hold is written first.
    if (!saveContext(*m_context)) {
        setNotice(tr("Nothing was imported: your latest changes could not be saved first."));
        return;
    }
    m_importing = true;
    emit importingChanged();
    const QString path = file.toLocalFile();
    const QDateTime now = Clock::now();
    m_importer.start([this, path, now] {
        ArchiveImport::Summary summary;
        QString error;
        const bool imported = ArchiveImport::importFile(m_storePath, path, now, &summary, &error);
        QMetaObject::invokeMethod(
            this, [this, path, imported, summary, error] { finishImport(path, imported, summary, error); },
            Qt::QueuedConnection);
    });
}

void AppState::waitForImport()
{
    m_importer.waitForDone();
    QCoreApplication::sendPostedEvents(this);
}

void AppState::finishImport(const QString &archivePath, bool imported, const ArchiveImport::Summary &summary,
                            const QString &error)
{
    m_importing = false;
    emit importingChanged();
    const QString name = QFileInfo(archivePath).fileName();
    if (!imported) {
        qCWarning(lcApp) << "The archive was not imported:" << error;
        setNotice(error);
        return;
    }
    QString message = summary.added + summary.updated == 0
                          ? tr("Everything in %1 is already here.").arg(name)
                          : tr("%1 was imported: %2 added, %3 updated, %4 already here. The backup taken just "
                               "before can undo it.")
                                .arg(name)
                                .arg(summary.added)
                                .arg(summary.updated)
                                .arg(summary.unchanged);
    for (const QString &sentence : ArchiveImport::leftAlone(summary))
        message += u' ' + sentence;
    setNotice(message);
    // The screens hold the records they fetched; they are built again on what the store now has.
    if (summary.added + summary.updated > 0)
        reopenStore([] {});
}

void AppState::setNotice(const QString &notice)
{
    if (m_notice == notice)
        return;
    m_notice = notice;
    emit noticeChanged();
}

void AppState::dismissNotice()
{
    setNotice(QString());
}

AppState::~AppState()
{
    m_importer.waitForDone();
}

QString AppState::conflictTitle(const QString &key, const QString &field)
{
    const QString kind = key.section(u'/', 0, 0);
    const QString id = key.section(u'/', 1);
    const QLocale locale;
    if (kind == u"journal")
        return tr("The reflection of %1").arg(locale.toString(QDate::fromString(id, Qt::ISODate), u"d MMMM yyyy"_s));
    if (kind == u"note") {
        const auto card = CardDataStore::shared().cardByID(id);
        return tr("Your note on %1").arg(card ? card->name : id);
    }
    QString when;
    if (m_context) {
        const QUuid uuid = QUuid::fromString(id);
        const QList<Reading *> found = m_context->fetch<Reading>([&](const Reading *r) { return r->id() == uuid; });
        if (!found.isEmpty() && found.first()->date().isValid())
            when = locale.toString(found.first()->date().toLocalTime(), u"d MMMM yyyy"_s);
    }
    const QString what = field == u"outcome"    ? tr("How the reading of %1 turned out")
                         : field == u"question" ? tr("The question of the reading of %1")
                                                : tr("The notes of the reading of %1");
    return what.arg(when.isEmpty() ? tr("an unknown day") : when);
}

QString AppState::sentenceFor(ModelContext::Problem problem)
{
    switch (problem) {
    case ModelContext::Problem::None:
        return {};
    case ModelContext::Problem::ReadOnly:
        return tr("Your data file can be read but not saved, so it has been left as it is. "
                  "Check that you may write to it and its folder.");
    case ModelContext::Problem::Damaged:
        return tr("Your data file is damaged. It has been left untouched so that it can be repaired or "
                  "restored from a backup.");
    case ModelContext::Problem::Newer:
        return tr("Your data was saved by a newer version of Quillmoor Tarot. Please use that version.");
    case ModelContext::Problem::NotOurs:
        return tr("The file where your data should be is not a Quillmoor Tarot data file. It has been left "
                  "as it is.");
    case ModelContext::Problem::CannotOpen:
        break;
    }
    return tr("Your data file or its folder could not be opened.");
}

void AppState::storeDamaged(const QString &detail)
{
    if (!m_ready)
        return;
    qCCritical(lcApp, "Failed to create ModelContainer: The store is damaged: %s", qUtf8Printable(detail));
    m_ready = false;
    m_problem = ModelContext::Problem::Damaged;
    m_storeError = sentenceFor(m_problem);
    findLatestGoodBackup();
    emit storeReadyChanged();
}

void AppState::checkStoreAfterFirstFrame(QQmlApplicationEngine &engine)
{
    m_checkAwaitsFirstFrame = true;
    connect(
        &engine, &QQmlApplicationEngine::objectCreated, this,
        [this](QObject *object) {
            auto *window = qobject_cast<QQuickWindow *>(object);
            if (!window)
                return;
            // frameSwapped comes from the render thread; the context object makes it a queued
            // call.
            connect(
                window, &QQuickWindow::frameSwapped, this,
                [this] {
                    m_checkAwaitsFirstFrame = false;
                    if (m_context && m_ready)
                        m_context->checkIntegrityInBackground();
                },
                Qt::SingleShotConnection);
        },
        Qt::SingleShotConnection);
}

QString AppState::websiteAddress()
{
    return QStringLiteral("https://quillmoor.app");
}

QUrl AppState::websiteUrl() const
{
    const QUrl url(websiteAddress(), QUrl::StrictMode);
    return url.isValid() && !url.scheme().isEmpty() ? url : QUrl();
}

void AppState::ensureAppSettings()
{
    if (!m_context || !m_ready)
        return;
    if (Settings(m_context.get()).stored())
        return;
    // Nothing is written to a store before it has been read whole and found sound. A store
    // made here is sound; any other waits for the check, which does not start before the first
    // frame: reading a large store beside the window's first frame makes that frame later.
    if (!m_context->isChecked()) {
        connect(m_context.get(), &ModelContext::checkPassed, this, &AppState::ensureAppSettings, Qt::UniqueConnection);
        if (!m_checkAwaitsFirstFrame)
            m_context->checkIntegrityInBackground();
        return;
    }
    // Another instance started at the same moment may be doing the same: the store decides.
    QString error;
    if (!m_context->insertIfNoneStored(new AppSettings, &error))
        qCCritical(lcSwiftData, "SwiftData save error: %s", qUtf8Printable(error));
}

void AppState::setNotificationCenter(NotificationCenter *center)
{
    if (center == m_notificationCenter)
        return;
    m_notificationCenter = center;
    emit notificationCenterChanged();
}

void AppState::openWebsite() const
{
    const QUrl url = websiteUrl();
    if (url.isValid())
        QDesktopServices::openUrl(url);
}

AppState *AppStateForeign::s_instance = nullptr;

AppState *AppStateForeign::create(QQmlEngine *, QJSEngine *engine)
{
    Q_ASSERT(s_instance);
    // The engine must not take ownership of an object main() owns.
    QJSEngine::setObjectOwnership(s_instance, QJSEngine::CppOwnership);
    Q_UNUSED(engine);
    return s_instance;
}

void AppStateForeign::setInstance(AppState *instance)
{
    s_instance = instance;
}
