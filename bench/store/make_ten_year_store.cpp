// Writes the ten-year store of the benchmarks (see TenYearStore.h).
// Usage: make_ten_year_store <path>   (the file must not exist yet)
#include "TenYearStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_ten_year_store <path of the new store>\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s exists already; it is not overwritten\n", argv[1]);
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!writeTenYearStore(path, &error)) {
        std::fprintf(stderr, "cannot write the store: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("wrote %s: %lld bytes in %lld ms\n", argv[1], static_cast<long long>(QFileInfo(path).size()),
                static_cast<long long>(timer.elapsed()));
    return 0;
}
