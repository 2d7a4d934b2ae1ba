#include "AppSection.h"
#include "AppState.h"
#include "AudioManager.h"
#include "CardDataStore.h"
#include "Clock.h"
#include "DailyReminder.h"
#include "DesktopNotificationCenter.h"
#include "DesktopPreferences.h"
#include "FrameFonts.h"
#include "HeadlessCommands.h"
#include "ModelContext.h"
#include "QmlModules.h"
#include "Readings.h"
#include "ReminderCommand.h"
#include "SceneGraphChoice.h"
#include "Scheduler.h"
#include "SingleInstance.h"
#include "SoundSettingsLink.h"
#include "StoreLog.h"
#include "SystemdReminderUnits.h"
#include "Theme.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickWindow>
#include <QScopeGuard>

#include <cstdio>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <latch>
#include <optional>
#include <thread>

namespace {

// Without a display, Qt would abort with a long message; say it in one line instead.
bool haveDisplay()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return true;
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceLaunch;
    sinceLaunch.start();

    QGuiApplication::setOrganizationName(QStringLiteral("Quillmoor"));
    QGuiApplication::setApplicationName(QStringLiteral("Quillmoor Tarot"));
    QGuiApplication::setApplicationVersion(QStringLiteral(QUILLMOOR_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quillmoor.tarot"));

    // A command run without a window (the reminder's timer, backups): no display needed.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QString commandError;
    if (const auto command = HeadlessCommands::parse(arguments, &commandError)) {
        if (!commandError.isEmpty()) {
            std::fputs(qPrintable(commandError + u'\n' + HeadlessCommands::usage()), stderr);
            return 2;
        }
        return HeadlessCommands::run(*command, argc, argv);
    }

    if (!haveDisplay()) {
        std::fputs("Quillmoor Tarot needs a graphical display: none is set (DISPLAY or WAYLAND_DISPLAY); "
                   "start it from a desktop session or under xvfb-run.\n",
                   stderr);
        return 2;
    }

    // The environment is settled before the font thread starts: font configuration reads it, and
    // a variable set on this thread meanwhile can move the environment's list under that read.
    // The media backend is chosen before the application object exists. The controls are drawn
    // in the Basic style whatever the desktop asks for; set by name, so the controls' library is
    // loaded only when a screen first needs it, after the first frame.
    AudioManager::chooseMediaBackend();
    qputenv("QT_QUICK_CONTROLS_STYLE", "Basic");
    SceneGraphChoice::apply();

    // The fonts are the largest single cost of the first frame: reading the system's font
    // configuration, building Qt's font list from it and adding our own fonts. All of it runs on
    // the other core while the store opens and the QML engine is set up. The font list needs the
    // application object, so that part waits for it; the list is safe to use from any thread.
    std::latch applicationCreated(1);
    std::jthread fonts([&applicationCreated] {
        FcInit();
        applicationCreated.wait();
        QFontDatabase::families();
        Theme::registerFonts();
    });

    QGuiApplication app(argc, argv);
    applicationCreated.count_down();
    // The desktop's motion and text size are asked for now and answered while the store opens.
    DesktopPreferences::instance()->readFrom(QDBusConnection::sessionBus());
    // However main() ends, the font work stops using the application before it is destroyed.
    const auto fontsDone = qScopeGuard([&fonts] {
        if (fonts.joinable())
            fonts.join();
    });

    // A second launch raises the running window instead of opening the store twice (claimed
    // below).
    SingleInstance instance;
    // What the window's QML uses outlives the engine, which is declared after it; each is made
    // once this launch is known to be the first.
    std::optional<AppState> state;
    std::optional<SoundSettingsLink> sound;
    std::optional<DesktopNotificationCenter> notifications;

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QObject::connect(
        &engine, &QQmlApplicationEngine::objectCreationFailed, &app, [] { QCoreApplication::exit(1); },
        Qt::QueuedConnection);
    // The window's QML, and every module it imports, is read and registered on the QML loader's
    // thread while the store opens and the fonts are prepared; the window is built from it below.
    const QUrl mainWindow(QStringLiteral("qrc:/qt/qml/Quillmoor/App/Main.qml"));
    QQmlComponent preparedWindow(&engine, mainWindow, QQmlComponent::Asynchronous);

    if (!instance.claim(QCoreApplication::arguments().mid(1)))
        return 0;
    state.emplace(ModelContext::defaultStorePath());
    AppStateForeign::setInstance(&*state);
    sound.emplace(state->context(), AudioManager::shared());
    notifications.emplace(QDBusConnection::sessionBus(), SystemdReminderUnits::defaultUnitFolder(),
                          QCoreApplication::applicationFilePath(), Scheduler::system());
    state->setNotificationCenter(&*notifications);
    // A reminder this process shows itself says how many readings wait to be looked back on.
    notifications->setBeforePosting([&state](NotificationRequest request) {
        const int due = state->context() ? Readings(state->context()).dueCount(Clock::today()) : 0;
        return DailyReminder::withReadingsDue(std::move(request), due);
    });
    // A restored backup is a new store: the sound setting is followed there.
    QObject::connect(&*state, &AppState::contextChanged, &app, [&state, &sound] {
        sound.reset();
        if (state->context())
            sound.emplace(state->context(), AudioManager::shared());
    });

    // For the start-up benchmark: report the first frame and quit.
    if (qEnvironmentVariableIsSet("QUILLMOOR_EXIT_AFTER_FIRST_FRAME")) {
        QObject::connect(&engine, &QQmlApplicationEngine::objectCreated, &app, [&](QObject *object) {
            if (auto *window = qobject_cast<QQuickWindow *>(object)) {
                QObject::connect(
                    window, &QQuickWindow::frameSwapped, &app,
                    [&] {
                        std::printf("first-frame %lld\n", static_cast<long long>(sinceLaunch.elapsed()));
                        std::fflush(stdout);
                        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
                    },
                    // Reported by the thread that put the frame on screen, ahead of any work the
                    // window queued behind it.
                    Qt::ConnectionType(Qt::DirectConnection | Qt::SingleShotConnection));
            }
        });
    }

    fonts.join();
    // The frame's fonts are opened and shaped while the loader still reads the QML.
    FrameFonts::prepare();
    while (preparedWindow.isLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The catalogue decodes on the other core while the window is being built; started once the
    // fonts and the QML are in, so that it does not compete with them for that core.
    CardDataStore::preloadShared();
    DesktopPreferences::instance()->waitForDesktop(200);
    state->checkStoreAfterFirstFrame(engine);
    engine.load(mainWindow);
    if (engine.rootObjects().isEmpty())
        return 1;
    const auto raise = [&engine] {
        if (auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst())) {
            window->show();
            window->raise();
            window->requestActivate();
        }
    };
    QObject::connect(&instance, &SingleInstance::activationRequested, &app,
                     [&state, raise](const QStringList &arguments) {
                         qCInfo(lcApp, "Raised by a second launch");
                         raise();
                         // A click on the daily reminder launches with this argument.
                         if (arguments.contains(QLatin1String(ReminderCommand::dailyCardArgument)))
                             state->requestSection(AppSection::DailyCard);
                     });
    // A reminder this process posted itself (no user service manager) was clicked.
    QObject::connect(&*notifications, &NotificationCenter::activated, &app, [&state, raise] {
        raise();
        state->requestSection(AppSection::DailyCard);
    });
    return app.exec();
}
