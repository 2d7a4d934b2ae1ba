#include "ChanceTests.h"

#include <QMap>

#include <functional>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace ChanceTests {

namespace {

constexpr double negativeInfinity = -std::numeric_limits<double>::infinity();
// Terms smaller than this share of the sum so far no longer change a double.
constexpr double negligible = 1e-17;
// A probability distribution is kept down to this far below its largest value (natural log):
// what lies beyond cannot change any tail that a double can hold.
constexpr double keptRange = 690;
// Tails at least this large are read from the untilted distribution; smaller ones are worked
// out again around the count itself.
constexpr double smallestDirectTail = 1e-250;

double logBinomialTerm(qint64 n, double p, qint64 j)
{
    return std::lgamma(double(n) + 1) - std::lgamma(double(j) + 1) - std::lgamma(double(n - j) + 1) +
           double(j) * std::log(p) + double(n - j) * std::log1p(-p);
}

// A distribution over 0..n, kept from `offset` on.
struct Distribution
{
    qint64 offset = 0;
    QList<double> values;
};

Distribution binomialDistribution(qint64 n, double p)
{
    Distribution result;
    const qint64 mode = std::clamp<qint64>(qint64(std::floor(double(n + 1) * p)), 0, n);
    const double top = logBinomialTerm(n, p, mode);
    qint64 low = mode;
    while (low > 0 && logBinomialTerm(n, p, low - 1) - top > -keptRange)
        --low;
    qint64 high = mode;
    while (high < n && logBinomialTerm(n, p, high + 1) - top > -keptRange)
        ++high;
    result.offset = low;
    result.values.reserve(high - low + 1);
    for (qint64 j = low; j <= high; ++j)
        result.values.append(std::exp(logBinomialTerm(n, p, j)));
    return result;
}

Distribution convolve(const Distribution &a, const Distribution &b)
{
    Distribution result;
    result.offset = a.offset + b.offset;
    result.values.fill(0.0, a.values.size() + b.values.size() - 1);
    for (qsizetype i = 0; i < a.values.size(); ++i) {
        const double weight = a.values.at(i);
        if (weight == 0)
            continue;
        double *out = result.values.data() + i;
        for (qsizetype j = 0; j < b.values.size(); ++j)
            out[j] += weight * b.values.at(j);
    }
    return result;
}

Distribution sumOf(const QList<EventGroup> &groups, const std::function<double(double)> &probabilityOf)
{
    Distribution total{0, {1.0}};
    for (const EventGroup &group : groups)
        total = convolve(total, binomialDistribution(group.events, probabilityOf(group.probability)));
    return total;
}

// A group's probability under the exponential tilt exp(theta * X).
double tilted(double probability, double theta)
{
    return 1.0 / (1.0 + (1.0 - probability) / probability * std::exp(-theta));
}

// ln P(X >= k) for a count far in the upper tail. The distribution tilted by exp(theta * X),
// with theta chosen so that its mean is k, is concentrated around k, where doubles hold it
// well; P(X = j) = P_theta(X = j) * M(theta) * exp(-theta * j), M the moment generating function.
double logTiltedUpperTail(const QList<EventGroup> &groups, qint64 k)
{
    const auto tiltedMean = [&](double theta) {
        double mean = 0;
        for (const EventGroup &group : groups)
            mean += double(group.events) * tilted(group.probability, theta);
        return mean;
    };
    double low = 0;
    double high = 1;
    while (tiltedMean(high) < double(k) && high < 1e4)
        high *= 2;
    for (int step = 0; step < 200 && high - low > 1e-15 * high; ++step) {
        const double middle = (low + high) / 2;
        (tiltedMean(middle) < double(k) ? low : high) = middle;
    }
    const double theta = (low + high) / 2;
    double logMoment = 0;
    for (const EventGroup &group : groups)
        logMoment +=
            double(group.events) * (theta + std::log(group.probability + (1.0 - group.probability) * std::exp(-theta)));
    const Distribution around = sumOf(groups, [theta](double p) { return tilted(p, theta); });
    double sum = 0;
    for (qsizetype i = 0; i < around.values.size(); ++i) {
        const qint64 j = around.offset + i;
        if (j >= k)
            sum += around.values.at(i) * std::exp(-theta * double(j - k));
    }
    return sum > 0 ? logMoment - theta * double(k) + std::log(sum) : negativeInfinity;
}

} // namespace

