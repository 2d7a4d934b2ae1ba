// The journal on ten years of daily use: building each export document of 3,650 entries, and
// opening the calendar on such a store until its first frame, with the pieces underneath
// (loading the entries, one month's lookup, one keystroke of a reflection with its save).
// Usage: bench_journal <store path> [runs] [--after-daily]. A missing store is filled first.
// With --after-daily the Daily Card screen is shown before the first calendar window, as the
// app does at start-up, so the first window finds the shared types already loaded.
#include "../engine/Median.h"
#include "CardDataStore.h"
#include "JournalCalendarModel.h"
#include "JournalEntry.h"
#include "JournalExporter.h"
#include "ModelContext.h"
#include "QmlModules.h"
#include "TenYearStore.h"
#include "Theme.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QQuickView>
#include <QTimer>

#include <cstdio>

namespace {

std::unique_ptr<ModelContext> openStore(const QString &path)
{
    QString error;
    auto context = ModelContext::open(path, &error);
    if (!context)
        std::fprintf(stderr, "The store did not open: %s\n", qPrintable(error));
    return context;
}

// Milliseconds from loading `url` into a new window until the window's first frame.
double timeToFirstFrame(const QUrl &url, const QVariantMap &properties)
{
    QElapsedTimer timer;
    timer.start();
    QQuickView view;
    view.engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.resize(1200, 800);
    view.setInitialProperties(properties);
    view.setSource(url);
    if (view.status() != QQuickView::Ready) {
        std::fprintf(stderr, "%s\n", qPrintable(view.errors().value(0).toString()));
        return -1;
    }
    QEventLoop loop;
    bool swapped = false;
    QObject::connect(&view, &QQuickWindow::frameSwapped, &loop, [&] {
        swapped = true;
        loop.quit();
    });
    QTimer::singleShot(10'000, &loop, &QEventLoop::quit);
    view.show();
    loop.exec();
    const double elapsed = double(timer.nsecsElapsed()) / 1e6;
    return swapped ? elapsed : -1;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const auto n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_journal <store path> [runs]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(3, std::atoi(argv[2])) : 15;
    const bool afterDaily = app.arguments().contains(QStringLiteral("--after-daily"));
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    Theme::registerFonts();
    CardDataStore::shared();

    if (!QFileInfo::exists(path)) {
        QElapsedTimer fill;
        fill.start();
        QString error;
        if (!writeTenYearStore(path, &error)) {
            std::fprintf(stderr, "The store could not be filled: %s\n", qPrintable(error));
            return 1;
        }
        std::printf("filled %s in %.1f s\n", qPrintable(path), double(fill.elapsed()) / 1000);
    }

    // Loading every entry into a fresh context, as the first fetch of a window does.
    QList<double> loads;
    for (int i = 0; i < runs; ++i) {
        auto context = openStore(path);
        if (!context)
            return 1;
        QElapsedTimer timer;
        timer.start();
        const qsizetype count = context->fetch<JournalEntry>().size();
        loads.append(double(timer.nsecsElapsed()) / 1e6);
        if (count != 3650)
            std::printf("note: the store holds %lld journal entries\n", qlonglong(count));
    }
    std::printf("load all journal entries into a fresh context: median %.2f ms\n", median(loads));

    auto context = openStore(path);
    if (!context)
        return 1;
    const QList<JournalEntry *> entries = JournalExporter::entriesOldestFirst(*context);
    std::printf("entries: %lld\n", qlonglong(entries.size()));
    const std::pair<JournalExporter::Format, const char *> formats[] = {
        {JournalExporter::Text, "text"}, {JournalExporter::Markdown, "Markdown"}, {JournalExporter::Csv, "CSV"}};
    for (const auto &[format, name] : formats) {
        qsizetype size = 0;
        const double us = medianMicroseconds(
            runs * 4, [&] { size = JournalExporter::document(format, entries, CardDataStore::shared()).size(); });
        std::printf("export document, %s (%lld characters): median %.2f ms\n", name, qlonglong(size), us / 1000);
    }
    const double sorting = medianMicroseconds(runs * 4, [&] { JournalExporter::entriesOldestFirst(*context); });
    std::printf("fetch and sort the entries oldest first: median %.2f ms\n", sorting / 1000);

    {
        JournalCalendarModel model(context.get());
        const double month = medianMicroseconds(runs * 20, [&] {
            model.showNextMonth();
            model.showPreviousMonth();
        });
        std::printf("calendar: next and previous month (two month lookups): median %.3f ms\n", month / 1000);

        model.selectDate(model.selectedDate().addDays(-1));
        if (model.selectedEntry()) {
            QString text = model.selectedEntry()->reflectionText();
            const double keystroke = medianMicroseconds(runs * 10, [&] {
                text += QLatin1Char('x');
                model.setReflection(text);
            });
            std::printf("reflection: one keystroke, stored and saved: median %.2f ms\n", keystroke / 1000);
            const QString longText(60'000, QLatin1Char('a'));
            const double limit =
                medianMicroseconds(runs * 4, [&] { JournalCalendarModel::reflectionLength(longText); });
            std::printf("reflection: length limit of a 60,000-character paste: median %.2f ms\n", limit / 1000);
        }
    }

    const QUrl calendarUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Journal/JournalCalendarView.qml"));
    const QUrl emptyUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Ui/NavigationPage.qml"));
    // The first window of the process loads the screen's types; it is reported on its own.
    {
        auto fresh = openStore(path);
        const QVariantMap properties{{QStringLiteral("modelContext"), QVariant::fromValue(fresh.get())}};
        if (afterDaily) {
            const QUrl dailyUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Daily/DailyCardView.qml"));
            std::printf("daily card first frame, first window of the process: %.1f ms\n",
                        timeToFirstFrame(dailyUrl, properties));
        }
        std::printf("calendar first frame, first calendar window of the process%s: %.1f ms\n",
                    afterDaily ? ", after the daily card" : ", entries not yet loaded",
                    timeToFirstFrame(calendarUrl, properties));
    }
    QList<double> cold, warm, empty;
    for (int i = 0; i < runs; ++i) {
        auto fresh = openStore(path);
        cold.append(
            timeToFirstFrame(calendarUrl, {{QStringLiteral("modelContext"), QVariant::fromValue(fresh.get())}}));
        warm.append(
            timeToFirstFrame(calendarUrl, {{QStringLiteral("modelContext"), QVariant::fromValue(context.get())}}));
        empty.append(timeToFirstFrame(emptyUrl, {}));
    }
    if (cold.contains(-1) || warm.contains(-1) || empty.contains(-1)) {
        std::fprintf(stderr, "a window did not reach its first frame\n");
        return 1;
    }
    std::printf("calendar first frame, entries not yet loaded: median %.1f ms\n", median(cold));
    std::printf("calendar first frame, entries already loaded (as after the Daily Card): median %.1f ms\n",
                median(warm));
    std::printf("empty page first frame, for comparison: median %.1f ms\n", median(empty));
    std::printf("runs: %d, platform: %s\n", runs, qPrintable(QGuiApplication::platformName()));
    return 0;
}
