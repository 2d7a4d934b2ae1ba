#include "ReadingHistoryModel.h"

#include "CardDataStore.h"
#include "DateFormat.h"
#include "DrawnCard.h"
#include "Reading.h"
#include "SpreadDefinition.h"
#include "SpreadMenu.h"
#include "StoreLog.h"
#include "YesNoReadingModel.h"

#include <QSet>

namespace {

bool byListOrder(const Reading *a, const Reading *b)
{
    return ReadingHistoryModel::listedBefore(ReadingHistoryModel::keyOf(a), ReadingHistoryModel::keyOf(b));
}

} // namespace

ReadingHistoryModel::ReadingHistoryModel(QObject *parent) : QAbstractListModel(parent)
{}

ReadingHistoryModel::ReadingHistoryModel(CardDataStore &cardStore, ModelContext *context, QObject *parent)
    : QAbstractListModel(parent), m_cardStore(&cardStore)
{
    setModelContext(context);
}

ReadingHistoryModel::~ReadingHistoryModel() = default;

ReadingHistoryModel::Key ReadingHistoryModel::keyOf(const Reading *reading)
{
    const QDateTime date = reading->date();
    Key key{date.isValid(), date.isValid() ? date.toMSecsSinceEpoch() : 0, reading->storeId() != 0, reading->storeId()};
    // The save gives new readings keys above every stored one, in the order they were inserted.
    if (!key.saved && reading->context())
        key.order = reading->context()->pendingRecords<Reading>().indexOf(reading);
    return key;
}

bool ReadingHistoryModel::listedBefore(const Key &a, const Key &b)
{
    if (a.hasDate != b.hasDate)
        return a.hasDate;
    if (a.hasDate && a.date != b.date)
        return a.date > b.date;
    if (a.saved != b.saved)
        return !a.saved;
    return a.order > b.order;
}

std::optional<YesNoAnswer> ReadingHistoryModel::yesNoAnswerOf(const Reading &reading, const CardDataStore &cards)
{
    if (reading.spreadType() != SpreadDefinition::yesNo().id || reading.drawnCards().isEmpty())
        return std::nullopt;
    const DrawnCard *drawn = reading.drawnCards().first();
    const std::optional<TarotCard> card = cards.cardByID(drawn->cardId());
    if (!card)
        return std::nullopt;
    return ReadingEngine::yesNoAnswer(*card, drawn->isReversed());
}

QString ReadingHistoryModel::cardCountText(int count)
{
    return tr("%1 cards").arg(count);
}

CardDataStore &ReadingHistoryModel::cards() const
{
    if (!m_cardStore)
        m_cardStore = &CardDataStore::shared();
    return *m_cardStore;
}

void ReadingHistoryModel::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    if (m_context)
        disconnect(m_context, nullptr, this, nullptr);
    m_context = context;
    if (context)
        connect(context, &ModelContext::changed, this, &ReadingHistoryModel::refresh);
    if (m_lastDeleted) {
        m_lastDeleted.reset();
        emit canUndoChanged();
    }
    emit modelContextChanged();
    reload();
}

void ReadingHistoryModel::setShowFavoritesOnly(bool on)
{
    if (on == m_favoritesOnly)
        return;
    m_favoritesOnly = on;
    emit showFavoritesOnlyChanged();
    reload();
}

QString ReadingHistoryModel::title() const
{
    return m_favoritesOnly ? tr("Saved Readings") : tr("Reading History");
}

QString ReadingHistoryModel::filterSymbol() const
{
    return m_favoritesOnly ? QStringLiteral("star.fill") : QStringLiteral("star");
}

QString ReadingHistoryModel::emptySymbol() const
{
    return m_emptyState == NoSaved ? QStringLiteral("star") : QStringLiteral("rectangle.stack");
}

QString ReadingHistoryModel::emptyTitle() const
{
    return m_emptyState == NoSaved ? tr("No saved readings") : tr("No readings yet");
}

QString ReadingHistoryModel::emptyMessage() const
{
    return m_emptyState == NoSaved ? tr("Star a reading to save it here.") : tr("Your past readings will appear here.");
}

Reading *ReadingHistoryModel::at(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : nullptr;
}

