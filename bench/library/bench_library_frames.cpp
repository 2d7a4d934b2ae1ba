// The library screen on the ten-year store, in a 1200 x 800 window: the time between presented
// frames while the grid scrolls from top to bottom and back at each of the three card sizes;
// the time from a change of filter chip or of the search text to the next presented frame; and
// the time from a key press in the note editor to the next frame, for a short note and for one
// near the limit. Prints median, 90th percentile and worst, and how many frames took longer
// than two display refreshes at 60 Hz (33 ms).
//
// Usage: bench_library_frames [store] [grid|notes]
//   store: a ten-year store (copied, never changed; filled first when the file does not exist
//          yet); without one (or ""), such a store is filled first.
//   grid or notes: only the grid's figures, or only the note editor's; both without.
// Run with a display, e.g. `xvfb-run -a build-release/bench/library/bench_library_frames`.

#include "BenchSupport.h"
#include "CardDataStore.h"
#include "CardLibraryModel.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "LibraryBench.h"
#include "Reading.h"
#include "TenYearStore.h"
#include "Theme.h"
#include "UserCardNote.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Quillmoor_CataloguePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_UiPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_CardsPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_StorePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_StudyPlugin)

using namespace LibraryBench;

namespace {

// Runs the event loop until the window has presented `frames` more frames.
void waitFrames(QQuickWindow &window, int frames = 1)
{
    QEventLoop loop;
    int seen = 0;
    auto connection = QObject::connect(&window, &QQuickWindow::frameSwapped, &loop, [&] {
        if (++seen >= frames)
            loop.quit();
    });
    window.update();
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
}

// Milliseconds from `change` to the next presented frame; `guiCpu` receives the GUI thread's
// processor time in between.
template <typename Change>
double toNextFrame(QQuickWindow &window, Change change, std::vector<double> *guiCpu = nullptr)
{
    const double cpuStart = threadCpuMs();
    QElapsedTimer timer;
    QEventLoop loop;
    auto connection = QObject::connect(&window, &QQuickWindow::frameSwapped, &loop, &QEventLoop::quit);
    timer.start();
    change();
    window.update();
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(connection);
    if (guiCpu)
        guiCpu->push_back(threadCpuMs() - cpuStart);
    return double(timer.nsecsElapsed()) / 1e6;
}

void report(const char *what, const std::vector<double> &values)
{
    const Summary s = summarise(values);
    const auto slow = std::count_if(values.begin(), values.end(), [](double v) { return v > 33.4; });
    std::printf("  %-34s n %4d  median %6.2f  p90 %6.2f  worst %6.2f ms  over 33 ms: %d\n", what, int(values.size()),
                s.median, s.p90, s.worst, int(slow));
}

// Scrolls `grid` from top to bottom and back, `step` pixels a frame, and returns the times
// between presented frames; `guiCpu` receives the GUI thread's processor time of each frame.
std::vector<double> scrollThrough(QQuickWindow &window, QQuickItem *grid, double step,
                                  std::vector<double> *guiCpu = nullptr)
{
    std::vector<double> intervals;
    double lastCpu = threadCpuMs();
    const double bottom =
        grid->property("contentHeight").toDouble() - grid->height() + grid->property("originY").toDouble();
    const double top = grid->property("originY").toDouble();
    double y = top;
    double direction = 1;
    QElapsedTimer clock;
    qint64 last = -1;
    QEventLoop loop;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &loop, [&] {
        const qint64 now = clock.nsecsElapsed();
        const double cpu = threadCpuMs();
        if (last >= 0) {
            intervals.push_back(double(now - last) / 1e6);
            if (guiCpu)
                guiCpu->push_back(cpu - lastCpu);
        }
        last = now;
        lastCpu = cpu;
        y += direction * step;
        if (y >= bottom) {
            y = bottom;
            direction = -1;
        } else if (y <= top && direction < 0) {
            loop.quit();
            return;
        }
        grid->setProperty("contentY", y);
    });
    clock.start();
    grid->setProperty("contentY", y);
    window.update();
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    return intervals;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    Theme::registerFonts();
    const QString given = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const QString part = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.store"));
    auto context = openWorkingStore(given, path);
    if (!context)
        return 1;

    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQuickWindow window;
    window.resize(1200, 800);
    window.setColor(Theme::background());
    QQmlComponent library(&engine, QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Study/CardLibraryView.qml")));
    std::unique_ptr<QQuickItem> view(qobject_cast<QQuickItem *>(
        library.createWithInitialProperties({{QStringLiteral("modelContext"), QVariant::fromValue(context.get())}})));
    if (!view) {
        std::fprintf(stderr, "%s\n", qPrintable(library.errorString()));
        return 1;
    }
    view->setParentItem(window.contentItem());
    view->setSize(window.size());
    window.show();
    waitFrames(window, 10);
    std::printf("render loop frames under %s, %s\n", qPrintable(QGuiApplication::platformName()),
                window.rendererInterface()->graphicsApi() == QSGRendererInterface::Software ? "software"
                                                                                            : "hardware api");

    auto *model = view->property("library").value<CardLibraryModel *>();
    QQuickItem *grid = findItem(view.get(), QStringLiteral("libraryGrid"));

    if (part != QLatin1String("notes")) {
        // What a frame of this screen costs when nothing changes: the floor under every figure below.
        std::vector<double> idle;
        for (int i = 0; i < 60; ++i)
            idle.push_back(toNextFrame(window, [] {}));
        std::printf("a frame with nothing changed:\n");
        report("medium cards, at rest", idle);

        std::printf("scrolling the whole grid down and up, 24 px a frame:\n");
        const char *names[] = {"small cards", "medium cards", "large cards"};
        for (int scale = 0; scale <= 2; ++scale) {
            model->setCardScale(scale);
            waitFrames(window, 5);
            scrollThrough(window, grid, 24); // the first pass builds the cells
            std::vector<double> guiCpu;
            report(names[scale], scrollThrough(window, grid, 24, &guiCpu));
            report("  of which the GUI thread's cpu", guiCpu);
        }

        std::printf("from a change to the next frame (medium cards, at the top):\n");
        model->setCardScale(1);
        grid->setProperty("contentY", grid->property("originY"));
        waitFrames(window, 5);
        std::vector<double> chips;
        std::vector<double> chipsCpu;
        for (int round = 0; round < 10; ++round)
            for (int filter : {1, 2, 3, 4, 5, 0})
                chips.push_back(toNextFrame(
                    window, [&] { model->setSelectedFilter(DeckFilter::Group(filter)); }, &chipsCpu));
        report("filter chip", chips);
        report("  of which the GUI thread's cpu", chipsCpu);
        std::vector<double> typing;
        std::vector<double> typingCpu;
        for (int round = 0; round < 10; ++round) {
            for (const QString word : {QStringLiteral("willow"), QStringLiteral("garden"), QStringLiteral("the")}) {
                for (int length = 1; length <= word.size(); ++length)
                    typing.push_back(toNextFrame(
                        window, [&] { model->setSearchText(word.left(length)); }, &typingCpu));
                for (int length = int(word.size()) - 1; length >= 0; --length)
                    typing.push_back(toNextFrame(
                        window, [&] { model->setSearchText(word.left(length)); }, &typingCpu));
            }
        }
        report("search letter typed or deleted", typing);
        report("  of which the GUI thread's cpu", typingCpu);
    }
    view.reset();
    if (part == QLatin1String("grid"))
        return 0;

    std::printf("from a key press in the note editor to the next frame:\n");
    QQmlComponent detailComponent(&engine, QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/Study/CardDetailView.qml")));
    // Long notes: prose in paragraphs, the same prose as one paragraph, and emoji only.
    QString paragraphs;
    QString oneParagraph;
    static const QStringList sentences{
        QStringLiteral("The river was quiet this morning and the garden smelled of rain."),
        QStringLiteral("I wrote a letter I may never send, and that was enough."),
        QStringLiteral("Patience again: the harvest comes when it comes."),
        QStringLiteral("A friend called at the right moment, as friends do.")};
    for (int i = 0; paragraphs.size() < 49000; ++i) {
        const QString &piece = sentences.at(i % sentences.size());
        paragraphs += piece + (i % 4 == 3 ? QStringLiteral("\n\n") : QStringLiteral(" "));
        oneParagraph += piece + QLatin1Char(' ');
    }
    paragraphs.truncate(49000);
    oneParagraph.truncate(49000);
    QString emoji;
    for (int i = 0; i < 24000; ++i)
        emoji += QStringLiteral("\U0001F319");
    for (const auto &[cardId, start, label] :
         {std::tuple{QStringLiteral("major_17"), QStringLiteral("Hope after the storm. "), "short note"},
          std::tuple{QStringLiteral("major_18"), paragraphs, "49,000 characters in paragraphs"},
          std::tuple{QStringLiteral("major_19"), oneParagraph, "49,000 characters, one paragraph"},
          std::tuple{QStringLiteral("major_20"), emoji, "24,000 emoji"}}) {
        // The note exists before the screen opens, as a user's long note would.
        {
            QList<UserCardNote *> notes =
                context->fetch<UserCardNote>([&](const UserCardNote *note) { return note->cardId() == cardId; });
            if (notes.isEmpty()) {
                context->insert(new UserCardNote(cardId, start));
            } else {
                notes.first()->setNoteText(start);
            }
            context->save();
        }
        std::unique_ptr<QQuickItem> detail(qobject_cast<QQuickItem *>(detailComponent.createWithInitialProperties(
            {{QStringLiteral("card"), QVariant::fromValue(*CardDataStore::shared().cardByID(cardId))},
             {QStringLiteral("modelContext"), QVariant::fromValue(context.get())}})));
        if (!detail) {
            std::fprintf(stderr, "%s\n", qPrintable(detailComponent.errorString()));
            return 1;
        }
        detail->setParentItem(window.contentItem());
        detail->setSize(window.size());
        QQuickItem *area = findItem(detail.get(), QStringLiteral("noteEditorArea"));
        area->forceActiveFocus();
        QMetaObject::invokeMethod(area, "moveCursorSelection", Q_ARG(int, int(start.size())));
        area->setProperty("cursorPosition", int(start.size()));
        waitFrames(window, 5);
        std::vector<double> keys;
        std::vector<double> guiCpu;
        for (int i = 0; i < 60; ++i) {
            const QChar letter(u'a' + i % 26);
            keys.push_back(toNextFrame(
                window,
                [&] {
                    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + i % 26, Qt::NoModifier, QString(letter));
                    QGuiApplication::sendEvent(&window, &press);
                    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + i % 26, Qt::NoModifier, QString(letter));
                    QGuiApplication::sendEvent(&window, &release);
                },
                &guiCpu));
        }
        report(label, keys);
        report("  of which the GUI thread's cpu", guiCpu);
    }
    return 0;
}
