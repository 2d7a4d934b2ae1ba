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

// A context on a working copy at `path` of the ten-year store `given` (see
// prepareWorkingStore). Null, with the reason printed, on failure.
inline std::unique_ptr<ModelContext> openWorkingStore(const QString &given, const QString &path)
{
    if (!prepareWorkingStore(given, path))
        return nullptr;
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
