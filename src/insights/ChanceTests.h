#pragma once

#include <QList>

// The tests that tell a pattern from chance in the cards someone drew. Probabilities too small
// for a double are kept as natural logarithms, so a card drawn every day for ten years still has
// an exact, comparable p-value.
namespace ChanceTests {

// Events that each hold a given card with the same probability: `events` readings of one size,
// each holding a card with probability `probability` (a spread never repeats a card, so a
// reading of k cards holds a given card with probability k / 78).
struct EventGroup
{
    qint64 events = 0;
    double probability = 0;
};

// ln P(X >= k) for X ~ Binomial(n, p), summed exactly term by term in the log domain.
double logBinomialUpperTail(qint64 n, double p, qint64 k);

// ln P(X >= k) where X is the sum of one Binomial(events, probability) per group: how often a
// card would come up at least k times by chance. One group is the binomial itself.
double logGroupedUpperTail(const QList<EventGroup> &groups, qint64 k);

// The same for many counts at once (one per card), sharing the work: the distribution is the
// same for every card.
QList<double> logGroupedUpperTails(const QList<EventGroup> &groups, const QList<qint64> &counts);

// P(X >= x) for X ~ chi-square with `degreesOfFreedom` (1 to 20), in closed form.
double chiSquareUpperTail(double x, int degreesOfFreedom);

// Holm's step-down correction over every test at once: which of the hypotheses, given by their
// log p-values, are rejected at the family-wise `alpha`. Holm controls the chance of even one
// false mark at `alpha`, like Bonferroni, and never marks fewer.
QList<bool> holmRejections(const QList<double> &logPValues, double alpha);

} // namespace ChanceTests
