#include "InsightsModel.h"

#include "AppSettings.h"
#include "Clock.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "Settings.h"

#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

QVariantList segmentsOf(const InsightsReport::MoodCount &count)
{
    QVariantList segments;
    for (qsizetype i = 0; i < count.counts.size(); ++i)
        if (count.counts.at(i) > 0)
            segments.append(QVariantMap{{QStringLiteral("mood"), JournalEntry::moods().at(i)},
                                        {QStringLiteral("count"), count.counts.at(i)},
                                        {QStringLiteral("share"), double(count.counts.at(i)) / double(count.total)}});
    return segments;
}

QVariantList reversed(QVariantList list)
{
    std::reverse(list.begin(), list.end());
    return list;
}

// "Peaceful 4, Anxious 2", most chosen first; "no moods chosen" when there are none.
QString moodsText(const InsightsReport::MoodCount &count)
{
    QList<qsizetype> order;
    for (qsizetype i = 0; i < count.counts.size(); ++i)
        if (count.counts.at(i) > 0)
            order.append(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](qsizetype a, qsizetype b) { return count.counts.at(a) > count.counts.at(b); });
    QStringList parts;
    for (qsizetype i : order)
        parts.append(QStringLiteral("%1 %2").arg(JournalEntry::moods().at(i)).arg(count.counts.at(i)));
    return parts.isEmpty() ? QStringLiteral("no moods chosen") : parts.join(QStringLiteral(", "));
}

} // namespace

InsightsModel::InsightsModel(QObject *parent) : QObject(parent)
{}

void InsightsModel::setModelContext(ModelContext *context)
{
    if (context == m_context)
        return;
    if (m_context)
        disconnect(m_context, nullptr, this, nullptr);
    m_context = context;
    if (m_context)
        connect(m_context, &ModelContext::saved, this, &InsightsModel::scheduleRefresh);
    emit modelContextChanged();
    scheduleRefresh();
}

void InsightsModel::setSpan(int span)
{
    if (span == m_span || span < LastWeek || span > Dates)
        return;
    m_span = span;
    // Two dates to start from: the last 30 days, to be changed.
    if (m_span == Dates && m_firstDate.isEmpty() && m_lastDate.isEmpty()) {
        const InsightsReport::Span month = spanOf(LastMonth, Clock::today());
        m_firstDate = month.first.toString(Qt::ISODate);
        m_lastDate = month.last.toString(Qt::ISODate);
    }
    emit choiceChanged();
    scheduleRefresh();
}

void InsightsModel::setFirstDate(const QString &text)
{
    if (text == m_firstDate)
        return;
    m_datesFinished = false;
    m_firstDate = text;
    emit choiceChanged();
    scheduleRefresh();
}

void InsightsModel::finishDates()
{
    m_datesFinished = true;
    refresh();
}

void InsightsModel::setLastDate(const QString &text)
{
    if (text == m_lastDate)
        return;
    m_datesFinished = false;
    m_lastDate = text;
    emit choiceChanged();
    scheduleRefresh();
}

void InsightsModel::setDailyCards(bool on)
{
    if (on == m_sources.dailyCards)
        return;
    m_sources.dailyCards = on;
    emit choiceChanged();
    scheduleRefresh();
}

void InsightsModel::setDealtReadings(bool on)
{
    if (on == m_sources.dealtReadings)
        return;
    m_sources.dealtReadings = on;
    emit choiceChanged();
    scheduleRefresh();
}

void InsightsModel::setRecordedReadings(bool on)
{
    if (on == m_sources.recordedReadings)
        return;
    m_sources.recordedReadings = on;
    emit choiceChanged();
    scheduleRefresh();
}

void InsightsModel::setShowsEveryCard(bool on)
{
    if (on == m_showsEveryCard)
        return;
    m_showsEveryCard = on;
    emit choiceChanged();
    publish();
    emit reportChanged();
}

