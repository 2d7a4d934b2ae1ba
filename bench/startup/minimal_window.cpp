// The smallest Qt Quick window of the same size, as the yardstick for the app's start-up.
// Usage: bench_minimal_window [drawn]
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

#include <cstdio>

int main(int argc, char *argv[])
{
    QElapsedTimer sinceLaunch;
    sinceLaunch.start();
    QGuiApplication app(argc, argv);
    QQmlApplicationEngine engine;
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
    // With "drawn": one line of text and a rounded panel, the least a real window shows. Under a
    // software renderer, drawing anything at all costs the first frame its shader compilations.
    const bool drawn = argc > 1 && qstrcmp(argv[1], "drawn") == 0;
    engine.loadData(drawn ? "import QtQuick\nWindow { width: 1200; height: 800; visible: true; color: \"#1A1A2E\"\n"
                            "  Rectangle { x: 12; y: 12; width: 220; height: 40; radius: 6; color: \"#2E2A4A\"\n"
                            "    Text { anchors.centerIn: parent; text: \"Quillmoor\"; color: \"#F0E6D2\" } } }"
                          : "import QtQuick\nWindow { width: 1200; height: 800; visible: true; color: \"#1A1A2E\" }");
    return app.exec();
}
