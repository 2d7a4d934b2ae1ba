#include "InsightsReport.h"

#include "CardDataStore.h"
#include "ChanceTests.h"
#include "JournalEntry.h"

#include <QJsonArray>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace InsightsReport {

namespace {

const QStringList suitGroups{QStringLiteral("Major Arcana"), QStringLiteral("Wands"), QStringLiteral("Cups"),
                             QStringLiteral("Swords"), QStringLiteral("Pentacles")};

int suitGroupOf(const TarotCard &card)
{
    if (card.arcana == Arcana::major || !card.suit)
        return 0;
    return 1 + int(*card.suit);
}

bool isCourt(const TarotCard &card)
{
    return card.arcana == Arcana::minor && card.number >= 11;
}

// Tests observed counts against the shares and says in one sentence what the test found.
Balance weigh(const QString &title, const QList<QString> &names, const QList<qint64> &observed,
              const QList<double> &shares)
{
    Balance balance;
    balance.title = title;
    qint64 total = 0;
    for (qint64 count : observed)
        total += count;
    balance.enough = total > 0;
    int furthest = -1;
    double furthestResidual = 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const double expected = double(total) * shares.at(i);
        balance.groups.append({names.at(i), observed.at(i), expected, shares.at(i)});
        if (expected < 5)
            balance.enough = false;
        if (expected > 0) {
            const double residual = (double(observed.at(i)) - expected) / std::sqrt(expected);
            balance.chiSquare += residual * residual;
            if (std::abs(residual) > std::abs(furthestResidual)) {
                furthestResidual = residual;
                furthest = int(i);
            }
        }
    }
    balance.degreesOfFreedom = int(names.size()) - 1;
    if (!balance.enough) {
        balance.chiSquare = 0;
        balance.summary = QStringLiteral("Too few draws yet to compare with the deck.");
        return balance;
    }
    balance.pValue = ChanceTests::chiSquareUpperTail(balance.chiSquare, balance.degreesOfFreedom);
    const QString figures =
        QStringLiteral("(chi-square %1 with %2, %3)")
            .arg(QLocale::c().toString(balance.chiSquare, 'f', 2))
            .arg(balance.degreesOfFreedom == 1 ? QStringLiteral("1 degree of freedom")
                                               : QStringLiteral("%1 degrees of freedom").arg(balance.degreesOfFreedom))
            .arg(pText(balance.pValue));
    if (balance.pValue >= alpha || furthest < 0) {
        balance.summary =
            QStringLiteral("In keeping with the deck: differences this size often come by chance %1.").arg(figures);
    } else {
        const Group &group = balance.groups.at(furthest);
        balance.summary = QStringLiteral("%1 %2 than chance easily gives: %3 against about %4 %5.")
                              .arg(furthestResidual > 0 ? QStringLiteral("More") : QStringLiteral("Fewer"), group.name,
                                   QString::number(group.observed), countText(group.expected), figures);
    }
    return balance;
}

QList<qint64> moodCounts()
{
    return QList<qint64>(JournalEntry::moods().size(), 0);
}

void countMood(MoodCount &into, const QString &mood)
{
    const qsizetype index = JournalEntry::moods().indexOf(mood);
    if (index < 0)
        return;
    into.counts[index] += 1;
    into.total += 1;
}

} // namespace

QString countText(double count)
{
    return QLocale::c().toString(count, 'f', count >= 100 ? 0 : 1);
}

QString pText(double pValue)
{
    if (pValue < 0.0001)
        return QStringLiteral("p < 0.0001");
    if (pValue < 0.001)
        return QStringLiteral("p = %1").arg(QLocale::c().toString(pValue, 'f', 4));
    if (pValue < 0.01)
        return QStringLiteral("p = %1").arg(QLocale::c().toString(pValue, 'f', 3));
    return QStringLiteral("p = %1").arg(QLocale::c().toString(pValue, 'f', 2));
}

DrawTallies::Range rangeOf(const Span &span)
{
    if (span.isAllTime())
        return {};
    return {true, span.first.startOfDay().toMSecsSinceEpoch(), span.last.addDays(1).startOfDay().toMSecsSinceEpoch()};
}

