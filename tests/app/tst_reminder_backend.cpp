// The desktop back end of the daily reminder against stand-in services on a private session
// bus: permission, the systemd timer and service it writes, the fallback timer of the running
// application, and the executable started with the reminder flag.
#include "Clock.h"
#include "DailyReminder.h"
#include "DesktopNotificationCenter.h"
#include "FakeDesktopServices.h"
#include "InProcessReminder.h"
#include "LookBack.h"
#include "NotificationPoster.h"
#include "PrivateBus.h"
#include "Reading.h"
#include "ReminderCommand.h"
#include "Scheduler.h"
#include "StoreTestSupport.h"
#include "SystemdReminderUnits.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int busTimeoutMs = 10000;

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Checks unit files with systemd's own parser when the machine has it.
QString systemdComplaints(const QStringList &files)
{
    const QString analyze = QStandardPaths::findExecutable(QStringLiteral("systemd-analyze"));
    if (analyze.isEmpty())
        return {};
    QTemporaryDir runtime;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(env);
    process.start(analyze, QStringList{QStringLiteral("--user"), QStringLiteral("verify")} + files);
    if (!process.waitForFinished(busTimeoutMs))
        return QStringLiteral("systemd-analyze did not finish");
    return QString::fromUtf8(process.readAllStandardError() + process.readAllStandardOutput()).trimmed();
}

// One private bus with the notification server on it, and optionally the service manager.
struct Desktop
{
    explicit Desktop(bool withServiceManager) : manager(unitFolder())
    {
        services = bus.connect(QStringLiteral("services"));
        QVERIFY(server.registerOn(services));
        if (withServiceManager)
            QVERIFY(manager.registerOn(services));
    }
    QString unitFolder() const { return home.filePath(QStringLiteral("config/systemd/user")); }
    QStringList unitFiles() const
    {
        return QDir(unitFolder())
            .entryList({QStringLiteral("*.timer"), QStringLiteral("*.service")}, QDir::Files, QDir::Name);
    }

    QTemporaryDir home;
    PrivateBus bus;
    QDBusConnection services{QString()};
    FakeNotificationServer server;
    FakeServiceManager manager;
};

} // namespace

class ReminderBackendTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::reset(); }

    // Permission means a notification server answers; the answer never comes inside the call.
    void permissionMeansANotificationServerAnswers_data()
    {
        QTest::addColumn<bool>("withBus");
        QTest::addColumn<bool>("withServer");
        QTest::newRow("server on the bus") << true << true;
        QTest::newRow("no server") << true << false;
        QTest::newRow("no session bus") << false << false;
    }
    void permissionMeansANotificationServerAnswers()
    {
        QFETCH(bool, withBus);
        QFETCH(bool, withServer);
        PrivateBus bus;
        FakeNotificationServer server;
        if (withServer)
            QVERIFY(server.registerOn(bus.connect(QStringLiteral("services"))));
        const QDBusConnection app =
            withBus ? bus.connect(QStringLiteral("app"))
                    : QDBusConnection::connectToBus(QStringLiteral("unix:path=") + bus.folder.filePath("none"),
                                                    QStringLiteral("nowhere"));
        DesktopNotificationCenter center(app, bus.folder.path(), QString(), Scheduler::system());
        std::optional<bool> granted;
        center.requestAuthorization(&center, [&](bool answer) { granted = answer; });
        QVERIFY(!granted);
        QTRY_VERIFY_WITH_TIMEOUT(granted.has_value(), busTimeoutMs);
        QCOMPARE(*granted, withServer);
        QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
    }

    void aDailyRequestBecomesOneSystemdTimerThatReschedulingReplaces()
    {
        Desktop desktop(true);
        const QString executable = desktop.home.filePath(QStringLiteral("my apps/quillmoor-tarot"));
        DesktopNotificationCenter center(desktop.bus.connect(QStringLiteral("app")), desktop.unitFolder(), executable,
                                         Scheduler::system());
        QSignalSpy idle(&center.units(), &SystemdReminderUnits::idle);
        QVERIFY(center.deliversWhileClosed());

        DailyReminder::schedule(center, QDateTime(QDate(2026, 5, 4), QTime(7, 30)));
        QTRY_COMPARE_WITH_TIMEOUT(idle.size(), 1, busTimeoutMs);
        const QString timer = QStringLiteral("quillmoor-tarot-daily_card_reminder.timer");
        const QString service = QStringLiteral("quillmoor-tarot-daily_card_reminder.service");
        QCOMPARE(desktop.unitFiles(), (QStringList{service, timer}));
        // The old timer goes first, the new one is enabled and started after systemd has read it.
        QCOMPARE(desktop.manager.calls,
                 (QStringList{"StopUnit " + timer + " replace", "DisableUnitFiles " + timer, "Reload",
                              "EnableUnitFiles " + timer + " force", "StartUnit " + timer + " replace"}));
        const QString timerText = readFile(QDir(desktop.unitFolder()).filePath(timer));
        QCOMPARE(desktop.manager.timersWhenEnabled, QStringList{timerText});
        for (const QString &line : {QStringLiteral("OnCalendar=*-*-* 07:30:00"), QStringLiteral("Persistent=false"),
                                    QStringLiteral("Unit=") + service, QStringLiteral("WantedBy=timers.target")})
            QVERIFY2(timerText.contains(QLatin1Char('\n') + line + QLatin1Char('\n')), qPrintable(line));
        const QString serviceText = readFile(QDir(desktop.unitFolder()).filePath(service));
        QVERIFY2(serviceText.contains(QStringLiteral("\nExecStart=\"") + executable + "\" \"--post-daily-reminder\" "),
                 qPrintable(serviceText));
        QVERIFY(serviceText.contains(QStringLiteral("\"Your daily card awaits. Take a moment to draw and reflect.\"")));

        // A second time replaces the first: still one timer, at the new time.
        desktop.manager.calls.clear();
        DailyReminder::schedule(center, QDateTime(QDate(2026, 5, 4), QTime(8, 45)));
        QTRY_COMPARE_WITH_TIMEOUT(idle.size(), 2, busTimeoutMs);
        QCOMPARE(desktop.unitFiles(), (QStringList{service, timer}));
        QVERIFY(readFile(QDir(desktop.unitFolder()).filePath(timer)).contains("OnCalendar=*-*-* 08:45:00\n"));
        QCOMPARE(desktop.manager.calls.first(), "StopUnit " + timer + " replace");
        QCOMPARE(desktop.manager.calls.last(), "StartUnit " + timer + " replace");

        // Cancelling takes the timer away for good.
        desktop.manager.calls.clear();
        DailyReminder::cancel(center);
        QTRY_COMPARE_WITH_TIMEOUT(idle.size(), 3, busTimeoutMs);
        QVERIFY(desktop.unitFiles().isEmpty());
        QCOMPARE(desktop.manager.calls,
                 (QStringList{"StopUnit " + timer + " replace", "DisableUnitFiles " + timer, "Reload"}));
    }

    void quickChangesReachSystemdAsTheLastOne()
    {
        Desktop desktop(true);
        DesktopNotificationCenter center(desktop.bus.connect(QStringLiteral("app")), desktop.unitFolder(),
                                         QStringLiteral("/usr/bin/quillmoor-tarot"), Scheduler::system());
        QSignalSpy idle(&center.units(), &SystemdReminderUnits::idle);
        for (int minute = 0; minute < 20; ++minute)
            DailyReminder::schedule(center, QDateTime(QDate(2026, 5, 4), QTime(6, minute)));
        QTRY_VERIFY_WITH_TIMEOUT(!idle.isEmpty(), busTimeoutMs);
        QVERIFY(desktop.manager.calls.count(QStringLiteral("Reload")) <= 2);
        QVERIFY(desktop.manager.timersWhenEnabled.last().contains("OnCalendar=*-*-* 06:19:00\n"));
        QCOMPARE(desktop.unitFiles().size(), 2);
    }

    // Paths and texts with spaces, quotes, % and $ must reach the reminder process unchanged.
    void theServiceLineSurvivesSystemdParsing_data()
    {
        QTest::addColumn<QString>("program"); // the executable's name; empty for the real path
        QTest::addColumn<QString>("title");
        QTest::newRow("path with spaces, % and $")
            << QStringLiteral("Quillmoor Tarot 100%$x") << QStringLiteral("Daily");
        QTest::newRow("path systemd refuses")
            << QStringLiteral("Quillmoor \"Tarot\" \\ it's") << QStringLiteral("Daily");
        QTest::newRow("awkward text") << QString() << QStringLiteral("100% \"sure\" $HOME ${USER} \\ back\nslash");
        QTest::newRow("a title like an option") << QString() << QStringLiteral("--body");
    }
    void theServiceLineSurvivesSystemdParsing()
    {
        QFETCH(QString, program);
        QFETCH(QString, title);
        QTemporaryDir folder;
        QString executable = QStringLiteral(QUILLMOOR_APP);
        if (!program.isEmpty()) {
            QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("my apps")));
            executable = folder.filePath(QStringLiteral("my apps/") + program);
            QVERIFY(QFile::link(QStringLiteral(QUILLMOOR_APP), executable));
        }
        NotificationRequest request = DailyReminder::request(QTime(7, 30));
        request.title = title;
        const QStringList files{folder.filePath(SystemdReminderUnits::serviceName(request.identifier)),
                                folder.filePath(SystemdReminderUnits::timerName(request.identifier))};
        const QStringList units{SystemdReminderUnits::serviceUnit(request, executable),
                                SystemdReminderUnits::timerUnit(request)};
        for (int i = 0; i < 2; ++i) {
            QFile file(files.at(i));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(units.at(i).toUtf8()) > 0);
        }
        const QString complaints = systemdComplaints(files);
        QVERIFY2(complaints.isEmpty(), qPrintable(complaints));

        // What the reminder process reads back from its arguments is what was scheduled.
        const std::optional<NotificationRequest> parsed = ReminderCommand::parse(ReminderCommand::arguments(request));
        QVERIFY(parsed);
        QCOMPARE((QStringList{parsed->title, parsed->body, parsed->soundName, parsed->identifier}),
                 (QStringList{request.title, request.body, request.soundName, request.identifier}));
    }

    void withoutAUserServiceManagerTheRunningAppKeepsTheTime()
    {
        Desktop desktop(false);
        ManualScheduler scheduler;
        // Saturday before the change to summer time in Berlin.
        const QDateTime start(QDate(2026, 3, 28), QTime(7, 0));
        Clock::follow([&] { return start.addMSecs(scheduler.elapsed()); });
        DesktopNotificationCenter center(desktop.bus.connect(QStringLiteral("app")), desktop.unitFolder(), QString(),
                                         scheduler);
        QSignalSpy known(&center, &DesktopNotificationCenter::serviceManagerKnown);
        QSignalSpy activated(&center, &NotificationCenter::activated);
        DailyReminder::schedule(center, QDateTime(start.date(), QTime(7, 30)));
        QTRY_COMPARE_WITH_TIMEOUT(known.size(), 1, busTimeoutMs);
        QVERIFY(!center.deliversWhileClosed());
        QVERIFY(center.inProcess().isPending(DailyReminder::identifier()));
        QVERIFY(desktop.unitFiles().isEmpty());

        scheduler.advance(29 * 60 * 1000);
        QCoreApplication::processEvents();
        QVERIFY(desktop.server.shown.isEmpty());
        scheduler.advance(60 * 1000);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.server.shown.size(), 1, busTimeoutMs);

        // Sunday has only 23 hours: the next one still comes at half past seven on the clock.
        scheduler.advance(23 * 60 * 60 * 1000 - 60 * 1000);
        QCoreApplication::processEvents();
        QCOMPARE(desktop.server.shown.size(), 1);
        scheduler.advance(60 * 1000);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.server.shown.size(), 2, busTimeoutMs);

        // A click on it shows the Daily Card of this very process.
        desktop.server.click(102);
        QTRY_COMPARE_WITH_TIMEOUT(activated.size(), 1, busTimeoutMs);
        QCOMPARE(activated.first().first().toString(), DailyReminder::identifier());

        DailyReminder::cancel(center);
        QVERIFY(!center.inProcess().isPending(DailyReminder::identifier()));
        scheduler.advance(24 * 60 * 60 * 1000);
        QCoreApplication::processEvents();
        QCOMPARE(desktop.server.shown.size(), 2);
    }

    // Started by the timer: one notification, and the process ends when it is closed or
    // clicked (a click shows the Daily Card of the running app), or at once without a server.
    void theReminderFlagPostsOneNotificationAndExits_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("closed") << QStringLiteral("close");
        QTest::newRow("clicked") << QStringLiteral("click");
        QTest::newRow("no server") << QString();
    }
    void theReminderFlagPostsOneNotificationAndExits()
    {
        QFETCH(QString, answer);
        Desktop desktop(false);
        if (answer.isEmpty())
            QVERIFY(desktop.services.unregisterService(QStringLiteral("org.freedesktop.Notifications")));
        FakeRunningInstance instance;
        QVERIFY(instance.registerOn(desktop.services));
        QProcess reminder;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), desktop.bus.address);
        // Started by a timer there may be no display at all.
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        // With a store holding two readings whose day to look back has come, the body says so;
        // without one, none is made.
        QTemporaryDir data;
        const QString storePath = data.filePath(QStringLiteral("Quillmoor/Quillmoor Tarot/default.store"));
        if (answer == QLatin1String("click")) {
            QString error;
            auto context = ModelContext::open(storePath, &error);
            QVERIFY2(context, qPrintable(error));
            for (int i = 0; i < 3; ++i) {
                Reading *reading = addReading(*context, QStringLiteral("three_card"), QDateTime::currentDateTime());
                reading->setLookBackOn(LookBack::stored(QDate::currentDate().addDays(i - 1)));
            }
            QVERIFY(context->save());
        }
        env.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        reminder.setProcessEnvironment(env);
        reminder.start(QStringLiteral(QUILLMOOR_APP), ReminderCommand::arguments(DailyReminder::request(QTime(7, 30))));
        if (answer.isEmpty()) {
            QVERIFY(reminder.waitForFinished(busTimeoutMs));
            QCOMPARE(reminder.exitCode(), 1);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(desktop.server.shown.size(), 1, busTimeoutMs);
        const FakeNotificationServer::Shown shown = desktop.server.shown.first();
        QCOMPARE(shown.summary, QStringLiteral("Daily Tarot Card"));
        QCOMPARE(shown.body, answer == QLatin1String("click")
                                 ? QStringLiteral("Your daily card awaits, and 2 readings to look back on. Take a "
                                                  "moment to draw and reflect.")
                                 : QStringLiteral("Your daily card awaits. Take a moment to draw and reflect."));
        QCOMPARE(QFileInfo::exists(storePath), answer == QLatin1String("click"));
        QCOMPARE(shown.hints.value(QStringLiteral("sound-name")).toString(), QStringLiteral("message-new-instant"));
        QVERIFY(shown.actions.contains(QStringLiteral("default")));
        QCOMPARE(reminder.state(), QProcess::Running);

        if (answer == QLatin1String("click"))
            desktop.server.click(101);
        else
            desktop.server.close(101);
        QTRY_COMPARE_WITH_TIMEOUT(reminder.state(), QProcess::NotRunning, busTimeoutMs);
        QCOMPARE(reminder.exitStatus(), QProcess::NormalExit);
        QCOMPARE(reminder.exitCode(), 0);
        QCOMPARE(desktop.server.shown.size(), 1);
        QCOMPARE(instance.activations, answer == QLatin1String("click")
                                           ? QList<QStringList>{{QStringLiteral("--daily-card")}}
                                           : QList<QStringList>{});
    }

    void aPostedNotificationIsLeftAfterTheWaitLimit()
    {
        Desktop desktop(false);
        ManualScheduler scheduler;
        NotificationPoster poster(desktop.bus.connect(QStringLiteral("app")), scheduler);
        QSignalSpy finished(&poster, &NotificationPoster::finished);
        poster.post(DailyReminder::request(QTime(7, 30)));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.server.shown.size(), 1, busTimeoutMs);
        scheduler.advance(NotificationPoster::waitLimitMs - 1);
        QVERIFY(finished.isEmpty());
        scheduler.advance(1);
        QCOMPARE(finished.size(), 1);
        QVERIFY(finished.first().first().toBool());
    }
};

QTEST_GUILESS_MAIN(ReminderBackendTest)
#include "tst_reminder_backend.moc"