int InsightsModel::drawnCardCount() const
{
    return int(std::count_if(m_report.cards.cbegin(), m_report.cards.cend(),
                             [](const InsightsReport::CardFinding &card) { return card.count > 0; }));
}

QStringList InsightsModel::spanNames() const
{
    return {QStringLiteral("7 Days"),    QStringLiteral("30 Days"),  QStringLiteral("3 Months"),
            QStringLiteral("12 Months"), QStringLiteral("All Time"), QStringLiteral("Dates")};
}

InsightsReport::Span InsightsModel::spanOf(Span span, QDate today)
{
    switch (span) {
    case LastWeek:
        return {today.addDays(-6), today};
    case LastMonth:
        return {today.addDays(-29), today};
    case LastQuarter:
        return {today.addMonths(-3).addDays(1), today};
    case LastYear:
        return {today.addYears(-1).addDays(1), today};
    case AllTime:
    case Dates:
        break;
    }
    return {};
}

QString InsightsModel::drawSummary() const
{
    const auto plural = [](qint64 n, const char *one, const char *many) {
        return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
    };
    if (m_report.cardsDrawn == 0)
        return QStringLiteral("No cards drawn in this span yet.");
    return QStringLiteral("%1 drawn: %2 and %3.")
        .arg(plural(m_report.cardsDrawn, "card", "cards"), plural(m_report.dailyCards, "daily card", "daily cards"),
             plural(m_report.readings, "reading", "readings"));
}

QVariantMap InsightsModel::monthDestination(int index) const
{
    if (index < 0 || index >= m_report.months.size())
        return {};
    return {{QStringLiteral("kind"), QStringLiteral("journal")},
            {QStringLiteral("day"), m_report.months.at(index).month.toString(Qt::ISODate)}};
}

QVariantMap InsightsModel::cardDestination(const QString &cardId)
{
    return {{QStringLiteral("kind"), QStringLiteral("cardNote")}, {QStringLiteral("cardId"), cardId}};
}

void InsightsModel::scheduleRefresh()
{
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QTimer::singleShot(0, this, [this] {
        if (m_refreshQueued)
            refresh();
    });
}

void InsightsModel::refresh()
{
    m_refreshQueued = false;
    m_dateProblem.clear();
    InsightsReport::Span span = spanOf(Span(m_span), Clock::today());
    if (m_span == Dates) {
        const QDate first = QDate::fromString(m_firstDate.trimmed(), Qt::ISODate);
        const QDate last = QDate::fromString(m_lastDate.trimmed(), Qt::ISODate);
        // A date still being typed is not wrong yet: the last report stays until it is whole
        // or the field is left.
        const bool typing = !m_datesFinished && (m_firstDate.trimmed().size() < 10 || m_lastDate.trimmed().size() < 10);
        if ((!first.isValid() || !last.isValid()) && typing) {
            emit choiceChanged();
            return;
        }
        if (!first.isValid() || !last.isValid())
            m_dateProblem = QStringLiteral("Type both dates as yyyy-MM-dd, for example %1.")
                                .arg(Clock::today().toString(Qt::ISODate));
        else if (first > last)
            m_dateProblem = QStringLiteral("The first date comes after the second.");
        else
            span = {first, last};
        emit choiceChanged();
        if (!m_dateProblem.isEmpty())
            return;
    }
    m_problem.clear();
    if (!m_context)
        return;
    const bool reversals = Settings(m_context).current().allowReversedCards();
    QString error;
    if (!InsightsReport::build(m_context, span, m_sources, reversals, &m_report, &error)) {
        m_report = {};
        m_problem = QStringLiteral("The journal could not be read: %1").arg(error);
    }
    publish();
    emit reportChanged();
}

