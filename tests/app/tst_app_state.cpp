#include "AppSettings.h"
#include "AppState.h"
#include "DamagedStore.h"
#include "ModelContext.h"
#include "StoreTestSupport.h"
#include "UserCardNote.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A temporary folder whose every ancestor others may pass through, so that a process that
// gave up root can still reach a store inside it (a private /tmp would hide it).
QString folderOthersCanReach()
{
    const QStringList candidates{QDir::tempPath(), QStringLiteral("/var/tmp"), QStringLiteral("/dev/shm")};
    for (const QString &candidate : candidates) {
        bool reachable = QFileInfo(candidate).isDir();
        for (QString folder = candidate; reachable && folder != QStringLiteral("/");
             folder = QFileInfo(folder).absolutePath())
            reachable = QFileInfo(folder).permission(QFileDevice::ExeOther);
        if (reachable)
            return candidate;
    }
    return {};
}

int modeOf(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

QString storePath(const QTemporaryDir &dir)
{
    return dir.filePath(QStringLiteral("default.store"));
}

QList<AppSettings *> settingsOnDisk(const QString &path)
{
    static std::unique_ptr<ModelContext> reader;
    reader = ModelContext::open(path, nullptr);
    return reader ? reader->fetch<AppSettings>() : QList<AppSettings *>();
}

} // namespace

class AppStateTest : public QObject
{
    Q_OBJECT

private slots:
    // Two instances started together store one settings record between them; a later start
    // adds none and keeps its values.
    void theSettingsRecordIsStoredOnceAndKept()
    {
        QTemporaryDir dir;
        {
            AppState first(storePath(dir));
            AppState second(storePath(dir));
            // Both have looked and found none before either stores one.
            QVERIFY(first.context()->fetch<AppSettings>().isEmpty());
            QVERIFY(second.context()->fetch<AppSettings>().isEmpty());
            first.ensureAppSettings();
            // The second did not make the file, so it stores nothing before reading it whole.
            second.ensureAppSettings();
            QTRY_VERIFY(second.context()->isChecked());
            QCOMPARE(settingsOnDisk(storePath(dir)).size(), 1);
            // The second sees the record the first stored, and has nothing left to save.
            QCOMPARE(second.context()->fetch<AppSettings>().size(), 1);
            QVERIFY(!second.context()->hasChanges());
            second.context()->fetch<AppSettings>().first()->setAllowReversedCards(false);
            QVERIFY(second.context()->save());
        }
        AppState later(storePath(dir));
        later.ensureAppSettings();
        later.ensureAppSettings();
        QVERIFY(!later.context()->hasChanges());
        QVERIFY(!later.context()->isChecked()); // finding the record needed no check
        const auto onDisk = settingsOnDisk(storePath(dir));
        QCOMPARE(onDisk.size(), 1);
        QVERIFY(!onDisk.first()->allowReversedCards());
    }

    // A store without its settings record, made by an earlier launch, is read whole before the
    // record is written; that reading waits until the window has drawn its first frame.
    void theStoreIsReadWholeOnlyAfterTheFirstFrame()
    {
        QTemporaryDir dir;
        {
            AppState made(storePath(dir));
        }
        AppState state(storePath(dir));
        QQmlApplicationEngine engine;
        state.checkStoreAfterFirstFrame(engine);
        state.ensureAppSettings();
        QVERIFY(!state.context()->isCheckingInBackground());
        QVERIFY(!state.context()->isChecked());
        engine.loadData("import QtQuick\nWindow { width: 200; height: 100; visible: true }");
        QTRY_VERIFY(state.context()->isChecked());
        QTRY_COMPARE(settingsOnDisk(storePath(dir)).size(), 1);
    }