Report analyse(const DrawTallies::Tally &tally, const Span &span, const DrawTallies::Sources &sources,
               const CardDataStore &catalogue, bool reversalsAllowed)
{
    Report report;
    report.span = span;
    report.sources = sources;
    report.dailyCards = tally.dailyCards;
    report.readings = tally.readings;
    const QList<TarotCard> &deck = catalogue.allCards();
    const double deckSize = deck.isEmpty() ? 78 : double(deck.size());

    // Each reading holds a given card at most once: with k cards, with probability k / 78.
    QList<ChanceTests::EventGroup> groups;
    double expected = 0;
    for (auto it = tally.eventsBySize.cbegin(); it != tally.eventsBySize.cend(); ++it) {
        const double probability = std::min(double(it.key()) / deckSize, 1.0);
        groups.append({it.value(), probability});
        expected += double(it.value()) * probability;
    }

    QList<qint64> counts;
    qint64 reversed = 0;
    QList<qint64> bySuit(suitGroups.size(), 0);
    qint64 courts = 0;
    int courtCards = 0;
    QList<int> suitSizes(suitGroups.size(), 0);
    for (const TarotCard &card : deck) {
        const DrawTallies::CardCount counted = tally.cards.value(card.id);
        const qint64 count = counted.upright + counted.reversed;
        report.cards.append({card.id, card.name, count, counted.reversed, expected, 0, false});
        counts.append(count);
        report.cardsDrawn += count;
        reversed += counted.reversed;
        bySuit[suitGroupOf(card)] += count;
        suitSizes[suitGroupOf(card)] += 1;
        if (isCourt(card)) {
            courts += count;
            ++courtCards;
        }
    }
    report.enoughDraws = report.cardsDrawn >= enoughCards;

    const QList<double> logP = ChanceTests::logGroupedUpperTails(groups, counts);
    const QList<bool> marks = ChanceTests::holmRejections(logP, alpha);
    for (qsizetype i = 0; i < report.cards.size(); ++i) {
        report.cards[i].logPValue = logP.at(i);
        report.cards[i].marked = report.enoughDraws && marks.at(i);
        report.markedCount += report.cards.at(i).marked ? 1 : 0;
    }
    std::stable_sort(report.cards.begin(), report.cards.end(),
                     [](const CardFinding &a, const CardFinding &b) { return a.count > b.count; });
    if (!report.enoughDraws)
        report.recurringSummary = QStringLiteral("Not enough draws yet to tell chance from a pattern.");
    else if (report.markedCount == 0)
        report.recurringSummary =
            QStringLiteral("No card comes up more often than chance would give. With 78 cards some always lead, and "
                           "about 4 of them have a p-value of their own below 5 % by chance alone.");
    else
        report.recurringSummary =
            QStringLiteral("A mark means a card came up more often than chance explains. Chance alone would mark "
                           "a card in fewer than 1 in 20 spans like this one, all 78 cards weighed together "
                           "(Holm's correction at 5%).");

    const qint64 majors = bySuit.at(0);
    report.balances.append(weigh(
        QStringLiteral("Major and Minor Arcana"), {QStringLiteral("Major Arcana"), QStringLiteral("Minor Arcana")},
        {majors, report.cardsDrawn - majors}, {suitSizes.at(0) / deckSize, 1 - suitSizes.at(0) / deckSize}));
    const double minorSize = deckSize - suitSizes.at(0);
    QList<double> suitShares;
    for (int i = 1; i < suitGroups.size(); ++i)
        suitShares.append(minorSize > 0 ? suitSizes.at(i) / minorSize : 0.25);
    report.balances.append(weigh(QStringLiteral("The four suits"), suitGroups.mid(1), bySuit.mid(1), suitShares));
    report.balances.append(
        weigh(QStringLiteral("Court cards"), {QStringLiteral("Court cards"), QStringLiteral("Other cards")},
              {courts, report.cardsDrawn - courts}, {courtCards / deckSize, 1 - courtCards / deckSize}));
    if (reversalsAllowed)
        report.balances.append(weigh(QStringLiteral("Reversed cards"),
                                     {QStringLiteral("Reversed"), QStringLiteral("Upright")},
                                     {reversed, report.cardsDrawn - reversed}, {0.5, 0.5}));

    // Moods by month over the span (or from the first entry on), and by the daily card's suit.
    QDate firstMonth = span.isAllTime() ? QDate() : QDate(span.first.year(), span.first.month(), 1);
    QDate lastMonth = span.isAllTime() ? QDate() : QDate(span.last.year(), span.last.month(), 1);
    if (span.isAllTime() && !tally.days.isEmpty()) {
        const QDate oldest = QDateTime::fromMSecsSinceEpoch(tally.days.constFirst().date).date();
        const QDate newest = QDateTime::fromMSecsSinceEpoch(tally.days.constLast().date).date();
        firstMonth = QDate(oldest.year(), oldest.month(), 1);
        lastMonth = QDate(newest.year(), newest.month(), 1);
    }
    for (QDate month = firstMonth; month.isValid() && month <= lastMonth; month = month.addMonths(1))
        report.months.append({QLocale::c().toString(month, QStringLiteral("MMMM yyyy")), month, moodCounts(), 0});
    for (const QString &name : suitGroups)
        report.moodsBySuit.append({name, {}, moodCounts(), 0});
    for (const DrawTallies::Day &day : tally.days) {
        if (day.mood.isEmpty())
            continue;
        const QDate date = QDateTime::fromMSecsSinceEpoch(day.date).date();
        const qsizetype index = (date.year() - firstMonth.year()) * 12 + date.month() - firstMonth.month();
        if (index >= 0 && index < report.months.size())
            countMood(report.months[index], day.mood);
        if (const std::optional<TarotCard> card = catalogue.cardByID(day.cardId))
            countMood(report.moodsBySuit[suitGroupOf(*card)], day.mood);
    }
    return report;
}

