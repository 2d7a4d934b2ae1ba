#pragma once

#include "BenchSupport.h"
#include "ModelContext.h"
#include "TenYearStore.h"

#include <QFile>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

// Timing helpers the library benchmarks share.
namespace LibraryBench {

// A context on a working copy at `path` of the ten-year store `given` (written there first when
// it does not exist), or on a freshly written one when `given` is empty; the benchmarks write
// to the copy, so the given store stays as it was. Null, with the reason printed, on failure.
inline std::unique_ptr<ModelContext> openWorkingStore(const QString &given, const QString &path)
{
    if (given.isEmpty()) {
        std::printf("filling a ten-year store...\n");
        if (!writeTenYearStore(path, nullptr))
            return nullptr;
    } else if (!QFile::exists(given) && !writeTenYearStore(given, nullptr)) {
        return nullptr;
    } else if (!QFile::copy(given, path)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(given));
        return nullptr;
    }
    QString error;
    auto context = ModelContext::open(path, &error);
    if (!context)
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return context;
}

struct Summary
{
    double median = 0;
    double p90 = 0;
    double worst = 0;
};

inline Summary summarise(std::vector<double> values)
{
    Summary s;
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.p90 = values[std::min(n - 1, size_t(double(n) * 0.9))];
    s.worst = values.back();
    return s;
}

} // namespace LibraryBench
