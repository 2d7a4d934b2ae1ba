// The card pictures on screen: pages through the whole deck at the large size, twelve faces a
// page as a user pages through cards, and reports how long a page takes until all its pictures
// show (median and longest), then every face at once at the small size (a library grid), and
// the resident memory after each. Usage: bench_card_pictures [rounds, 3]; BENCH_TRACE=1 prints
// the memory after every step; BENCH_CACHE_MIB=n gives the picture cache n MiB. The memory after
// the large pages is read once the app has handed freed memory back. Run from a release tree, e.g. `xvfb-run -a
// ./bench_card_pictures` or with QT_QPA_PLATFORM=offscreen.

#include "BenchSupport.h"
#include "CardDataStore.h"
#include "CardPictures.h"
#include "SceneGraphChoice.h"
#include "Theme.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <vector>

Q_IMPORT_QML_PLUGIN(Quillmoor_CataloguePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_UiPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_CardsPlugin)

namespace {

// "VmRSS" or "VmHWM" of this process in MiB.
double memoryMiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field)) + 1).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

bool picturesShown(QQuickItem *item)
{
    if (item->inherits("QQuickImageBase") && item->property("status").toInt() == 2) // Loading
        return false;
    const QList<QQuickItem *> children = item->childItems();
    return std::all_of(children.begin(), children.end(), picturesShown);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawn by the renderer the app would choose on this computer.
    SceneGraphChoice::apply();
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    Theme::registerFonts();
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    if (qEnvironmentVariableIsSet("BENCH_CACHE_MIB"))
        CardPictureCache::shared().setCapacityBytes(qEnvironmentVariableIntValue("BENCH_CACHE_MIB") * 1048576LL);

    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQuickWindow window;
    window.resize(1400, 900);
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport Quillmoor.Catalogue\nimport Quillmoor.Cards\n"
                      "Flow { id: grid; width: 1400; spacing: 8; padding: 8\n"
                      "  property int first: 0\n  property int count: 0\n  property int size: CardSize.Large\n"
                      "  property var cards: []\n"
                      "  Repeater { model: grid.count\n"
                      "    TarotCardView { required property int index; size: grid.size\n"
                      "      card: grid.cards[(grid.first + index) % 78] } } }\n",
                      QUrl(QStringLiteral("qrc:/bench.qml")));
    std::unique_ptr<QQuickItem> root(qobject_cast<QQuickItem *>(component.create()));
    if (!root) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    QVariantList cards;
    for (const TarotCard &card : CardDataStore::shared().allCards())
        cards.append(QVariant::fromValue(card));
    root->setProperty("cards", cards);
    root->setParentItem(window.contentItem());
    window.show();

    // Each step shows something and waits until its pictures show and a frame has presented them.
    std::vector<std::function<void()>> steps;
    std::vector<double> pageMs;
    double gridMs = 0;
    double idleRss = 0;
    double pagedRss = 0;
    QElapsedTimer clock;
    bool settled = false;
    int releasesBefore = 0;
    double shownMs = -1;
    int framesSinceSettled = 0;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&] {
        if (settled)
            ++framesSinceSettled;
    });

    std::function<void(size_t)> run = [&](size_t step) {
        if (step == steps.size()) {
            QGuiApplication::quit();
            return;
        }
        steps[step]();
        clock.start();
        releasesBefore = FreedMemoryRelease::shared().releaseCount();
        settled = false;
        shownMs = -1;
        auto *poll = new QTimer(&app);
        poll->setInterval(1);
        QObject::connect(poll, &QTimer::timeout, &app, [&, poll, step] {
            if (!settled) {
                if (!picturesShown(root.get()))
                    return;
                // Every picture has arrived: the next frame presents them.
                settled = true;
                framesSinceSettled = 0;
                window.update();
                return;
            }
            if (framesSinceSettled < 1)
                return;
            if (shownMs < 0)
                shownMs = double(clock.nsecsElapsed()) / 1e6;
            const double ms = shownMs;
            // After the last page the memory is read once the app has handed back what the
            // heap freed, as it does when paging stops.
            if (step == steps.size() - 2 && FreedMemoryRelease::shared().releaseCount() == releasesBefore)
                return;
            poll->deleteLater();
            if (qEnvironmentVariableIsSet("BENCH_TRACE"))
                std::printf("step %zu: rss %.1f anon %.1f\n", step, memoryMiB("VmRSS:"), memoryMiB("RssAnon:"));
            if (step == 0)
                idleRss = memoryMiB("VmRSS:");
            else if (step < steps.size() - 1)
                pageMs.push_back(ms);
            else
                gridMs = ms;
            if (step == steps.size() - 2)
                pagedRss = memoryMiB("VmRSS:");
            QTimer::singleShot(0, &app, [&, step] { run(step + 1); });
        });
        poll->start();
    };

    steps.push_back([&] { root->setProperty("count", 0); });
    for (int round = 0; round < rounds; ++round)
        for (int first = 0; first < 78; first += 12)
            steps.push_back([&, first] {
                root->setProperty("size", 3);
                root->setProperty("first", first);
                root->setProperty("count", std::min(12, 78 - first));
            });
    steps.push_back([&] {
        root->setProperty("first", 0);
        root->setProperty("size", 1);
        root->setProperty("count", 78);
    });
    QTimer::singleShot(0, &app, [&] { run(0); });
    app.exec();

    const CardPictureCache &cache = CardPictureCache::shared();
    std::printf("platform %s, %s renderer, device pixel ratio %.1f\n", qPrintable(QGuiApplication::platformName()),
                rendererName(window), window.effectiveDevicePixelRatio());
    std::printf("resident memory with an empty window: %.1f MiB\n", idleRss);
    std::printf("pages of 12 large faces, %zu pages (%d rounds of the deck): median %.1f ms, longest %.1f ms to "
                "show\n",
                pageMs.size(), rounds, median(pageMs),
                pageMs.empty() ? 0 : *std::max_element(pageMs.begin(), pageMs.end()));
    std::printf("resident memory after all 78 faces at the large size: %.1f MiB\n", pagedRss);
    std::printf("all 78 faces at once at the small size: %.1f ms to show\n", gridMs);
    std::printf("resident memory now: %.1f MiB, peak %.1f MiB\n", memoryMiB("VmRSS:"), memoryMiB("VmHWM:"));
    // Where it is: pages backed by files (the binary, with the compiled-in pictures, and
    // libraries) can be dropped and read again; anonymous pages are the process's own.
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (rollup.open(QIODevice::ReadOnly))
        for (const QByteArray &line : rollup.readAll().split('\n'))
            if (line.startsWith("Anonymous:") || line.startsWith("Rss:"))
                std::printf("  %s\n", line.simplified().constData());
    clock.start();
    malloc_trim(0);
    const double trimMs = double(clock.nsecsElapsed()) / 1e6;
    std::printf("resident memory once the allocator hands back free memory: %.1f MiB (the trim took %.2f ms)\n",
                memoryMiB("VmRSS:"), trimMs);
    std::printf("picture cache: %d pictures, %.1f MiB of %.1f MiB, %d decodes\n", cache.count(),
                double(cache.usedBytes()) / 1048576.0, double(cache.capacityBytes()) / 1048576.0, cache.decodeCount());
    return 0;
}
