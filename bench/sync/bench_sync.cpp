// Sync on the ten-year store, between two computers sharing one folder on this disk:
//   - the first sync: the store's computer writes everything, then an empty computer takes it in;
//   - a pass that takes in 1,000 changed readings (median of the runs);
//   - the bytes of the shared folder once it is compacted, beside the store's.
// Usage: bench_sync [STORE] [runs, 11]
#include "ModelContext.h"
#include "SyncEngine.h"
#include "TenYearStore.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

qint64 bytesUnder(const QString &folder)
{
    qint64 total = 0;
    QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext())
        total += QFileInfo(files.next()).size();
    return total;
}

qint64 storeBytes(const QString &path)
{
    return QFileInfo(path).size() + QFileInfo(path + QStringLiteral("-wal")).size();
}

// Changes the notes of `count` readings as a user would, through the store's own connection.
bool changeReadings(const QString &path, int count, int round)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("edits"));
    db.setDatabaseName(path);
    bool done = db.open();
    {
        QSqlQuery query(db);
        done = done && query.exec(QStringLiteral("UPDATE Reading SET notes = 'Looked at again, round %1.' "
                                                 "WHERE pk IN (SELECT pk FROM Reading ORDER BY pk LIMIT %2 OFFSET %3)")
                                      .arg(round)
                                      .arg(count)
                                      .arg(round * count % 19000));
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("edits"));
    return done;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const int runs = arguments.size() > 2 ? arguments.at(2).toInt() : 11;
    QTemporaryDir dir;
    dir.setAutoRemove(!qEnvironmentVariableIsSet("BENCH_KEEP"));
    const QString deskStore = dir.filePath(QStringLiteral("desk.store"));
    const QString laptopStore = dir.filePath(QStringLiteral("laptop.store"));
    const QString folder = dir.filePath(QStringLiteral("shared"));
    QDir().mkpath(folder);
    if (!prepareWorkingStore(arguments.value(1), deskStore))
        return 1;
    QString error;
    {
        // Both stores opened as the app opens them: upgraded and checked.
        auto desk = ModelContext::open(deskStore, &error);
        auto laptop = ModelContext::open(laptopStore, &error);
        if (!desk || !laptop) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    const qint64 storeBefore = storeBytes(deskStore);

    SyncEngine desk(deskStore);
    SyncEngine laptop(laptopStore);
    if (!desk.setFolder(folder, &error) || !laptop.setFolder(folder, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    const SyncEngine::Pass written = desk.runPass();
    const double writeMs = timer.nsecsElapsed() / 1e6;
    timer.start();
    const SyncEngine::Pass taken = laptop.runPass();
    const double takeMs = timer.nsecsElapsed() / 1e6;
    if (!written.error.isEmpty() || !taken.error.isEmpty() || !written.problems.isEmpty()) {
        std::fprintf(stderr, "%s%s%s\n", qPrintable(written.error), qPrintable(taken.error),
                     qPrintable(written.problems.join(u' ')));
        return 1;
    }
    std::printf("first sync: the store's computer writes %d records' changes in %.0f ms (%.1f MB); "
                "the empty computer takes in %d in %.0f ms; together %.2f s\n",
                written.outgoing, writeMs, bytesUnder(folder) / 1e6, taken.incoming, takeMs, (writeMs + takeMs) / 1000);

    std::vector<double> passes;
    std::vector<double> exports;
    std::vector<double> edits;
    for (int round = 0; round < runs; ++round) {
        desk.runPass(); // reads the laptop's device file
        timer.start();
        if (!changeReadings(deskStore, 1000, round + 1))
            return 1;
        edits.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        const SyncEngine::Pass sent = desk.runPass();
        exports.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        const SyncEngine::Pass received = laptop.runPass();
        passes.push_back(timer.nsecsElapsed() / 1e6);
        if (sent.outgoing != 1000 || received.incoming != 1000) {
            std::fprintf(stderr, "round %d sent %d and took in %d\n", round, sent.outgoing, received.incoming);
            return 1;
        }
    }
    std::printf("a pass taking in 1,000 changes: median %.1f ms (worst %.1f) over %d runs; sending them: %.1f ms; "
                "making the same 1,000 edits in one statement here: %.1f ms\n",
                median(passes), *std::max_element(passes.begin(), passes.end()), runs, median(exports), median(edits));

    // Both computers read each other's device files, then the one that wrote compacts.
    for (int i = 0; i < 3; ++i) {
        laptop.runPass();
        desk.runPass();
    }
    const qint64 folderBytes = bytesUnder(folder);
    std::printf("store file %.1f MB, its write-ahead log %.1f MB\n", QFileInfo(deskStore).size() / 1e6,
                QFileInfo(deskStore + QStringLiteral("-wal")).size() / 1e6);
    std::printf("after compaction: the folder holds %.1f MB; the store was %.1f MB before sync (%.2fx) and is "
                "%.1f MB with its sync state (%.2fx)\n",
                folderBytes / 1e6, storeBefore / 1e6, double(folderBytes) / storeBefore, storeBytes(deskStore) / 1e6,
                double(folderBytes) / storeBytes(deskStore));
    return 0;
}