// Dated readings come over the date index, newest first, the later stored first among equal
// dates; each condition in SQL has its twin on the values in memory for readings not yet saved.
// Readings without a date follow, the later stored first.
QList<Reading *> ReadingHistoryModel::readPage(const std::optional<Key> &after, int limit) const
{
    QList<Reading *> rows;
    if (!m_context)
        return rows;
    const bool favoritesOnly = m_favoritesOnly;
    const QString starred = favoritesOnly ? QStringLiteral("isFavorite = 1 AND ") : QString();
    const auto matches = [&](const Reading *reading, bool dated) {
        const Key key = keyOf(reading);
        return (!favoritesOnly || reading->isFavorite()) && key.hasDate == dated &&
               (!after || listedBefore(*after, key));
    };

    if (!after || after->hasDate) {
        ModelContext::RowQuery query{
            starred + QStringLiteral("date IS NOT NULL"), {}, QStringLiteral("date DESC, pk DESC"), limit};
        if (after) {
            // "date <= ?" lets SQL start the index scan at the last row shown.
            query.where += QStringLiteral(" AND date <= ? AND (date < ? OR pk < ?)");
            query.values = {after->date, after->date, after->pk()};
        }
        rows = m_context->fetch<Reading>(
            query, [&](const Reading *reading) { return matches(reading, true); }, byListOrder);
        if (limit >= 0 && rows.size() >= limit)
            return rows;
    }
    ModelContext::RowQuery undated{starred + QStringLiteral("date IS NULL"),
                                   {},
                                   QStringLiteral("pk DESC"),
                                   limit < 0 ? -1 : limit - int(rows.size())};
    if (after && !after->hasDate) {
        undated.where += QStringLiteral(" AND pk < ?");
        undated.values = {after->pk()};
    }
    rows += m_context->fetch<Reading>(
        undated, [&](const Reading *reading) { return matches(reading, false); }, byListOrder);
    return rows;
}

QList<Reading *> ReadingHistoryModel::readUpTo(const Key &last) const
{
    if (!m_context)
        return {};
    if (!last.hasDate) {
        QList<Reading *> rows = readPage(std::nullopt, -1);
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [&](const Reading *reading) { return listedBefore(last, keyOf(reading)); }),
                   rows.end());
        return rows;
    }
    const bool favoritesOnly = m_favoritesOnly;
    const QString starred = favoritesOnly ? QStringLiteral("isFavorite = 1 AND ") : QString();
    return m_context->fetch<Reading>(
        ModelContext::RowQuery{starred + QStringLiteral("date >= ? AND (date > ? OR pk >= ?)"),
                               {last.date, last.date, last.pk()},
                               QStringLiteral("date DESC, pk DESC"),
                               -1},
        [&](const Reading *reading) {
            const Key key = keyOf(reading);
            return (!favoritesOnly || reading->isFavorite()) && key.hasDate && !listedBefore(last, key);
        },
        byListOrder);
}

bool ReadingHistoryModel::anyReadingStored() const
{
    return m_context &&
           !m_context
                ->fetch<Reading>(
                    ModelContext::RowQuery{QString(), {}, QStringLiteral("pk"), 1},
                    [](const Reading *) { return true; }, [](const Reading *, const Reading *) { return false; })
                .isEmpty();
}

void ReadingHistoryModel::reload()
{
    const int before = count();
    beginResetModel();
    m_rows = readPage(std::nullopt, m_pageSize);
    m_cursor = m_rows.isEmpty() ? std::nullopt : std::optional<Key>(keyOf(m_rows.last()));
    m_atEnd = m_rows.size() < m_pageSize;
    endResetModel();
    if (before != count())
        emit countChanged();
    updateEmptyState();
}

bool ReadingHistoryModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_context && !m_atEnd;
}

void ReadingHistoryModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || !m_context || m_atEnd)
        return;
    QList<Reading *> more = readPage(m_cursor, m_pageSize);
    m_atEnd = more.size() < m_pageSize;
    if (more.isEmpty())
        return;
    m_cursor = keyOf(more.last());
    const int first = count();
    beginInsertRows({}, first, first + int(more.size()) - 1);
    m_rows += more;
    endInsertRows();
    emit countChanged();
    updateEmptyState();
}

void ReadingHistoryModel::rowShown(int row)
{
    if (row >= count() - m_pageSize / 2 && canFetchMore())
        fetchMore();
}

void ReadingHistoryModel::refresh()
{
    if (!m_context) {
        applyRows({});
        updateEmptyState();
        return;
    }
    if (m_atEnd || !m_cursor) {
        // Everything is shown (or nothing was): read it all again, or the first page.
        const QList<Reading *> fresh = readPage(std::nullopt, m_atEnd ? -1 : m_pageSize);
        if (!m_atEnd)
            m_atEnd = fresh.size() < m_pageSize;
        applyRows(fresh);
        m_cursor = m_rows.isEmpty() ? std::nullopt : std::optional<Key>(keyOf(m_rows.last()));
    } else {
        // The rows down to the last one shown, as they are now; older ones wait for fetchMore().
        applyRows(readUpTo(*m_cursor));
        if (m_rows.size() < m_pageSize)
            fetchMore();
    }
    updateEmptyState();
}

