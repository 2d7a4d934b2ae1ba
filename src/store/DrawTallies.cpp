#include "DrawTallies.h"

#include "ModelContext.h"
#include "Reading.h"
#include "StoreSql.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// The readings of the span and sources, as a condition on Reading's columns (alias r).
QString readingCondition(const DrawTallies::Range &range, const DrawTallies::Sources &sources, QVariantList *values)
{
    QStringList parts;
    if (range.bounded) {
        parts.append(QStringLiteral("r.date >= ? AND r.date < ?"));
        values->append(range.from);
        values->append(range.to);
    }
    if (!sources.dealtReadings || !sources.recordedReadings) {
        parts.append(sources.recordedReadings ? QStringLiteral("r.origin = ?")
                                              : QStringLiteral("ifnull(r.origin, '') != ?"));
        values->append(Reading::ownDeck);
    }
    return parts.isEmpty() ? QStringLiteral("1") : parts.join(QStringLiteral(" AND "));
}

bool run(QSqlQuery &query, const QString &sql, const QVariantList &values, QString *error)
{
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        if (error)
            *error = StoreSql::sqlError(query.lastError());
        return false;
    }
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        if (error)
            *error = StoreSql::sqlError(query.lastError());
        return false;
    }
    return true;
}

} // namespace

bool DrawTallies::count(const Range &range, const Sources &sources, Tally *tally, QString *error) const
{
    *tally = {};
    if (!m_context || !m_context->ensureConnected(error))
        return false;
    QSqlQuery query(m_context->m_db);
    if (sources.dealtReadings || sources.recordedReadings) {
        QVariantList values;
        const QString where = readingCondition(range, sources, &values);
        // Every reading counted: the drawn cards alone, read in one pass, and the reading sizes
        // from the index of cards by reading. Otherwise through the readings chosen.
        const bool everyReading = where == QLatin1String("1");
        const QString cards = everyReading ? QStringLiteral("FROM DrawnCard d")
                                           : QStringLiteral("FROM Reading r JOIN DrawnCard d ON d.reading = r.pk "
                                                            "WHERE %1")
                                                 .arg(where);
        if (!run(query, QStringLiteral("SELECT d.cardId, count(*), sum(d.isReversed) %1 GROUP BY d.cardId").arg(cards),
                 values, error))
            return false;
        while (query.next()) {
            CardCount &card = tally->cards[query.value(0).toString()];
            const qint64 reversed = query.value(2).toLongLong();
            card.reversed += reversed;
            card.upright += query.value(1).toLongLong() - reversed;
        }
        if (!run(query,
                 QStringLiteral("SELECT size, count(*) FROM (SELECT count(*) AS size %1 GROUP BY d.reading) "
                                "GROUP BY size")
                     .arg(cards),
                 values, error))
            return false;
        while (query.next()) {
            tally->eventsBySize[query.value(0).toInt()] += query.value(1).toLongLong();
            tally->readings += query.value(1).toLongLong();
        }
    }
    QVariantList values;
    QString where = QStringLiteral("date IS NOT NULL");
    if (range.bounded) {
        where = QStringLiteral("date >= ? AND date < ?");
        values = {range.from, range.to};
    }
    if (!run(query,
             QStringLiteral("SELECT date, dailyCardId, dailyCardReversed, mood FROM JournalEntry WHERE %1 "
                            "ORDER BY date, pk")
                 .arg(where),
             values, error))
        return false;
    while (query.next()) {
        Day day{query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toBool(),
                query.value(3).toString()};
        if (sources.dailyCards && !day.cardId.isEmpty()) {
            CardCount &card = tally->cards[day.cardId];
            (day.reversed ? card.reversed : card.upright) += 1;
            tally->eventsBySize[1] += 1;
            tally->dailyCards += 1;
        }
        tally->days.append(std::move(day));
    }
    return true;
}
