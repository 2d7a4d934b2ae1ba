// What the ten-year store costs at start-up: opening it, checking every page, and loading the
// journal (which the daily screen does before its first frame) or the readings. Warm file cache.
// Usage: bench_store <path of a store made by make_ten_year_store> [runs]
#include "JournalEntry.h"
#include "Median.h"
#include "ModelContext.h"
#include "Reading.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>

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

    std::printf("store: %s, %lld bytes\n", argv[1], static_cast<long long>(QFileInfo(path).size()));
    std::printf("open (schema check, write probe): median %.2f ms\n", open / 1000);
    std::printf("PRAGMA quick_check: median %.2f ms\n", quick / 1000);
    std::printf("PRAGMA integrity_check: median %.2f ms\n", full / 1000);
    std::printf("open + fetch JournalEntry (%lld rows): median %.2f ms\n", static_cast<long long>(entries),
                journal / 1000);
    std::printf("open + fetch Reading with drawn cards (%lld readings): median %.2f ms\n",
                static_cast<long long>(readings), history / 1000);
    return sound ? 0 : 1;
}
