// The Readings menu on ten years of use with 500 readings waiting to be looked back on: from
// creating the menu to its first frame, on a context that has read nothing yet, side by side
// with the same menu on the same store with no reading due.
//
// Usage: bench_look_back [store] [runs]
//   store: a store file to start from (it is copied, never changed); without one (or ""), the
//          ten-year store is written first.
// Run under a display: xvfb-run -a build-release/bench/readings/bench_look_back.

#include "BenchSupport.h"
#include "Clock.h"
#include "LookBack.h"
#include "ModelContext.h"
#include "Reading.h"
#include "Readings.h"
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
#include <vector>

namespace {

void waitForFrame(QQuickWindow &window)
{
    QEventLoop frame;
    const auto connection = QObject::connect(&window, &QQuickWindow::frameSwapped, &frame, &QEventLoop::quit);
    window.update();
    frame.exec();
    QObject::disconnect(connection);
}

void idle(int ms)
{
    QEventLoop wait;
    QTimer::singleShot(ms, &wait, &QEventLoop::quit);
    wait.exec();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Every 40th reading, up to `count`, comes due yesterday. Both stores go through it, so they
// differ in nothing else (both upgraded, both read whole and saved once).
bool makeDue(const QString &path, int count)
{
    QString error;
    auto context = ModelContext::open(path, &error);
    if (!context)
        return false;
    const QString yesterday = LookBack::stored(Clock::today().addDays(-1));
    int made = 0;
    const QList<Reading *> readings = context->fetch<Reading>();
    for (int i = 0; i < readings.size() && made < count; i += 40, ++made)
        readings.at(i)->setLookBackOn(yesterday);
    return context->save() && made == count;
}

struct Timing
{
    double ms = 0;
    int rowsShown = 0;
    int total = 0;
};

Timing openMenu(QQmlComponent &component, const QString &path, QQuickWindow &window)
{
    QString error;
    auto context = ModelContext::open(path, &error);
    idle(20);
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<QQuickItem> view(qobject_cast<QQuickItem *>(
        component.createWithInitialProperties({{QStringLiteral("modelContext"), QVariant::fromValue(context.get())}})));
    if (!view) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        std::exit(1);
    }
    view->setParentItem(window.contentItem());
    view->setSize(window.size());
    waitForFrame(window);
    Timing timing{double(timer.nsecsElapsed()) / 1e6};
    QObject *due = view->property("readingsToLookBack").value<QObject *>();
    timing.rowsShown = due ? due->property("count").toInt() : -1;
    timing.total = due ? due->property("total").toInt() : -1;
    view.reset();
    idle(20);
    return timing;
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
    const QString none = folder.filePath(QStringLiteral("none-due.store"));
    const QString due = folder.filePath(QStringLiteral("due.store"));
    if (!prepareWorkingStore(arguments.value(1), none) || !QFile::copy(none, due) || !makeDue(due, 500) ||
        !makeDue(none, 0)) {
        std::fprintf(stderr, "cannot prepare the stores\n");
        return 1;
    }

    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQuickWindow window;
    window.resize(799, 652); // the detail column of a 1000 x 700 window
    window.show();
    QQmlComponent component(&engine);
    component.setData("import Quillmoor.Readings\nReadingMenuView {}", QUrl(QStringLiteral("qrc:/bench.qml")));
    waitForFrame(window);

    std::vector<double> baseline;
    std::vector<double> withDue;
    Timing last;
    for (int run = 0; run < runs + 3; ++run) {
        // Taken in turns, each going first every other run, so neither gains from the order.
        Timing a;
        if (run % 2 == 0) {
            a = openMenu(component, none, window);
            last = openMenu(component, due, window);
        } else {
            last = openMenu(component, due, window);
            a = openMenu(component, none, window);
        }
        if (run >= 3) { // the first runs warm the caches and the QML type cache
            baseline.push_back(a.ms);
            withDue.push_back(last.ms);
        }
    }
    std::printf("platform %s, window 799 x 652, %d runs, a fresh context each time\n",
                qPrintable(QGuiApplication::platformName()), runs);
    std::printf("Readings menu to its first frame:\n");
    std::printf("  no reading due:    median %.2f ms\n", median(baseline));
    std::printf("  500 readings due:  median %.2f ms (%d listed, total %d), %.2fx\n", median(withDue), last.rowsShown,
                last.total, median(withDue) / median(baseline));
    return 0;
}
