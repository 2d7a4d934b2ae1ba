#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

// Runs `work` `runs` times after a few warm-up runs and returns the median time of one run in
// microseconds. The median keeps a stray slow run (a page fault, a context switch) from
// skewing the figure.
template <typename Work> double medianMicroseconds(int runs, Work work)
{
    for (int i = 0; i < std::max(3, runs / 20); ++i)
        work();
    std::vector<qint64> nanoseconds;
    nanoseconds.reserve(size_t(runs));
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        work();
        nanoseconds.push_back(timer.nsecsElapsed());
    }
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const size_t middle = nanoseconds.size() / 2;
    const double median =
        nanoseconds.size() % 2 ? double(nanoseconds[middle]) : (nanoseconds[middle - 1] + nanoseconds[middle]) / 2.0;
    return median / 1000.0;
}
