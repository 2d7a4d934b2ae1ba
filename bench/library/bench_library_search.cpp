// The library's search as the user types: each keystroke of a six-letter search filters the
// 78 cards by name, upright keywords and the 2,000 stored notes, and updates the grid's rows.
// Prints the median, 90th percentile and worst time per keystroke, wall clock and thread CPU,
// for a word no note holds (every note is read to the end) and for one many notes hold.
//
// Usage: bench_library_search [store] [runs]
//   store: a ten-year store to search (copied, never changed; filled first when
//          the file does not exist yet); without one (or ""), such a
//          store is filled first (20,000 readings, 60,000 drawn cards, 3,650 journal entries,
//          2,000 card notes).

#include "CardDataStore.h"
#include "CardLibraryModel.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "LibraryBench.h"
#include "Reading.h"
#include "TenYearStore.h"
#include "UserCardNote.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace LibraryBench;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString given = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 200;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.store"));
    auto context = openWorkingStore(given, path);
    if (!context)
        return 1;
    std::printf("notes: %lld, cards: %lld\n", qlonglong(context->fetch<UserCardNote>().size()),
                qlonglong(CardDataStore::shared().allCards().size()));

    for (const QString word : {QStringLiteral("willow"), QStringLiteral("garden")}) {
        CardLibraryModel model;
        model.setModelContext(context.get());
        QElapsedTimer warm;
        warm.start();
        QCoreApplication::processEvents(); // the notes are folded once the screen is up
        const double warmMs = double(warm.nsecsElapsed()) / 1e6;
        std::vector<double> wall;
        std::vector<double> cpu;
        double firstKeystroke = 0;
        int found = 0;
        QElapsedTimer timer;
        for (int run = 0; run < runs; ++run) {
            for (int length = 1; length <= word.size(); ++length) {
                const double cpuStart = threadCpuMs();
                timer.start();
                model.setSearchText(word.left(length));
                const double ms = double(timer.nsecsElapsed()) / 1e6;
                if (run == 0 && length == 1)
                    firstKeystroke = ms;
                wall.push_back(ms);
                cpu.push_back(threadCpuMs() - cpuStart);
            }
            found = model.count();
            model.setSearchText(QString());
        }
        const Summary w = summarise(wall);
        const Summary c = summarise(cpu);
        std::printf("search \"%s\": %d keystrokes, %d results at the end\n", qPrintable(word), int(wall.size()), found);
        std::printf(
            "  wall ms: median %.3f  p90 %.3f  worst %.3f  (first keystroke %.3f; folding the notes beforehand %.3f)\n",
            w.median, w.p90, w.worst, firstKeystroke, warmMs);
        std::printf("  cpu  ms: median %.3f  p90 %.3f  worst %.3f\n", c.median, c.p90, c.worst);
    }
    return 0;
}
