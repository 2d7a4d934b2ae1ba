// The reading history on ten years of use (20,000 readings, 60,000 drawn cards).
//
// 1. Opening the history: from creating the screen to the first frame that shows its first rows,
//    with the Readings menu's starred shortcuts open beneath as in the app. Measured on a
//    context that has read nothing yet (the first time in a session) and on one that has
//    (opening it again).
// 2. Scrolling to the end: the list is moved down one screen per frame until the last reading
//    is shown, pages being read as they come into view. Each frame is timed from the scroll
//    step to its presentation; frames over 32 ms are counted.
//
// Usage: bench_history [store] [runs]
//   store: a store file to start from (it is copied, never changed); without one (or ""), the
//          ten-year store is written first.
// Run under a display: xvfb-run -a build-release/bench/readings/bench_history.

#include "BenchSupport.h"
#include "ModelContext.h"
#include "QmlModules.h"
#include "Reading.h"
#include "ReadingHistoryModel.h"
#include "Readings.h"
#include "StarredReadings.h"
#include "TenYearStore.h"
#include "Theme.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
    return values[at];
}

// Runs the event loop until the window presents its next frame.
void waitForFrame(QQuickWindow &window)
{
    QEventLoop frame;
    const auto connection = QObject::connect(&window, &QQuickWindow::frameSwapped, &frame, &QEventLoop::quit);
    window.update();
    frame.exec();
    QObject::disconnect(connection);
}

// Lets everything pending run for a moment.
void idle(int ms)
{
    QEventLoop wait;
    QTimer::singleShot(ms, &wait, &QEventLoop::quit);
    wait.exec();
}

