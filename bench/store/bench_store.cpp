// What the ten-year store costs at start-up: opening it, checking every page, and loading the
// journal (which the daily screen does before its first frame) or the readings; and what a
// snapshot costs, alone and to saves made while it runs; exporting everything, and importing
// that archive into an empty store and again into the full one. Warm file cache.
// Usage: bench_store <path of a store made by make_ten_year_store> [runs]
#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "JournalEntry.h"
#include "Median.h"
#include "ModelContext.h"
#include "Reading.h"
#include "StoreBackups.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

namespace {

// One pragma over a connection of its own, as the application's worker thread does it.
bool runPragma(const QString &path, const QString &pragma)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            ok = query.exec(pragma) && query.next() && query.value(0).toString() == QLatin1String("ok");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_store <store> [runs]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 21;
    QString error;
    if (!ModelContext::open(path, &error)) {
        std::fprintf(stderr, "cannot open %s: %s\n", argv[1], qPrintable(error));
        return 1;
    }

    bool sound = true;
    const double open = medianMicroseconds(runs, [&] { sound &= ModelContext::open(path, nullptr) != nullptr; });
    const double quick =
        medianMicroseconds(runs, [&] { sound &= runPragma(path, QStringLiteral("PRAGMA quick_check")); });
    const double full =
        medianMicroseconds(runs, [&] { sound &= runPragma(path, QStringLiteral("PRAGMA integrity_check")); });
    qsizetype entries = 0, readings = 0;
    const double journal = medianMicroseconds(runs, [&] {
        auto context = ModelContext::open(path, nullptr);
        entries = context->fetch<JournalEntry>().size();
    });
    const double history = medianMicroseconds(runs, [&] {
        auto context = ModelContext::open(path, nullptr);
        readings = context->fetch<Reading>().size();
    });

    // Snapshots are taken of a copy, so the store measured gains no backups folder.
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("default.store"));
    QFile::copy(path, copy);
    const StoreBackups backups(copy);
    int stamp = 0;
    const auto snapshot = [&] {
        QString why;
        sound &= backups.take(StoreBackups::Kind::Regular, QDateTime::currentDateTimeUtc().addSecs(++stamp), 0, &why)
                     .has_value();
    };
    const double snapshotTime = medianMicroseconds(runs, snapshot);
    // Saves while a snapshot runs on another thread, against saves alone: the snapshot reads
    // under its own transaction, so a save should not wait for it.
    auto writer = ModelContext::open(copy, nullptr);
    const auto saveOne = [&] {
        writer->insert(new Reading(QStringLiteral("three_card")));
        sound &= writer->save();
    };
    const double saveAlone = medianMicroseconds(runs, saveOne);
    double saveDuring = 0;
    {
        std::atomic<bool> done = false;
        std::thread background([&] {
            for (int i = 0; i < 3; ++i)
                snapshot();
            done = true;
        });
        QList<double> times;
        while (!done) {
            QElapsedTimer timer;
            timer.start();
            saveOne();
            times.append(timer.nsecsElapsed() / 1000.0);
        }
        background.join();
        std::sort(times.begin(), times.end());
        saveDuring = times.isEmpty() ? 0 : times.last();
        std::printf("saves while 3 snapshots ran: %lld, median %.2f ms, longest %.2f ms\n",
                    static_cast<long long>(times.size()), times.isEmpty() ? 0 : times.at(times.size() / 2) / 1000,
                    saveDuring / 1000);
    }

    qsizetype archiveBytes = 0;
    const double archive = medianMicroseconds(std::min(runs, 5), [&] {
        auto context = ModelContext::open(path, nullptr);
        QString why;
        archiveBytes = ArchiveWriter::document(*context, QDateTime::currentDateTime(), &why).size();
        sound &= archiveBytes > 0;
    });

    // The archive read and checked, then merged into an empty store (every record added) and
    // into the store it came from (every record found already there).
    QString why;
    QByteArray archiveDocument;
    {
        auto context = ModelContext::open(path, nullptr);
        archiveDocument = ArchiveWriter::document(*context, QDateTime::currentDateTime(), &why);
    }
    const double readArchive =
        medianMicroseconds(std::min(runs, 5), [&] { sound &= ArchiveReader::parse(archiveDocument, &why) != nullptr; });
    const double importEmpty = medianMicroseconds(std::min(runs, 3), [&] {
        QTemporaryDir empty;
        auto context = ModelContext::open(empty.filePath(QStringLiteral("default.store")), nullptr);
        auto contents = ArchiveReader::parse(archiveDocument, &why);
        ArchiveImport::Summary summary;
        sound &= contents && ArchiveImport::merge(*context, *contents, &summary, &why) && summary.added > 0;
    });
    const double importAgain = medianMicroseconds(std::min(runs, 3), [&] {
        auto context = ModelContext::open(path, nullptr);
        auto contents = ArchiveReader::parse(archiveDocument, &why);
        ArchiveImport::Summary summary;
        sound &= contents && ArchiveImport::merge(*context, *contents, &summary, &why) && summary.added == 0;
    });

    std::printf("store: %s, %lld bytes\n", argv[1], static_cast<long long>(QFileInfo(path).size()));
    std::printf("open + portable archive of everything: median %.2f ms, %lld bytes\n", archive / 1000,
                static_cast<long long>(archiveBytes));
    std::printf("read and check the archive: median %.2f ms\n", readArchive / 1000);
    std::printf("open + import into an empty store: median %.2f ms\n", importEmpty / 1000);
    std::printf("open + import into the store it came from (nothing new): median %.2f ms\n", importAgain / 1000);
    std::printf("snapshot (online backup, quick_check, rename): median %.2f ms\n", snapshotTime / 1000);
    std::printf("save of one reading alone: median %.2f ms\n", saveAlone / 1000);
    std::printf("open (schema check, write probe): median %.2f ms\n", open / 1000);
    std::printf("PRAGMA quick_check: median %.2f ms\n", quick / 1000);
    std::printf("PRAGMA integrity_check: median %.2f ms\n", full / 1000);
    std::printf("open + fetch JournalEntry (%lld rows): median %.2f ms\n", static_cast<long long>(entries),
                journal / 1000);
    std::printf("open + fetch Reading with drawn cards (%lld readings): median %.2f ms\n",
                static_cast<long long>(readings), history / 1000);
    return sound ? 0 : 1;
}
