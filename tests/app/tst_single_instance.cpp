// Launches the real executable twice: the second launch must hand over to the first and exit,
// over a private session bus and, without a bus, over the runtime folder's socket.
#include "PrivateBus.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Launch
{
    Launch(const QTemporaryDir &home, const QString &busAddress)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUILLMOOR_APP), {});
    }
    ~Launch()
    {
        process.kill();
        process.waitForFinished();
    }
    QProcess process;
};

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void aSecondLaunchHandsOverAndExits_data()
    {
        QTest::addColumn<bool>("withBus");
        QTest::newRow("session bus") << true;
        QTest::newRow("runtime folder socket") << false;
    }
    void aSecondLaunchHandsOverAndExits()
    {
        QFETCH(bool, withBus);
        QTemporaryDir home;
        QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        PrivateBus bus;
        QVERIFY(!bus.address.isEmpty());
        const QString address = withBus ? bus.address : QStringLiteral("unix:path=") + home.filePath("no-bus");

        Launch first(home, address);
        if (withBus)
            QTRY_VERIFY_WITH_TIMEOUT(bus.nameTaken(QStringLiteral("com.quillmoor.tarot")), 20000);
        else
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.filePath("com.quillmoor.tarot.socket")), 20000);

        Launch second(home, address);
        QVERIFY(second.process.waitForFinished(20000));
        QCOMPARE(second.process.exitCode(), 0);
        QCOMPARE(first.process.state(), QProcess::Running);
        QByteArray log;
        QTRY_VERIFY2_WITH_TIMEOUT((log += first.process.readAllStandardError()).contains("Raised by a second launch"),
                                  log.constData(), 10000);
    }

    // Two launches at the same moment: one window, whichever wins.
    void twoLaunchesTogetherLeaveOne()
    {
        QTemporaryDir home;
        PrivateBus bus;
        Launch a(home, bus.address);
        Launch b(home, bus.address);
        QTRY_VERIFY_WITH_TIMEOUT(a.process.state() == QProcess::NotRunning || b.process.state() == QProcess::NotRunning,
                                 20000);
        QProcess &ended = a.process.state() == QProcess::NotRunning ? a.process : b.process;
        QProcess &running = &ended == &a.process ? b.process : a.process;
        QCOMPARE(ended.exitCode(), 0);
        QCOMPARE(running.state(), QProcess::Running);
        QVERIFY(bus.nameTaken(QStringLiteral("com.quillmoor.tarot")));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_single_instance.moc"