    void aStoreThatCannotBeWrittenIsRefusedUntouched_data()
    {
        QTest::addColumn<QString>("readOnly");
        QTest::newRow("store file") << QStringLiteral("file");
        QTest::newRow("immutable store file") << QStringLiteral("immutable");
        QTest::newRow("folder, so no log can be made") << QStringLiteral("folder");
        QTest::newRow("the log beside the store") << QStringLiteral("log");
    }
    void aStoreThatCannotBeWrittenIsRefusedUntouched()
    {
        QFETCH(QString, readOnly);
        const bool root = ::geteuid() == 0;
        const QString base = root ? folderOthersCanReach() : QDir::tempPath();
        if (base.isEmpty())
            QSKIP("no temporary folder that an unprivileged user can reach");
        QTemporaryDir dir(base + QStringLiteral("/quillmoor-XXXXXX"));
        QVERIFY(dir.isValid());
        const QString folder = dir.filePath(QStringLiteral("data"));
        const QString path = folder + QStringLiteral("/default.store");
        {
            AppState state(path);
            state.ensureAppSettings();
            state.context()->insert(new JournalEntry(QDateTime::currentDateTime()));
            QVERIFY(state.context()->save());
        }
        const QString log = path + QStringLiteral("-wal");
        const QString index = path + QStringLiteral("-shm");
        using P = QFileDevice;
        const P::Permissions readable = P::ReadOwner | P::ReadGroup | P::ReadOther;
        const P::Permissions enter = P::ExeOwner | P::ExeGroup | P::ExeOther;
        QFile::setPermissions(dir.path(), P::ReadOwner | P::WriteOwner | enter);

        // Root may write anything, so as root the store is opened as "nobody" (who owns what
        // it may write and nothing else); other users meet the same modes themselves.
        const passwd *nobody = ::getpwnam("nobody");
        QVERIFY(!root || nobody);
        const auto giveToNobody = [&](const QStringList &files) {
            for (const QString &file : files)
                if (root)
                    QVERIFY(::chown(QFile::encodeName(file).constData(), nobody->pw_uid, nobody->pw_gid) == 0);
        };
        bool unprivileged = root;
        const auto restore = qScopeGuard([&] {
            if (readOnly == QLatin1String("immutable"))
                QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
            QFile::setPermissions(folder, P::ReadOwner | P::WriteOwner | P::ExeOwner);
        });
        if (readOnly == QLatin1String("immutable")) {
            if (!root || QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) != 0)
                QSKIP("only root can make a file immutable, where the file system allows it");
            unprivileged = false;
        } else if (readOnly == QLatin1String("file")) {
            QFile::setPermissions(path, readable);
            giveToNobody({folder});
        } else if (readOnly == QLatin1String("folder")) {
            QFile::setPermissions(folder, readable | enter);
            giveToNobody({path});
        } else {
            // The log and index files a crash leaves behind; the log cannot be written.
            QFile(log).open(QIODevice::WriteOnly);
            QFile(index).open(QIODevice::WriteOnly);
            QFile::setPermissions(log, readable);
            giveToNobody({folder, path, index});
        }
        const QByteArray before = fingerprint(path);
        const QStringList files = QDir(folder).entryList(QDir::Files);
        const int mode = modeOf(path);

        QProcess opener;
        opener.start(QStringLiteral(STORE_OPENER), {path, QLatin1String(unprivileged ? "--unprivileged" : "--as-is")});
        QVERIFY(opener.waitForFinished(30000));
        QCOMPARE(opener.readAllStandardOutput().trimmed(),
                 (QStringLiteral("refused: ") + AppState::sentenceFor(ModelContext::Problem::ReadOnly)).toUtf8());
        QCOMPARE(fingerprint(path), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), files);
        QCOMPARE(modeOf(path), mode);
    }

    void aDamagedStoreEndsOnTheErrorScreenAndIsNeverWritten_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("withSettings");
        QTest::addColumn<QString>("before"); // what happens before the damage is found
        QTest::newRow("journal page, no settings record yet")
            << QStringLiteral("JournalEntry") << false << QStringLiteral("nothing");
        QTest::newRow("journal page, read at start")
            << QStringLiteral("JournalEntry") << true << QStringLiteral("read");
        QTest::newRow("reading page, a save before anything read it")
            << QStringLiteral("Reading") << true << QStringLiteral("save");
        QTest::newRow("drawn card page, no settings record, a save")
            << QStringLiteral("DrawnCard") << false << QStringLiteral("save");
    }
    void aDamagedStoreEndsOnTheErrorScreenAndIsNeverWritten()
    {
        QFETCH(QString, table);
        QFETCH(bool, withSettings);
        QFETCH(QString, before);
        QTemporaryDir dir;
        const QString path = storePath(dir);
        QVERIFY(writeDamagedStore(path, table, withSettings));
        // Opened to others on purpose: a refused file keeps its mode as well as its bytes.
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
        const QByteArray file = fingerprint(path);
        const QByteArray log = fingerprint(path + QStringLiteral("-wal"));
        const QStringList files = QDir(dir.path()).entryList(QDir::Files);
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral(
                                                "^Failed to create ModelContainer: The store is damaged")));
        {
            AppState state(path);
            QSignalSpy switched(&state, &AppState::storeReadyChanged);
            QVERIFY(state.storeReady());
            // What the window does as it is built: the settings record waits for the check.
            state.ensureAppSettings();
            if (before == QLatin1String("read")) {
                state.context()->fetch<JournalEntry>();
            } else if (before == QLatin1String("save")) {
                state.context()->fetch<JournalEntry>().first()->setMood(QStringLiteral("Peaceful"));
                QVERIFY(!state.context()->save());
            }
            QTRY_VERIFY(!state.storeReady());
            QCOMPARE(switched.size(), 1);
            QCOMPARE(state.storeProblem(), ModelContext::Problem::Damaged);
            QCOMPARE(state.storeError(), AppState::sentenceFor(ModelContext::Problem::Damaged));
            QVERIFY(!state.context()->isChecked());
            // Whatever the user still manages to do is kept in memory only.
            state.ensureAppSettings();
            state.context()->insert(new UserCardNote(QStringLiteral("major_10"), QStringLiteral("turning")));
            QVERIFY(!state.context()->save());
        }
        QCOMPARE(fingerprint(path), file);
        QCOMPARE(fingerprint(path + QStringLiteral("-wal")), log);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
        QCOMPARE(modeOf(path), 0644);
    }
};

QTEST_MAIN(AppStateTest)
#include "tst_app_state.moc"
