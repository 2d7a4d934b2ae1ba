#include "RandomSource.h"

#include <QRandomGenerator>

#include <cmath>
#include <limits>

RandomSource &RandomSource::system()
{
    static SystemRandomSource source;
    return source;
}

quint64 RandomSource::uniformIndex(quint64 count)
{
    Q_ASSERT(count >= 1);
    // 2^64 mod count, computed without 2^64: the accepted values 0 ... max − rest form a whole
    // number of blocks of `count`.
    const quint64 rest = (0 - count) % count;
    const quint64 largestAccepted = std::numeric_limits<quint64>::max() - rest;
    quint64 value = next();
    while (value > largestAccepted)
        value = next();
    return value % count;
}

bool RandomSource::coin()
{
    return (next() & 1) != 0;
}

double RandomSource::uniformDouble(double lower, double upper)
{
    constexpr quint64 steps = quint64(1) << 53;
    const double fraction = double(uniformIndex(steps + 1)) / double(steps);
    // lerp gives exactly `lower` at 0 and exactly `upper` at 1.
    return std::lerp(lower, upper, fraction);
}

quint64 SystemRandomSource::next()
{
    return QRandomGenerator::system()->generate64();
}
