#pragma once

#include "BenchSupport.h"

#include <algorithm>
#include <ctime>
#include <vector>

// Timing helpers the library benchmarks share.
namespace LibraryBench {

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
