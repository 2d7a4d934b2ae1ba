#include "AppState.h"
#include "AudioManager.h"
#include "ModelContext.h"
#include "QmlModules.h"
#include "SoundSettingsLink.h"
#include "Theme.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QQuickWindow>

#include <cstdio>
#include <cstdlib>

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

    if (!haveDisplay()) {
        std::fputs("Quillmoor Tarot needs a graphical display: none is set (DISPLAY or WAYLAND_DISPLAY); "
                   "start it from a desktop session or under xvfb-run.\n",
                   stderr);
        return 2;
    }

    // Must happen before the application object exists.
    AudioManager::chooseMediaBackend();

    QGuiApplication::setOrganizationName(QStringLiteral("Quillmoor"));
    QGuiApplication::setApplicationName(QStringLiteral("Quillmoor Tarot"));
    QGuiApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quillmoor.tarot"));
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    Theme::registerFonts();

    AppState state(ModelContext::defaultStorePath());
    AppStateForeign::setInstance(&state);
    SoundSettingsLink sound(state.context(), AudioManager::shared());

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

    engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/App/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    state.checkStoreAfterFirstFrame(qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst()));
    return app.exec();
}