bool build(ModelContext *context, const Span &span, const DrawTallies::Sources &sources, bool reversalsAllowed,
           Report *report, QString *error)
{
    DrawTallies::Tally tally;
    if (!DrawTallies(context).count(rangeOf(span), sources, &tally, error))
        return false;
    *report = analyse(tally, span, sources, CardDataStore::shared(), reversalsAllowed);
    return true;
}

QJsonObject toJson(const Report &report)
{
    const auto moodsOf = [](const MoodCount &count) {
        QJsonObject moods;
        for (qsizetype i = 0; i < count.counts.size(); ++i)
            moods.insert(JournalEntry::moods().at(i), count.counts.at(i));
        return moods;
    };
    QJsonArray cards;
    for (const CardFinding &card : report.cards) {
        const double log10P = card.logPValue / std::log(10.0);
        cards.append(
            QJsonObject{{QStringLiteral("id"), card.cardId},
                        {QStringLiteral("name"), card.name},
                        {QStringLiteral("count"), card.count},
                        {QStringLiteral("reversed"), card.reversed},
                        {QStringLiteral("expected"), card.expected},
                        {QStringLiteral("pValue"), std::exp(card.logPValue)},
                        {QStringLiteral("log10PValue"), std::isfinite(log10P) ? QJsonValue(log10P) : QJsonValue()},
                        {QStringLiteral("marked"), card.marked}});
    }
    QJsonArray balances;
    for (const Balance &balance : report.balances) {
        QJsonArray groups;
        for (const Group &group : balance.groups)
            groups.append(QJsonObject{{QStringLiteral("name"), group.name},
                                      {QStringLiteral("observed"), group.observed},
                                      {QStringLiteral("expected"), group.expected},
                                      {QStringLiteral("deckShare"), group.deckShare}});
        balances.append(
            QJsonObject{{QStringLiteral("title"), balance.title},
                        {QStringLiteral("groups"), groups},
                        {QStringLiteral("enough"), balance.enough},
                        {QStringLiteral("chiSquare"), balance.enough ? QJsonValue(balance.chiSquare) : QJsonValue()},
                        {QStringLiteral("degreesOfFreedom"), balance.degreesOfFreedom},
                        {QStringLiteral("pValue"), balance.enough ? QJsonValue(balance.pValue) : QJsonValue()},
                        {QStringLiteral("summary"), balance.summary}});
    }
    QJsonArray months;
    for (const MoodCount &month : report.months)
        months.append(QJsonObject{{QStringLiteral("month"), month.month.toString(QStringLiteral("yyyy-MM"))},
                                  {QStringLiteral("total"), month.total},
                                  {QStringLiteral("moods"), moodsOf(month)}});
    QJsonArray suits;
    for (const MoodCount &suit : report.moodsBySuit)
        suits.append(QJsonObject{{QStringLiteral("dailyCard"), suit.label},
                                 {QStringLiteral("total"), suit.total},
                                 {QStringLiteral("moods"), moodsOf(suit)}});
    return QJsonObject{
        {QStringLiteral("format"), 1},
        {QStringLiteral("from"), report.span.isAllTime() ? QJsonValue() : report.span.first.toString(Qt::ISODate)},
        {QStringLiteral("to"), report.span.isAllTime() ? QJsonValue() : report.span.last.toString(Qt::ISODate)},
        {QStringLiteral("sources"), QJsonObject{{QStringLiteral("dailyCards"), report.sources.dailyCards},
                                                {QStringLiteral("dealtReadings"), report.sources.dealtReadings},
                                                {QStringLiteral("recordedReadings"), report.sources.recordedReadings}}},
        {QStringLiteral("cardsDrawn"), report.cardsDrawn},
        {QStringLiteral("dailyCards"), report.dailyCards},
        {QStringLiteral("readings"), report.readings},
        {QStringLiteral("enoughDraws"), report.enoughDraws},
        {QStringLiteral("correction"), QStringLiteral("holm")},
        {QStringLiteral("alpha"), alpha},
        {QStringLiteral("summary"), report.recurringSummary},
        {QStringLiteral("cards"), cards},
        {QStringLiteral("balance"), balances},
        {QStringLiteral("moodsByMonth"), months},
        {QStringLiteral("moodsByDailyCard"), suits}};
}

} // namespace InsightsReport