std::unique_ptr<QQuickItem> openHistory(QQmlComponent &component, ModelContext *context, QQuickWindow &window)
{
    std::unique_ptr<QQuickItem> view(qobject_cast<QQuickItem *>(
        component.createWithInitialProperties({{QStringLiteral("modelContext"), QVariant::fromValue(context)}})));
    if (!view) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return nullptr;
    }
    view->setParentItem(window.contentItem());
    view->setSize(window.size());
    return view;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    Theme::registerFonts();
    const QStringList arguments = app.arguments();
    const int runs = arguments.size() > 2 ? std::max(1, arguments.at(2).toInt()) : 15;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("default.store"));
    if (!prepareWorkingStore(arguments.value(1), path))
        return 1;

    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQuickWindow window;
    window.resize(799, 652); // the detail column of a 1000 x 700 window
    window.show();
    QQmlComponent component(&engine);
    component.setData("import Quillmoor.Readings\nReadingHistoryView {}", QUrl(QStringLiteral("qrc:/bench.qml")));
    waitForFrame(window);

    // 1. The first screen of rows, on a fresh context and on one that has read them before.
    std::vector<double> fresh;
    std::vector<double> again;
    std::vector<double> freshCpu;
    std::vector<double> againCpu;
    int rowsShown = 0;
    QString error;
    auto session = ModelContext::open(path, &error);
    if (!session) {
        std::fprintf(stderr, "cannot open the store: %s\n", qPrintable(error));
        return 1;
    }
    StarredReadings sessionMenu;
    sessionMenu.setModelContext(session.get());
    for (int run = 0; run < runs + 3; ++run) {
        for (const bool first : {true, false}) {
            std::unique_ptr<ModelContext> own;
            std::unique_ptr<StarredReadings> menu;
            ModelContext *context = session.get();
            if (first) {
                own = ModelContext::open(path, &error);
                menu = std::make_unique<StarredReadings>();
                menu->setModelContext(own.get());
                context = own.get();
            }
            idle(20);
            QElapsedTimer timer;
            timer.start();
            const double cpuStart = threadCpuMs();
            std::unique_ptr<QQuickItem> view = openHistory(component, context, window);
            if (!view)
                return 1;
            waitForFrame(window);
            const double elapsed = double(timer.nsecsElapsed()) / 1e6;
            const double cpu = threadCpuMs() - cpuStart;
            auto *list = findItem(view.get(), QStringLiteral("historyList"));
            rowsShown = list ? list->property("count").toInt() : 0;
            if (run >= 3) { // the first runs warm the caches and the QML type cache
                (first ? fresh : again).push_back(elapsed);
                (first ? freshCpu : againCpu).push_back(cpu);
            }
            view.reset();
            idle(20);
        }
    }
    std::printf("platform %s, window 799 x 652 (the detail column of a 1000 x 700 window), %d runs\n",
                qPrintable(QGuiApplication::platformName()), runs);
    std::printf("open the history, first screen of rows (%d rows listed):\n", rowsShown);
    std::printf("  fresh context:  median %.2f ms, longest %.2f ms (GUI thread's cpu: median %.2f ms)\n",
                percentile(fresh, 0.5), *std::max_element(fresh.begin(), fresh.end()), percentile(freshCpu, 0.5));
    std::printf("  opened again:   median %.2f ms, longest %.2f ms (GUI thread's cpu: median %.2f ms)\n",
                percentile(again, 0.5), *std::max_element(again.begin(), again.end()), percentile(againCpu, 0.5));

    // 2. Down to the last reading, one screen a frame.
    auto context = ModelContext::open(path, &error);
    StarredReadings menu;
    menu.setModelContext(context.get());
    std::unique_ptr<QQuickItem> view = openHistory(component, context.get(), window);
    if (!view)
        return 1;
    waitForFrame(window);
    auto *list = findItem(view.get(), QStringLiteral("historyList"));
    auto *model = view->property("history").value<ReadingHistoryModel *>();
    std::vector<double> frames;
    std::vector<double> guiCpu;
    QElapsedTimer total;
    total.start();
    // The lowest place the list can be moved to, as a flick would stop there: the last row
    // comes into view, which asks the model for the next page.
    const auto bottom = [&] {
        return list->property("originY").toReal() + list->property("contentHeight").toReal() +
               list->property("bottomMargin").toReal() - list->height();
    };
    for (int guard = 0; guard < 20000; ++guard) {
        const qreal top = list->property("contentY").toReal();
        if (top >= bottom() - 0.5)
            break;
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = threadCpuMs();
        list->setProperty("contentY", std::min(top + list->height(), bottom()));
        waitForFrame(window);
        frames.push_back(double(timer.nsecsElapsed()) / 1e6);
        guiCpu.push_back(threadCpuMs() - cpuStart);
    }
    const double totalSeconds = double(total.nsecsElapsed()) / 1e9;
    const auto slow = std::count_if(frames.begin(), frames.end(), [](double ms) { return ms > 32; });
    std::printf("scroll to the end, one screen a frame: %zu frames in %.1f s, %d rows listed of %lld stored\n",
                frames.size(), totalSeconds, model->count(), qlonglong(Readings(context.get()).listed(false).size()));
    std::printf("  frame: median %.2f ms, 99th percentile %.2f ms, longest %.2f ms, over 32 ms: %lld\n",
                percentile(frames, 0.5), percentile(frames, 0.99), *std::max_element(frames.begin(), frames.end()),
                qlonglong(slow));
    const auto slowCpu = std::count_if(guiCpu.begin(), guiCpu.end(), [](double ms) { return ms > 32; });
    std::printf("  of which the GUI thread's cpu: median %.2f ms, 99th percentile %.2f ms, longest %.2f ms, "
                "over 32 ms: %lld\n",
                percentile(guiCpu, 0.5), percentile(guiCpu, 0.99), *std::max_element(guiCpu.begin(), guiCpu.end()),
                qlonglong(slowCpu));

    // 3. As the scroll bar dragged from the top to the bottom in one move, and back.
    std::vector<double> jumps;
    for (int run = 0; run < runs; ++run) {
        for (const bool toEnd : {false, true}) {
            QElapsedTimer timer;
            timer.start();
            QMetaObject::invokeMethod(list, toEnd ? "positionViewAtEnd" : "positionViewAtBeginning");
            waitForFrame(window);
            jumps.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    const QString lastDate =
        model->data(model->index(model->count() - 1), ReadingHistoryModel::DateTextRole).toString();
    std::printf("jump between the first and the last row: median %.2f ms, longest %.2f ms (last row: %s)\n",
                percentile(jumps, 0.5), *std::max_element(jumps.begin(), jumps.end()), qPrintable(lastDate));
    return 0;
}
