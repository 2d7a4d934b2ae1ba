#include "Readings.h"

#include "DrawnCard.h"
#include "LookBack.h"
#include "ModelContext.h"
#include "Reading.h"

#include <QSet>

namespace {

const QString dateColumn = QStringLiteral("date");

bool neverBefore(const Reading *, const Reading *)
{
    return false;
}

} // namespace

Reading *Readings::record(const QString &spreadType, const QList<Card> &cards, const QString &notes) const
{
    if (!m_context)
        return nullptr;
    auto *reading = new Reading(spreadType);
    if (!notes.isEmpty())
        reading->setNotes(notes);
    m_context->insert(reading);
    for (const Card &card : cards) {
        auto *drawn = new DrawnCard(card.cardId, card.positionId, card.isReversed);
        m_context->insert(drawn);
        reading->addDrawnCard(drawn);
    }
    return reading;
}

Readings::Contents Readings::contentsOf(const Reading &reading)
{
    Contents contents{
        reading.id(),       reading.spreadType(), reading.date(),    reading.notes(),      reading.isFavorite(),  {},
        reading.question(), reading.origin(),     reading.outcome(), reading.lookBackOn(), reading.spreadLayout()};
    for (const DrawnCard *card : reading.drawnCards())
        contents.cards.append({card->cardId(), card->positionId(), card->isReversed()});
    return contents;
}

Reading *Readings::restore(const Contents &contents) const
{
    Reading *reading = record(contents.spreadType, contents.cards, contents.notes);
    if (!reading)
        return nullptr;
    reading->setId(contents.id);
    reading->setDate(contents.date);
    reading->setIsFavorite(contents.isFavorite);
    reading->setQuestion(contents.question);
    reading->setOrigin(contents.origin);
    reading->setOutcome(contents.outcome);
    reading->setLookBackOn(contents.lookBackOn);
    reading->setSpreadLayout(contents.spreadLayout);
    return reading;
}

void Readings::remove(Reading *reading) const
{
    if (m_context && reading)
        m_context->remove(reading);
}

QList<Reading *> Readings::starred(int limit) const
{
    if (!m_context || limit <= 0)
        return {};
    return m_context->fetch<Reading>(
        ModelContext::RowQuery{QStringLiteral("isFavorite = 1"), {}, QStringLiteral("date DESC"), limit},
        [](const Reading *r) { return r->isFavorite(); },
        [](const Reading *a, const Reading *b) { return a->date() > b->date(); });
}

namespace {

// A look-back day is stored as yyyy-MM-dd, so days compare as texts, in SQL and in memory.
const QString dueWhere =
    QStringLiteral("lookBackOn IS NOT NULL AND lookBackOn != '' AND lookBackOn <= ? AND coalesce(outcome, '') = ''");

std::function<bool(const Reading *)> dueBy(const QString &today)
{
    return [today](const Reading *r) {
        return !r->lookBackOn().isEmpty() && r->lookBackOn() <= today && r->outcome().isEmpty();
    };
}

} // namespace

QList<Reading *> Readings::due(QDate today, int limit) const
{
    if (!m_context || limit <= 0)
        return {};
    const QString day = LookBack::stored(today);
    return m_context->fetch<Reading>(ModelContext::RowQuery{dueWhere, {day}, QStringLiteral("date DESC"), limit},
                                     dueBy(day),
                                     [](const Reading *a, const Reading *b) { return a->date() > b->date(); });
}

int Readings::dueCount(QDate today) const
{
    if (!m_context)
        return 0;
    const QString day = LookBack::stored(today);
    // Stored rows are counted from one column; changed and new ones by their values in memory.
    int count = int(m_context
                        ->storedValues(Reading::staticMetaObject, QStringLiteral("pk"),
                                       ModelContext::RowQuery{dueWhere, {day}, QString(), -1})
                        .size());
    const auto isDue = dueBy(day);
    for (const Reading *reading : m_context->pendingRecords<Reading>())
        if (!reading->isDeleted() && isDue(reading))
            ++count;
    return count;
}

int Readings::countOfSpread(const QString &spreadType) const
{
    if (!m_context)
        return 0;
    int count = int(m_context
                        ->storedValues(Reading::staticMetaObject, QStringLiteral("pk"),
                                       ModelContext::RowQuery{QStringLiteral("spreadType = ?"), {spreadType}, {}, -1})
                        .size());
    for (const Reading *reading : m_context->pendingRecords<Reading>())
        if (!reading->isDeleted() && reading->spreadType() == spreadType)
            ++count;
    return count;
}

bool Readings::any() const
{
    return m_context && !m_context
                             ->fetch<Reading>(
                                 ModelContext::RowQuery{QString(), {}, QStringLiteral("pk"), 1},
                                 [](const Reading *) { return true; }, neverBefore)
                             .isEmpty();
}

QList<Readings::Listed> Readings::listed(bool starredOnly) const
{
    QList<Listed> result;
    if (!m_context)
        return result;
    const QString starred = starredOnly ? QStringLiteral("isFavorite = 1 AND ") : QString();
    const auto read = [&](const QString &where, const QString &orderBy, bool dated) {
        const QList<ModelContext::StoredValue> rows = m_context->storedRows(
            Reading::staticMetaObject, dateColumn, ModelContext::RowQuery{starred + where, {}, orderBy, -1});
        result.reserve(result.size() + rows.size());
        for (const ModelContext::StoredValue &row : rows)
            result.append({row.pk, dated, dated ? row.value.toLongLong() : 0});
    };
    read(QStringLiteral("date IS NOT NULL"), QStringLiteral("date DESC, pk DESC"), true);
    read(QStringLiteral("date IS NULL"), QStringLiteral("pk DESC"), false);
    return result;
}

QList<Reading *> Readings::pending(bool starredOnly) const
{
    QList<Reading *> result;
    if (!m_context)
        return result;
    for (Reading *reading : m_context->pendingRecords<Reading>())
        if (!reading->isDeleted() && (!starredOnly || reading->isFavorite()))
            result.append(reading);
    return result;
}

QList<Reading *> Readings::withStoreIds(const QList<qint64> &storeIds) const
{
    if (!m_context || storeIds.isEmpty())
        return {};
    QStringList marks;
    QVariantList keys;
    marks.reserve(storeIds.size());
    keys.reserve(storeIds.size());
    for (qint64 id : storeIds) {
        marks.append(QStringLiteral("?"));
        keys.append(id);
    }
    const QSet<qint64> wanted(storeIds.cbegin(), storeIds.cend());
    return m_context->fetch<Reading>(
        ModelContext::RowQuery{QStringLiteral("pk IN (%1)").arg(marks.join(QLatin1Char(','))), keys, {}, -1},
        [&](const Reading *reading) { return wanted.contains(reading->storeId()); }, neverBefore);
}