double logBinomialUpperTail(qint64 n, double p, qint64 k)
{
    if (k <= 0)
        return 0;
    if (k > n || p <= 0)
        return negativeInfinity;
    if (p >= 1)
        return 0;
    const double ratio = p / (1 - p);
    if (double(k) > double(n) * p) {
        // Past the mean every next term is smaller than the one before.
        double sum = 1;
        double term = 1;
        for (qint64 j = k; j < n; ++j) {
            term *= double(n - j) / double(j + 1) * ratio;
            sum += term;
            if (term < sum * negligible)
                break;
        }
        return logBinomialTerm(n, p, k) + std::log(sum);
    }
    // Up to the mean the lower tail is the smaller one: sum it downwards and take it from one.
    double sum = 1;
    double term = 1;
    for (qint64 j = k - 1; j > 0; --j) {
        term *= double(j) / double(n - j + 1) / ratio;
        sum += term;
        if (term < sum * negligible)
            break;
    }
    return std::log1p(-std::exp(logBinomialTerm(n, p, k - 1) + std::log(sum)));
}

QList<double> logGroupedUpperTails(const QList<EventGroup> &groups, const QList<qint64> &counts)
{
    // Events sure to hold the card only move the count; groups of one probability are one
    // binomial.
    qint64 certain = 0;
    QMap<double, qint64> byProbability;
    for (const EventGroup &group : groups) {
        if (group.events <= 0 || group.probability <= 0)
            continue;
        if (group.probability >= 1)
            certain += group.events;
        else
            byProbability[group.probability] += group.events;
    }
    QList<EventGroup> merged;
    for (auto it = byProbability.cbegin(); it != byProbability.cend(); ++it)
        merged.append({it.value(), it.key()});

    QList<double> result;
    result.reserve(counts.size());
    if (merged.size() <= 1) {
        for (qint64 count : counts) {
            const qint64 k = count - certain;
            result.append(merged.isEmpty()
                              ? (k <= 0 ? 0.0 : negativeInfinity)
                              : logBinomialUpperTail(merged.constFirst().events, merged.constFirst().probability, k));
        }
        return result;
    }

    const qint64 most = std::accumulate(merged.cbegin(), merged.cend(), qint64(0),
                                        [](qint64 sum, const EventGroup &g) { return sum + g.events; });
    const Distribution untilted = sumOf(merged, [](double p) { return p; });
    // Tails from the top down, so that no sum takes a small number from a large one.
    QList<double> tails(untilted.values.size() + 1, 0.0);
    for (qsizetype i = untilted.values.size() - 1; i >= 0; --i)
        tails[i] = tails.at(i + 1) + untilted.values.at(i);
    double mean = 0;
    for (const EventGroup &group : merged)
        mean += double(group.events) * group.probability;

    for (qint64 count : counts) {
        const qint64 k = count - certain;
        if (k <= 0) {
            result.append(0);
        } else if (k > most) {
            result.append(negativeInfinity);
        } else if (k == most) {
            double logAll = 0;
            for (const EventGroup &group : merged)
                logAll += double(group.events) * std::log(group.probability);
            result.append(logAll);
        } else {
            const qint64 index = std::max<qint64>(k - untilted.offset, 0);
            const double direct = index < tails.size() ? std::min(tails.at(index), 1.0) : 0.0;
            result.append(direct >= smallestDirectTail || double(k) <= mean ? std::log(direct)
                                                                            : logTiltedUpperTail(merged, k));
        }
    }
    return result;
}

double logGroupedUpperTail(const QList<EventGroup> &groups, qint64 k)
{
    return logGroupedUpperTails(groups, {k}).constFirst();
}

double chiSquareUpperTail(double x, int degreesOfFreedom)
{
    if (x <= 0)
        return 1;
    const double half = x / 2;
    double sum = 0;
    if (degreesOfFreedom % 2 == 0) {
        // e^-h * sum of h^i / i! for i below df / 2
        double term = 1;
        for (int i = 0; i < degreesOfFreedom / 2; ++i) {
            sum += term;
            term *= half / double(i + 1);
        }
        return std::exp(-half) * sum;
    }
    // erfc(sqrt h) + e^-h * sum of h^(i - 1/2) / Gamma(i + 1/2) for i = 1 .. (df - 1) / 2
    double term = std::sqrt(half) * 2 / std::sqrt(M_PI);
    for (int i = 1; i <= (degreesOfFreedom - 1) / 2; ++i) {
        sum += term;
        term *= half / (double(i) + 0.5);
    }
    return std::erfc(std::sqrt(half)) + std::exp(-half) * sum;
}

QList<bool> holmRejections(const QList<double> &logPValues, double alpha)
{
    QList<qsizetype> order(logPValues.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return logPValues.at(a) < logPValues.at(b); });
    QList<bool> rejected(logPValues.size(), false);
    for (qsizetype rank = 0; rank < order.size(); ++rank) {
        const double threshold = std::log(alpha / double(order.size() - rank));
        if (logPValues.at(order.at(rank)) > threshold)
            break;
        rejected[order.at(rank)] = true;
    }
    return rejected;
}

} // namespace ChanceTests
