// The window's frames while the store is backed up: a card-sized item turns continuously and
// the time between presented frames is recorded, first for a quiet stretch, then while
// snapshots of the store are taken one after another the way the app takes them (on the
// backup worker). Prints the median and the longest frame of both, side by side.
// Usage: bench_snapshot_frames STORE [seconds per stretch, 3]. Run under the platform you care
// about, e.g. `xvfb-run -a ./bench_snapshot_frames /tmp/ten.store`.

#include "BackupScheduler.h"
#include "ModelContext.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Stretch
{
    std::vector<double> frames;
    int snapshots = 0;

    void print(const char *name) const
    {
        if (frames.empty()) {
            std::printf("%-18s no frames presented\n", name);
            return;
        }
        std::vector<double> sorted = frames;
        std::sort(sorted.begin(), sorted.end());
        std::printf("%-18s frames %5zu, median %6.2f ms, p99 %6.2f ms, longest %6.2f ms, snapshots %d\n", name,
                    sorted.size(), sorted[sorted.size() / 2], sorted[sorted.size() * 99 / 100], sorted.back(),
                    snapshots);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: bench_snapshot_frames STORE [seconds]\n");
        return 2;
    }
    const int stretchMs = 1000 * (arguments.size() > 2 ? std::max(1, arguments.at(2).toInt()) : 3);
    QString error;
    auto context = ModelContext::open(arguments.at(1), &error);
    if (!context) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    BackupScheduler backups(context.get());

    QQmlEngine engine;
    QQuickWindow window;
    window.resize(1000, 700);
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nItem { anchors.fill: parent\n"
                      "  Rectangle { x: 400; y: 200; width: 200; height: 300; radius: 12; color: 'purple'\n"
                      "    RotationAnimation on rotation { from: 0; to: 360; duration: 2000; loops: -1 } } }\n",
                      QUrl(QStringLiteral("qrc:/bench.qml")));
    std::unique_ptr<QQuickItem> root(qobject_cast<QQuickItem *>(component.create()));
    if (!root) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    root->setParentItem(window.contentItem());

    Stretch quiet;
    Stretch backingUp;
    Stretch *current = &quiet;
    QElapsedTimer clock;
    clock.start();
    qint64 last = -1;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last >= 0)
            current->frames.push_back((now - last) / 1e6);
        last = now;
    });
    // Each finished snapshot starts the next while the second stretch lasts.
    bool snapshotting = false;
    QObject::connect(&backups, &BackupScheduler::finished, &app, [&](const QString &problem) {
        if (!problem.isEmpty())
            std::fprintf(stderr, "snapshot failed: %s\n", qPrintable(problem));
        ++backingUp.snapshots;
        if (snapshotting)
            backups.backUpNow();
    });
    window.show();
    QTimer::singleShot(stretchMs, &app, [&] {
        current = &backingUp;
        last = -1;
        snapshotting = true;
        backups.backUpNow();
    });
    QTimer::singleShot(2 * stretchMs, &app, [&] {
        snapshotting = false;
        backups.waitForIdle();
        app.quit();
    });
    app.exec();

    std::printf("platform %s, %s\n", qPrintable(QGuiApplication::platformName()), qPrintable(arguments.at(1)));
    quiet.print("quiet");
    backingUp.print("while backing up");
    return 0;
}
