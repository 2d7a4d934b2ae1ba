#include "AppSection.h"
#include "AppState.h"
#include "AudioManager.h"
#include "CardDataStore.h"
#include "DesktopNotificationCenter.h"
#include "ModelContext.h"
#include "QmlModules.h"
#include "ReminderCommand.h"
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
#include <QQuickWindow>

#include <cstdio>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
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
    QGuiApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quillmoor.tarot"));

    // Started by the daily reminder's timer: post the notification, no window, no display needed.
    if (ReminderCommand::requested(argc, argv))
        return ReminderCommand::run(argc, argv);

    if (!haveDisplay()) {
        std::fputs("Quillmoor Tarot needs a graphical display: none is set (DISPLAY or WAYLAND_DISPLAY); "
                   "start it from a desktop session or under xvfb-run.\n",
                   stderr);
        return 2;
    }

    // Reading the system's font configuration and font list is the largest single cost of the
    // first frame; do it on the other core while the window is being prepared.
    std::jthread fontConfiguration([] { FcInit(); });

    // Must happen before the application object exists.
    AudioManager::chooseMediaBackend();

    QGuiApplication app(argc, argv);

    // Qt's font list is built, and our fonts join it, on the other core too, while the store
    // opens and the QML engine is set up. Both need the configuration read above; joining first
    // keeps Qt from reading it a second time. The font list is safe to use from any thread.
    fontConfiguration.join();
    std::jthread fontRegistration([] {
        QFontDatabase::families();
        Theme::registerFonts();
    });

    // A second launch raises the running window instead of opening the store twice.
    SingleInstance instance;
    if (!instance.claim(QCoreApplication::arguments().mid(1)))
        return 0;

    // The controls are drawn in the Basic style whatever the desktop asks for. Set by name, so
    // the controls' library is loaded only when a screen first needs it, after the first frame.
    qputenv("QT_QUICK_CONTROLS_STYLE", "Basic");

    AppState state(ModelContext::defaultStorePath());
    AppStateForeign::setInstance(&state);
    SoundSettingsLink sound(state.context(), AudioManager::shared());
    DesktopNotificationCenter notifications(QDBusConnection::sessionBus(), SystemdReminderUnits::defaultUnitFolder(),
                                            QCoreApplication::applicationFilePath(), Scheduler::system());
    state.setNotificationCenter(&notifications);

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QObject::connect(
        &engine, &QQmlApplicationEngine::objectCreationFailed, &app, [] { QCoreApplication::exit(1); },
        Qt::QueuedConnection);

    // For the start-up benchmark: report the first frame and quit.
    if (qEnvironmentVariableIsSet("QUILLMOOR_EXIT_AFTER_FIRST_FRAME")) {
        QObject::connect(&engine, &QQmlApplicationEngine::objectCreated, &app, [&](QObject *object) {
            if (auto *window = qobject_cast<QQuickWindow *>(object)) {
                QObject::connect(
                    window, &QQuickWindow::frameSwapped, &app,
                    [&] {
                        std::printf("first-frame %lld\n", static_cast<long long>(sinceLaunch.elapsed()));
                        std::fflush(stdout);
                        QCoreApplication::quit();
                    },
                    Qt::SingleShotConnection);
            }
        });
    }

    fontRegistration.join();
    // The catalogue decodes on the other core while the window is being built; started once the
    // fonts are in, so the two do not compete for that core.
    CardDataStore::preloadShared();
    engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/App/Main.qml")));
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
                             state.requestSection(AppSection::DailyCard);
                     });
    // A reminder this process posted itself (no user service manager) was clicked.
    QObject::connect(&notifications, &NotificationCenter::activated, &app, [&state, raise] {
        raise();
        state.requestSection(AppSection::DailyCard);
    });
    state.checkStoreAfterFirstFrame(qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst()));
    return app.exec();
}
