#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>

class ModelContext;

// Counts of the cards drawn over a span of time, summed by SQL over the stored rows (the daily
// cards of the journal and the cards of readings), for the insights. Only what is saved counts.
class DrawTallies
{
public:
    // Which draws to count.
    struct Sources
    {
        bool dailyCards = true;
        bool dealtReadings = true;
        bool recordedReadings = true; // laid out with the user's own deck
    };
    // [from, to) in milliseconds since the epoch; no bounds at all for every draw, undated
    // readings included.
    struct Range
    {
        bool bounded = false;
        qint64 from = 0;
        qint64 to = 0;
    };
    struct CardCount
    {
        qint64 upright = 0;
        qint64 reversed = 0;
    };
    // A journal entry of the span: its day's card and mood (either may be empty).
    struct Day
    {
        qint64 date = 0;
        QString cardId;
        bool reversed = false;
        QString mood;
    };
    struct Tally
    {
        QHash<QString, CardCount> cards;
        // By number of cards, how many counted readings (and daily cards, as one card each).
        QMap<int, qint64> eventsBySize;
        qint64 dailyCards = 0;
        qint64 readings = 0;
        QList<Day> days; // every journal entry of the span, oldest first
    };

    explicit DrawTallies(ModelContext *context) : m_context(context) {}

    // False, with `error` saying why, when the store cannot be read.
    bool count(const Range &range, const Sources &sources, Tally *tally, QString *error = nullptr) const;

private:
    ModelContext *m_context;
};
