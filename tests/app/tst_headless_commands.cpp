// The commands the executable runs without a window: how their flags are read, and the real
// executable running them with no display at all.
#include "HeadlessCommands.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class HeadlessCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void parsing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("flag"); // empty: the window opens
        QTest::addColumn<bool>("malformed");
        QTest::newRow("no arguments") << QStringList{} << QString() << false;
        QTest::newRow("a section to show") << QStringList{u"--daily-card"_s} << QString() << false;
        QTest::newRow("backup") << QStringList{u"--backup-now"_s} << u"--backup-now"_s << false;
        QTest::newRow("after Qt's own options")
            << QStringList{u"-platform"_s, u"offscreen"_s, u"--list-backups"_s} << u"--list-backups"_s << false;
        QTest::newRow("an argument too many")
            << QStringList{u"--backup-now"_s, u"/tmp/x"_s} << u"--backup-now"_s << true;
        QTest::newRow("sync off") << QStringList{u"--sync-folder"_s, QString()} << u"--sync-folder"_s << false;
        QTest::newRow("sync folder missing") << QStringList{u"--sync-folder"_s} << u"--sync-folder"_s << true;
        QTest::newRow("the reminder reads its own")
            << QStringList{u"--post-daily-reminder"_s, u"--title"_s, u"x"_s} << u"--post-daily-reminder"_s << false;
    }
    void parsing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, flag);
        QFETCH(bool, malformed);
        QString error;
        const auto command = HeadlessCommands::parse(arguments, &error);
        QCOMPARE(command ? command->flag : QString(), flag);
        QCOMPARE(!error.isEmpty(), malformed);
    }

    // With no display and no store yet: listing finds nothing, a snapshot has no store to copy
    // (a message and a non-zero exit), and a malformed command says how to use them.
    void theExecutableRunsThemWithoutADisplay()
    {
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
            environment.remove(name);
        environment.insert(u"XDG_DATA_HOME"_s, home.path());
        const auto run = [&](const QStringList &arguments) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(QStringLiteral(QUILLMOOR_APP), arguments);
            process.waitForFinished(30000);
            return std::tuple{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                              QString::fromUtf8(process.readAllStandardError())};
        };
        const auto [listed, listing, listErrors] = run({u"--list-backups"_s});
        QCOMPARE(listed, 0);
        QVERIFY(listing.isEmpty());
        const auto [backedUp, path, why] = run({u"--backup-now"_s});
        QCOMPARE(backedUp, 1);
        QVERIFY(path.isEmpty());
        QVERIFY2(why.contains(u"no store to back up"_s), qPrintable(why));
        const auto [misused, nothing, usage] = run({u"--backup-now"_s, u"extra"_s});
        QCOMPARE(misused, 2);
        QVERIFY(usage.contains(u"--list-backups"_s));
        QVERIFY(usage.contains(u"--sync-now"_s));
        // Sync needs a store and a folder, and says so; a missing store is not created.
        const auto [noStore, none, noStoreWhy] = run({u"--sync-now"_s});
        QCOMPARE(noStore, 1);
        QVERIFY2(noStoreWhy.contains(u"There is no store"_s), qPrintable(noStoreWhy));
        QVERIFY(!QFileInfo::exists(home.filePath(u"Quillmoor/Quillmoor Tarot/default.store"_s)));
    }

    // An archive exported by one home imports into another, and once only. While the app holds
    // its claim, the import is refused and leaves the store as it was.
    void anArchiveMovesBetweenStoresButNotUnderAnOpenWindow()
    {
        QTemporaryDir from, to, runtime;
        const QString archive = from.filePath(u"everything.json"_s);
        const auto run = [&](const QString &home, const QStringList &arguments) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.remove(u"DBUS_SESSION_BUS_ADDRESS"_s); // the claim is then the lock file
            environment.insert(u"XDG_DATA_HOME"_s, home);
            environment.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(QStringLiteral(QUILLMOOR_APP), arguments);
            process.waitForFinished(30000);
            return std::tuple{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                              QString::fromUtf8(process.readAllStandardError())};
        };
        QVERIFY(std::get<0>(run(to.path(), {u"--export-archive"_s, archive})) != 0); // nothing there yet
        const auto [made, madeOut, madeErr] =
            run(from.path(), {u"--import-archive"_s, QStringLiteral(QUILLMOOR_TEST_ARCHIVE)});
        QVERIFY2(made == 0, qPrintable(madeErr));
        QVERIFY2(madeOut.contains(u"3 added"_s), qPrintable(madeOut));
        const auto [exported, exportOut, exportErr] = run(from.path(), {u"--export-archive"_s, archive});
        QVERIFY2(exported == 0, qPrintable(exportErr));

        const auto [imported, importOut, importErr] = run(to.path(), {u"--import-archive"_s, archive});
        QVERIFY2(imported == 0, qPrintable(importErr));
        QVERIFY2(importOut.contains(u"3 added, 0 updated, 0 already here"_s), qPrintable(importOut));
        // The imported records are found by the terminal's search, a reading by its cards' names
        // too, one tab-separated line each; a word found nowhere is an exit of 1 and a sentence.
        const auto [searched, found, searchErr] = run(to.path(), {u"--search"_s, u"three of cups JOB"_s});
        QVERIFY2(searched == 0, qPrintable(searchErr));
        QCOMPARE(found, u"reading\t2026-12-01\tPast, Present, Future · The Fool, Three of Cups, Eight of Wands\t"
                        u"What does the new job ask of me?\n"_s);
        const auto [missed, missedOut, missedErr] = run(to.path(), {u"--search"_s, u"\"lisbon"_s});
        QCOMPARE(missed, 1);
        QVERIFY(missedOut.isEmpty());
        QVERIFY2(missedErr.contains(u"Nothing matches"_s), qPrintable(missedErr));
        const auto [blank, blankOut, blankErr] = run(to.path(), {u"--search"_s, u"*** ("_s});
        QCOMPARE(blank, 2);
        QVERIFY2(blankErr.contains(u"Give a word"_s), qPrintable(blankErr));

        const auto [again, againOut, againErr] = run(to.path(), {u"--import-archive"_s, archive});
        QVERIFY2(againOut.contains(u"0 added, 0 updated, 3 already here"_s), qPrintable(againOut + againErr));

        const QString store = QDir(to.path()).filePath(u"Quillmoor/Quillmoor Tarot/default.store"_s);
        const auto contentsOf = [](const QString &path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                                  : QByteArray();
        };
        const QByteArray before = contentsOf(store);
        QLockFile window(QDir(runtime.path()).filePath(u"com.quillmoor.tarot.lock"_s));
        QVERIFY(window.tryLock(0));
        const auto [refused, refusedOut, refusedErr] = run(to.path(), {u"--import-archive"_s, archive});
        QCOMPARE(refused, 1);
        QVERIFY2(refusedErr.contains(u"Quillmoor Tarot is open"_s), qPrintable(refusedErr));
        QCOMPARE(contentsOf(store), before);
    }
};

QTEST_GUILESS_MAIN(HeadlessCommandsTest)
#include "tst_headless_commands.moc"