// Moves the rows to `fresh` with the fewest row changes, so the view keeps its place and the
// delegates of the rows that stay: rows that left are removed, new ones inserted where they go.
void ReadingHistoryModel::applyRows(const QList<Reading *> &fresh)
{
    const int before = count();
    const QSet<Reading *> wanted(fresh.cbegin(), fresh.cend());
    for (int row = int(m_rows.size()) - 1; row >= 0;) {
        if (wanted.contains(m_rows.at(row))) {
            --row;
            continue;
        }
        int first = row;
        while (first > 0 && !wanted.contains(m_rows.at(first - 1)))
            --first;
        beginRemoveRows({}, first, row);
        m_rows.remove(first, row - first + 1);
        endRemoveRows();
        row = first - 1;
    }
    // What stays must keep its order among the fresh rows; a reading whose date changed may
    // have moved, and then the list starts afresh.
    bool inOrder = true;
    qsizetype next = 0;
    for (Reading *reading : std::as_const(m_rows)) {
        next = fresh.indexOf(reading, next);
        if (next < 0) {
            inOrder = false;
            break;
        }
        ++next;
    }
    if (!inOrder) {
        beginResetModel();
        m_rows = fresh;
        endResetModel();
    } else {
        // The rows kept are now a subsequence of the fresh ones: insert each run of new rows
        // before the next kept row.
        for (int row = 0; row < fresh.size();) {
            if (row < m_rows.size() && m_rows.at(row) == fresh.at(row)) {
                ++row;
                continue;
            }
            Reading *nextKept = m_rows.value(row);
            int last = row;
            while (last + 1 < fresh.size() && fresh.at(last + 1) != nextKept)
                ++last;
            beginInsertRows({}, row, last);
            for (int i = row; i <= last; ++i)
                m_rows.insert(i, fresh.at(i));
            endInsertRows();
            row = last + 1;
        }
    }
    if (before != count())
        emit countChanged();
    // A reading's own fields may have changed without moving it.
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(int(m_rows.size()) - 1));
}

void ReadingHistoryModel::updateEmptyState()
{
    EmptyState state = NotEmpty;
    if (m_rows.isEmpty())
        state = m_favoritesOnly && anyReadingStored() ? NoSaved : NoReadings;
    if (state == m_emptyState)
        return;
    m_emptyState = state;
    emit emptyStateChanged();
}

void ReadingHistoryModel::deleteRow(int row)
{
    Reading *reading = at(row);
    if (!reading || !m_context)
        return;
    DeletedReading deleted{reading->id(),    reading->spreadType(), reading->date(),
                           reading->notes(), reading->isFavorite(), {}};
    for (const DrawnCard *card : reading->drawnCards())
        deleted.cards.append({card->cardId(), card->positionId(), card->isReversed()});
    m_context->remove(reading);
    saveContext(*m_context);
    m_lastDeleted = deleted;
    emit canUndoChanged();
    refresh();
}

void ReadingHistoryModel::undoDelete()
{
    if (!m_lastDeleted || !m_context)
        return;
    const DeletedReading deleted = *m_lastDeleted;
    m_lastDeleted.reset();
    auto *reading = new Reading(deleted.spreadType);
    reading->setId(deleted.id);
    reading->setDate(deleted.date);
    reading->setNotes(deleted.notes);
    reading->setIsFavorite(deleted.isFavorite);
    m_context->insert(reading);
    for (const DeletedReading::Card &card : deleted.cards) {
        auto *drawn = new DrawnCard(card.cardId, card.positionId, card.isReversed);
        m_context->insert(drawn);
        reading->addDrawnCard(drawn);
    }
    saveContext(*m_context);
    emit canUndoChanged();
    refresh();
}

int ReadingHistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant ReadingHistoryModel::data(const QModelIndex &index, int role) const
{
    const Reading *reading = at(index.row());
    if (!index.isValid() || !reading)
        return {};
    switch (role) {
    case NotesRole:
        return reading->notes();
    case IsFavoriteRole:
        return reading->isFavorite();
    case SpreadNameRole:
        return SpreadMenu::spreadName(reading->spreadType());
    case IconNameRole:
        return SpreadMenu::iconName(reading->spreadType());
    case DateTextRole:
        return reading->date().isValid() ? DateFormat::mediumDate(reading->date().toLocalTime().date()) : QString();
    case AnswerRole:
    case AnswerColorRole: {
        const std::optional<YesNoAnswer> answer = yesNoAnswerOf(*reading, cards());
        const QString word = answer ? answer->answer : QString();
        return role == AnswerRole ? QVariant(word) : QVariant(YesNoReadingModel::answerColor(word));
    }
    case CardCountTextRole:
        return cardCountText(int(reading->drawnCards().size()));
    case AccessibleNameRole: {
        const std::optional<YesNoAnswer> answer = yesNoAnswerOf(*reading, cards());
        QStringList parts{SpreadMenu::spreadName(reading->spreadType()),
                          answer ? answer->answer : cardCountText(int(reading->drawnCards().size()))};
        if (reading->date().isValid())
            parts.append(DateFormat::mediumDate(reading->date().toLocalTime().date()));
        if (reading->isFavorite())
            parts.append(tr("starred"));
        return parts.join(QStringLiteral(", "));
    }
    default:
        return {};
    }
}

QHash<int, QByteArray> ReadingHistoryModel::roleNames() const
{
    return {{SpreadNameRole, "spreadName"},
            {IconNameRole, "iconName"},
            {DateTextRole, "dateText"},
            {AnswerRole, "answer"},
            {AnswerColorRole, "answerColor"},
            {CardCountTextRole, "cardCountText"},
            {AccessibleNameRole, "accessibleName"},
            {NotesRole, "notes"},
            {IsFavoriteRole, "isFavorite"}};
}
