#pragma once

#include "DrawTallies.h"

#include <QDate>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

class CardDataStore;
class ModelContext;

// What the numbers of a span can honestly say: the cards that recur against chance, the balance
// of the deck's parts, and the moods. Built from the store's tallies; every sentence shown is
// made here.
namespace InsightsReport {

// The days a report covers, both included; none for every draw there is.
struct Span
{
    QDate first;
    QDate last;
    bool isAllTime() const { return !first.isValid(); }
};

struct CardFinding
{
    QString cardId;
    QString name;
    qint64 count = 0;
    qint64 reversed = 0;
    double expected = 0;
    double logPValue = 0; // natural log of P(at least `count` by chance)
    bool marked = false;
};

struct Group
{
    QString name;
    qint64 observed = 0;
    double expected = 0;
    double deckShare = 0;
};

// A chi-square goodness-of-fit test of observed draws against the deck's proportions.
struct Balance
{
    QString title;
    QList<Group> groups;
    bool enough = false; // every group expected at least five times
    double chiSquare = 0;
    int degreesOfFreedom = 0;
    double pValue = 1;
    QString summary;
};

struct MoodCount
{
    QString label;        // "March 2026", "Cups"
    QDate month;          // months only
    QList<qint64> counts; // one per mood, in the vocabulary's order
    qint64 total = 0;
};

struct Report
{
    Span span;
    DrawTallies::Sources sources;
    qint64 cardsDrawn = 0;
    qint64 dailyCards = 0;
    qint64 readings = 0;
    bool enoughDraws = false;
    QList<CardFinding> cards; // all 78, most drawn first
    int markedCount = 0;
    QString recurringSummary;
    QList<Balance> balances; // arcana, suits, court cards, and reversals when they are allowed
    QList<MoodCount> months;
    QList<MoodCount> moodsBySuit;
};

// The chance of a false mark that the cards are held to, over all 78 together.
constexpr double alpha = 0.05;
// Fewer cards than a whole deck's worth cannot tell chance from a pattern.
constexpr int enoughCards = 78;

// The report for counted draws. `reversalsAllowed` decides whether reversals are weighed.
Report analyse(const DrawTallies::Tally &tally, const Span &span, const DrawTallies::Sources &sources,
               const CardDataStore &catalogue, bool reversalsAllowed);
// Counts the span in `context` and analyses it; false, with `error`, when the store cannot be read.
bool build(ModelContext *context, const Span &span, const DrawTallies::Sources &sources, bool reversalsAllowed,
           Report *report, QString *error);
// The range of store dates a span covers, in local days.
DrawTallies::Range rangeOf(const Span &span);

// The report as the headless command prints it.
QJsonObject toJson(const Report &report);

// An expected count as shown: "5.1", "813".
QString countText(double count);
// "p = 0.012", "p < 0.0001".
QString pText(double pValue);

} // namespace InsightsReport
