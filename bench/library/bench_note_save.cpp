// One keystroke in a card's note on a store of ten years: the note record takes the text, the
// library beneath (with a search under way) filters again, and the context is saved to disk.
// Prints median, 90th percentile and worst times of each part and of the whole keystroke, for
// a short note and for a note near the 50,000-character limit (one with emoji, so that the
// limit is counted character by character).
//
// Usage: bench_note_save [store] [keystrokes]
//   store: a ten-year store (copied, never changed; filled first when
//          the file does not exist yet); without one (or ""), such a store is
//          filled first (20,000 readings, 60,000 drawn cards, 3,650 journal entries, 2,000 notes).

#include "CardDataStore.h"
#include "CardDetailModel.h"
#include "CardLibraryModel.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "LibraryBench.h"
#include "Reading.h"
#include "Scheduler.h"
#include "StoreLog.h"
#include "TenYearStore.h"
#include "UserCardNote.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

using namespace LibraryBench;

namespace {

void report(const char *what, const std::vector<double> &values)
{
    const Summary s = summarise(values);
    std::printf("  %-32s median %7.3f  p90 %7.3f  worst %7.3f ms\n", what, s.median, s.p90, s.worst);
}

void typeInto(ModelContext &context, const QString &cardId, const QString &start, int keystrokes)
{
    CardLibraryModel library;
    library.setModelContext(&context);
    library.setSearchText(QStringLiteral("garden"));

    // The save is made by hand below, so that it is timed on its own.
    ManualScheduler scheduler;
    CardDetailModel detail;
    detail.setScheduler(scheduler);
    detail.setModelContext(&context);
    detail.setCard(*CardDataStore::shared().cardByID(cardId));
    detail.appear();
    detail.editNote(start);
    detail.flush();
    QCoreApplication::processEvents();

    std::vector<double> edit, refresh, save, whole, saveCpu, refreshCpu;
    QElapsedTimer timer;
    QString text = detail.noteText();
    for (int i = 0; i < keystrokes; ++i) {
        text += QChar(u'a' + i % 26);
        const double cpuBefore = threadCpuMs();
        timer.start();
        detail.editNote(text);
        const qint64 afterEdit = timer.nsecsElapsed();
        // The context reports the change in the next turn; the library filters then.
        QCoreApplication::processEvents();
        const qint64 afterRefresh = timer.nsecsElapsed();
        const double cpuStart = threadCpuMs();
        detail.flush();
        saveCpu.push_back(threadCpuMs() - cpuStart);
        refreshCpu.push_back(cpuStart - cpuBefore);
        const qint64 afterSave = timer.nsecsElapsed();
        edit.push_back(double(afterEdit) / 1e6);
        refresh.push_back(double(afterRefresh - afterEdit) / 1e6);
        save.push_back(double(afterSave - afterRefresh) / 1e6);
        whole.push_back(double(afterSave) / 1e6);
    }
    report("note record (edit)", edit);
    report("library search again", refresh);
    report("edit and search, thread cpu", refreshCpu);
    report("durable save", save);
    report("durable save, thread cpu", saveCpu);
    report("all of it, one save a keystroke", whole);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString given = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int keystrokes = argc > 2 ? std::max(1, atoi(argv[2])) : 300;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("default.store"));
    auto context = openWorkingStore(given, path);
    if (!context)
        return 1;
    // A session that has been everywhere: every record is in memory.
    std::printf("readings %lld, drawn cards %lld, journal entries %lld, notes %lld\n",
                qlonglong(context->fetch<Reading>().size()), qlonglong(context->fetch<DrawnCard>().size()),
                qlonglong(context->fetch<JournalEntry>().size()), qlonglong(context->fetch<UserCardNote>().size()));

    std::printf("short note, %d keystrokes:\n", keystrokes);
    typeInto(*context, QStringLiteral("major_17"), QStringLiteral("Hope after the storm"), keystrokes);

    // 25,000 two-unit emoji and a few letters: under 50,000 characters, over 50,000 units.
    QString longNote;
    for (int i = 0; i < 25000; ++i)
        longNote += QStringLiteral("\U0001F319");
    longNote += QStringLiteral("long note ");
    std::printf("note of %lld characters (%lld UTF-16 units), %d keystrokes:\n", qlonglong(25010),
                qlonglong(longNote.size()), keystrokes);
    typeInto(*context, QStringLiteral("major_18"), longNote, keystrokes);
    return 0;
}
