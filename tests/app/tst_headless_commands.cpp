// The commands the executable runs without a window: how their flags are read, and the real
// executable running them with no display at all.
#include "HeadlessCommands.h"

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
    }
};

QTEST_GUILESS_MAIN(HeadlessCommandsTest)
#include "tst_headless_commands.moc"
