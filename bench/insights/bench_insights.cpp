// The insights on a ten-year store: every figure of a span (the store's sums, then the tests
// and the sentences), and a change of span in the Insights screen to its first frame.
// Usage: bench_insights STORE [runs, 21]; for frames on a display: `xvfb-run -a ./bench_insights STORE`.
#include "AppSettings.h"
#include "CardDataStore.h"
#include "InsightsModel.h"
#include "InsightsReport.h"
#include "Median.h"
#include "ModelContext.h"
#include "Settings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>

#include <algorithm>
#include <cstdio>
#include <vector>

Q_IMPORT_QML_PLUGIN(Quillmoor_StorePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_UiPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_CataloguePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_InsightsPlugin)

namespace {

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: bench_insights STORE [runs]\n");
        return 2;
    }
    const int runs = arguments.size() > 2 ? arguments.at(2).toInt() : 21;
    // A copy, so that the store given is never changed.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.store"));
    if (!QFile::copy(arguments.at(1), path)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    QString error;
    auto context = ModelContext::open(path, &error);
    if (!context) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    CardDataStore::shared();
    const QDate today = QDate::currentDate();
    const struct
    {
        const char *name;
        InsightsReport::Span span;
    } spans[] = {{"all time", {}},
                 {"12 months", InsightsModel::spanOf(InsightsModel::LastYear, today)},
                 {"30 days", InsightsModel::spanOf(InsightsModel::LastMonth, today)}};
    for (const auto &[name, span] : spans) {
        DrawTallies::Tally tally;
        const double sums = medianMicroseconds(
            runs, [&] { DrawTallies(context.get()).count(InsightsReport::rangeOf(span), {}, &tally); });
        InsightsReport::Report report;
        const double tests = medianMicroseconds(
            runs, [&] { report = InsightsReport::analyse(tally, span, {}, CardDataStore::shared(), true); });
        const double whole =
            medianMicroseconds(runs, [&] { InsightsReport::build(context.get(), span, {}, true, &report, &error); });
        std::printf("%-10s %6lld cards: store sums %6.2f ms, tests and texts %6.2f ms, every figure %6.2f ms"
                    "   (budget 50)\n",
                    name, report.cardsDrawn, sums / 1000, tests / 1000, whole / 1000);
    }

    // A change of span to the first frame that shows it, in a window of the app's size.
    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQuickWindow window;
    window.resize(1200, 800);
    QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Insights/InsightsView.qml")));
    std::unique_ptr<QObject> root(component.createWithInitialProperties(
        {{QStringLiteral("modelContext"), QVariant::fromValue<QObject *>(context.get())}}));
    auto *item = qobject_cast<QQuickItem *>(root.get());
    if (!item) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    item->setParentItem(window.contentItem());
    item->setSize(window.size());
    window.show();
    auto *model = item->property("model").value<InsightsModel *>();
    QElapsedTimer timer;
    bool waiting = false;
    std::vector<double> frames;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&] {
        if (waiting) {
            frames.push_back(double(timer.nsecsElapsed()) / 1e6);
            waiting = false;
        }
    });
    for (int i = 0; i < 50; ++i)
        app.processEvents();
    const int order[] = {InsightsModel::AllTime, InsightsModel::LastYear, InsightsModel::LastMonth,
                         InsightsModel::LastQuarter};
    for (int run = 0; run < runs * 4; ++run) {
        timer.start();
        waiting = true;
        model->setSpan(order[run % 4]);
        QElapsedTimer limit;
        limit.start();
        while (waiting && limit.elapsed() < 2000)
            app.processEvents(QEventLoop::AllEvents, 5);
    }
    std::printf("change of span to its first frame median %.1f ms, worst %.1f ms over %zu changes (%s)   "
                "(budget 100)\n",
                median(frames), frames.empty() ? 0.0 : *std::max_element(frames.begin(), frames.end()), frames.size(),
                qPrintable(QGuiApplication::platformName()));
    return 0;
}
