// The moment a shuffle ends: the spread is dealt, the reading and its drawn cards are stored
// (one save), and the results screen is built, laid out and drawn. Timed from the shuffle's last
// step to the first frame presented afterwards, on a store holding ten years of use, with the
// Readings menu's live query of starred readings open beneath, as in the app. Two spreads are
// timed in turns, side by side: the Celtic Cross, and a designed spread of 15 cards in three
// rows, one of them laid across another.
//
// Usage: bench_reading_results [store] [runs]
//   store: a store file to start from (it is copied, never changed); without one (or ""), a ten-year
//          store is filled first: 20,000 readings with 60,000 drawn cards, 3,650 journal
//          entries and 2,000 card notes.
// Run with a display, or QT_QPA_PLATFORM=offscreen (add QT_QUICK_BACKEND=software to measure
// the software renderer).

#include "BenchSupport.h"
#include "CustomSpread.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "PositionedCardList.h"
#include "QmlModules.h"
#include "Reading.h"
#include "ReadingFlowModel.h"
#include "Scheduler.h"
#include "Spread.h"
#include "Spreads.h"
#include "StarredReadings.h"
#include "TenYearStore.h"
#include "Theme.h"
#include "UserCardNote.h"

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

constexpr int shuffleMs = 1600;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    Theme::registerFonts();
    const QStringList arguments = app.arguments();
    const int runs = arguments.size() > 2 ? std::max(1, arguments.at(2).toInt()) : 25;

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("default.store"));
    QElapsedTimer setup;
    setup.start();
    if (!prepareWorkingStore(arguments.value(1), path))
        return 1;
    std::printf("store ready in %.1f s\n", double(setup.elapsed()) / 1000.0);

    QString error;
    auto context = ModelContext::open(path, &error);
    if (!context) {
        std::fprintf(stderr, "cannot open the store: %s\n", qPrintable(error));
        return 1;
    }
    // The menu beneath the reading screen keeps its live query of starred readings open; it is
    // what loads the readings, and it runs again after every save.
    QElapsedTimer menu;
    menu.start();
    StarredReadings starred;
    starred.setModelContext(context.get());
    const double menuMs = double(menu.nsecsElapsed()) / 1e6;
    std::printf("readings %lld, drawn cards %lld, journal entries %lld, notes %lld\n",
                qlonglong(context->fetch<Reading>().size()), qlonglong(context->fetch<DrawnCard>().size()),
                qlonglong(context->fetch<JournalEntry>().size()), qlonglong(context->fetch<UserCardNote>().size()));
    std::printf("menu's starred query on first open (loads every reading): %.1f ms\n", menuMs);

    // The designed spread: five across in three rows, the middle card of the middle row turned
    // and laid on its neighbour's edge.
    SpreadDefinition design{QString(), QStringLiteral("Year of Three Seasons"), QString(), 15, {}, {}};
    for (int i = 0; i < 15; ++i)
        design.positions.append({QStringLiteral("place_%1").arg(i + 1), i, QStringLiteral("Place %1").arg(i + 1),
                                 QString(), QPointF((i % 5 - 2) * 120.0, (i / 5 - 1) * 190.0), i == 7 ? 90.0 : 0.0});
    Spread *spread = Spreads(context.get()).add(design.name, QString(), CustomSpread::encode(design));
    if (!context->save()) {
        std::fprintf(stderr, "cannot store the designed spread\n");
        return 1;
    }
    const QString designedType = CustomSpread::spreadTypeFor(spread->id());

    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQuickWindow window;
    window.resize(799, 652); // the detail column of a 1000 x 700 window
    window.show();
    QQmlComponent cross(&engine);
    cross.setData("import Quillmoor.Readings\nCelticCrossReadingView {}", QUrl(QStringLiteral("qrc:/cross.qml")));
    QQmlComponent designed(&engine);
    designed.setData("import Quillmoor.Readings\nDesignedSpreadReadingView {}",
                     QUrl(QStringLiteral("qrc:/designed.qml")));

    struct Times
    {
        std::vector<double> frame, store, built, cpu, complete;
    };
    ManualScheduler scheduler;
    // One reading from the shuffle's end to its first frame; false when it failed.
    const auto measure = [&](QQmlComponent &component, const QVariantMap &properties, const QString &resultsName,
                             Times *times) {
        std::unique_ptr<QObject> object(component.createWithInitialProperties(properties));
        auto *view = qobject_cast<QQuickItem *>(object.get());
        if (!view) {
            std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
            return false;
        }
        view->setParentItem(window.contentItem());
        view->setSize(window.size());
        auto *flow = view->property("model").value<ReadingFlowModel *>();
        flow->setScheduler(scheduler);
        flow->beginReading();
        scheduler.advance(shuffleMs - 1);
        // Let the shuffling screen be drawn and everything pending settle first.
        QEventLoop settle;
        QTimer::singleShot(50, &settle, &QEventLoop::quit);
        settle.exec();

        QEventLoop frame;
        QElapsedTimer timer;
        qint64 stored = 0;
        qint64 presented = 0;
        double cpuAtFrame = 0;
        // Connected before the results exist, so this runs before anything they do on the frame.
        const auto connection = QObject::connect(&window, &QQuickWindow::frameSwapped, &frame, [&] {
            presented = timer.nsecsElapsed();
            cpuAtFrame = threadCpuMs();
            frame.quit();
        });
        const auto phase = QObject::connect(flow, &ReadingFlowModel::savedReadingChanged, flow,
                                            [&] { stored = timer.nsecsElapsed(); });
        const double cpuAtStart = threadCpuMs();
        timer.start();
        scheduler.advance(1); // the shuffle's last step: deal, store, results
        const double built = double(timer.nsecsElapsed()) / 1e6;
        window.update();
        frame.exec();
        // The meaning rows below the cards are built right after that first frame.
        QQuickItem *results = findItem(view, resultsName);
        while (results && !results->property("firstFrameShown").toBool())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double complete = double(timer.nsecsElapsed()) / 1e6;
        QObject::disconnect(connection);
        QObject::disconnect(phase);
        if (flow->phase() != ReadingFlowModel::Results || flow->drawnCards()->count() != flow->spread().cardCount) {
            std::fprintf(stderr, "the reading did not reach its results\n");
            return false;
        }
        if (times) {
            times->frame.push_back(double(presented) / 1e6);
            times->built.push_back(built);
            times->complete.push_back(complete);
            times->cpu.push_back(cpuAtFrame - cpuAtStart);
            times->store.push_back(double(stored) / 1e6);
        }
        return true;
    };

    const QVariantMap crossProperties{{QStringLiteral("modelContext"), QVariant::fromValue(context.get())}};
    const QVariantMap designedProperties{{QStringLiteral("modelContext"), QVariant::fromValue(context.get())},
                                         {QStringLiteral("spreadId"), designedType}};
    Times crossTimes;
    Times designedTimes;
    for (int run = 0; run < runs + 3; ++run) {
        // The first runs warm the caches and the QML type cache; the two spreads take turns
        // going first, so neither always meets the other's leftovers.
        const bool warm = run >= 3;
        const bool crossFirst = run % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isCross = (turn == 0) == crossFirst;
            if (!(isCross ? measure(cross, crossProperties, QStringLiteral("celticCrossResults"),
                                    warm ? &crossTimes : nullptr)
                          : measure(designed, designedProperties, QStringLiteral("designedSpreadResults"),
                                    warm ? &designedTimes : nullptr)))
                return 1;
        }
    }
    std::printf("platform %s, screen 799 x 652 (a 1000 x 700 window), %d runs of each\n",
                qPrintable(QGuiApplication::platformName()), runs);
    for (const auto &[name, times] : {std::pair<const char *, Times *>{"Celtic Cross (10 cards)", &crossTimes},
                                      {"designed spread (15 cards)", &designedTimes}}) {
        std::printf("%s\n", name);
        std::printf("  shuffle end -> deal + store (one save): median %.2f ms\n", median(times->store));
        std::printf("  shuffle end -> cards on screen built (deal, store, build): median %.2f ms\n",
                    median(times->built));
        std::printf("  shuffle end -> first frame of the results: median %.2f ms, shortest %.2f ms, longest %.2f ms\n",
                    median(times->frame), *std::min_element(times->frame.begin(), times->frame.end()),
                    *std::max_element(times->frame.begin(), times->frame.end()));
        std::printf("  the same in CPU time of the main thread: median %.2f ms\n", median(times->cpu));
        std::printf("  shuffle end -> meaning rows built after that frame: median %.2f ms\n", median(times->complete));
    }
    std::printf("designed / Celtic Cross, first frame: %.2f\n", median(designedTimes.frame) / median(crossTimes.frame));
    return 0;
}