void InsightsModel::publish()
{
    m_cards.clear();
    const qsizetype shown = m_showsEveryCard ? m_report.cards.size() : listedCards;
    for (qsizetype i = 0; i < qMin<qsizetype>(shown, m_report.cards.size()); ++i) {
        const InsightsReport::CardFinding &card = m_report.cards.at(i);
        if (card.count == 0)
            break;
        const QString pText = InsightsReport::pText(std::exp(card.logPValue));
        m_cards.append(QVariantMap{{QStringLiteral("cardId"), card.cardId},
                                   {QStringLiteral("name"), card.name},
                                   {QStringLiteral("count"), card.count},
                                   {QStringLiteral("expected"), InsightsReport::countText(card.expected)},
                                   {QStringLiteral("pText"), pText},
                                   {QStringLiteral("marked"), card.marked},
                                   {QStringLiteral("accessibleName"),
                                    (card.count == 1 ? tr("%1: drawn once, chance gives about %2, %3%4")
                                                     : tr("%1: drawn %5 times, chance gives about %2, %3%4")
                                                           .replace(QStringLiteral("%5"), QString::number(card.count)))
                                        .arg(card.name)
                                        .arg(InsightsReport::countText(card.expected), pText,
                                             card.marked ? QStringLiteral(", more than chance") : QString())}});
    }
    m_balances.clear();
    for (const InsightsReport::Balance &balance : m_report.balances) {
        QVariantList groups;
        qint64 total = 0;
        for (const InsightsReport::Group &group : balance.groups)
            total += group.observed;
        for (const InsightsReport::Group &group : balance.groups)
            groups.append(
                QVariantMap{{QStringLiteral("name"), group.name},
                            {QStringLiteral("observed"), group.observed},
                            {QStringLiteral("expected"), InsightsReport::countText(group.expected)},
                            {QStringLiteral("observedShare"), total > 0 ? double(group.observed) / double(total) : 0.0},
                            {QStringLiteral("deckShare"), group.deckShare},
                            {QStringLiteral("accessibleName"), QStringLiteral("%1: %2 drawn, the deck's share gives %3")
                                                                   .arg(group.name)
                                                                   .arg(group.observed)
                                                                   .arg(InsightsReport::countText(group.expected))}});
        m_balances.append(QVariantMap{{QStringLiteral("title"), balance.title},
                                      {QStringLiteral("drawn"), total},
                                      {QStringLiteral("summary"), balance.summary},
                                      {QStringLiteral("groups"), groups}});
    }
    qint64 busiest = 1;
    for (const InsightsReport::MoodCount &month : m_report.months)
        busiest = std::max(busiest, month.total);
    m_months.clear();
    for (const InsightsReport::MoodCount &month : m_report.months)
        m_months.append(QVariantMap{
            {QStringLiteral("label"), month.label},
            {QStringLiteral("shortLabel"), QLocale::c().toString(month.month, QStringLiteral("MMM"))},
            {QStringLiteral("isJanuary"), month.month.month() == 1},
            {QStringLiteral("year"), month.month.year()},
            {QStringLiteral("total"), month.total},
            {QStringLiteral("height"), double(month.total) / double(busiest)},
            {QStringLiteral("initial"), QLocale::c().toString(month.month, QStringLiteral("MMM")).left(1)},
            // Drawn top down: the first mood lies at the bottom of the bar.
            {QStringLiteral("stack"), reversed(segmentsOf(month))},
            {QStringLiteral("moodsText"), moodsText(month)},
            {QStringLiteral("accessibleName"), QStringLiteral("%1: %2").arg(month.label, moodsText(month))}});
    m_moodsBySuit.clear();
    for (const InsightsReport::MoodCount &suit : m_report.moodsBySuit)
        m_moodsBySuit.append(QVariantMap{{QStringLiteral("label"), suit.label},
                                         {QStringLiteral("total"), suit.total},
                                         {QStringLiteral("segments"), segmentsOf(suit)},
                                         {QStringLiteral("moodsText"), moodsText(suit)},
                                         {QStringLiteral("accessibleName"),
                                          QStringLiteral("Daily card of %1: %2").arg(suit.label, moodsText(suit))}});
}
