#include "ReadingHistoryModel.h"

#include "CardDataStore.h"
#include "DateFormat.h"
#include "DrawnCard.h"
#include "Reading.h"
#include "Readings.h"
#include "SpreadBook.h"
#include "SpreadDefinition.h"
#include "StoreLog.h"
#include "YesNoReadingModel.h"

#include <QLocale>
#include <QSet>

#include <algorithm>
#include <iterator>

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

qint64 ReadingHistoryModel::Entry::identity() const
{
    if (pk != 0)
        return pk;
    // A reading saved since this row was made is known by its new key.
    if (pending && pending->storeId() != 0)
        return pending->storeId();
    return -qint64(quintptr(pending.data()));
}

QString ReadingHistoryModel::monthTitle(const QDateTime &date)
{
    return date.isValid() ? QLocale().toString(date.toLocalTime().date(), QStringLiteral("MMMM yyyy")) : QString();
}

int ReadingHistoryModel::rowsRead() const
{
    int read = 0;
    for (const Entry &entry : m_entries)
        read += entry.pending || (m_read.value(entry.pk) != nullptr);
    return read;
}

QList<Reading *> ReadingHistoryModel::readings() const
{
    QList<Reading *> all;
    all.reserve(m_entries.size());
    for (int row = 0; row < m_entries.size(); ++row)
        all.append(at(row));
    return all;
}

Reading *ReadingHistoryModel::at(int row) const
{
    if (row < 0 || row >= m_entries.size())
        return nullptr;
    const Entry &entry = m_entries.at(row);
    if (entry.pending)
        return entry.pending;
    if (Reading *reading = m_read.value(entry.pk))
        return reading;
    readPageOf(row);
    return m_read.value(entry.pk);
}

void ReadingHistoryModel::readPageOf(int row) const
{
    if (!m_context)
        return;
    const int first = row / m_pageSize * m_pageSize;
    const int last = std::min(int(m_entries.size()), first + m_pageSize);
    QList<qint64> keys;
    for (int i = first; i < last; ++i) {
        const Entry &entry = m_entries.at(i);
        if (!entry.pending && !m_read.value(entry.pk))
            keys.append(entry.pk);
    }
    for (Reading *reading : Readings(m_context).withStoreIds(keys))
        m_read.insert(reading->storeId(), reading);
}

// Dated readings come over the date index, newest first, the later stored first among equal
// dates; readings without a date follow, the later stored first. Readings in memory that the
// store does not hold as they are now are placed by their values in memory.
QList<ReadingHistoryModel::Entry> ReadingHistoryModel::readEntries() const
{
    QList<Entry> stored;
    if (!m_context)
        return stored;
    const Readings readings(m_context);
    const QList<Readings::Listed> listed = readings.listed(m_favoritesOnly);
    stored.reserve(listed.size());
    for (const Readings::Listed &row : listed)
        stored.append({Key{row.dated, row.date, true, row.storeId}, row.storeId, nullptr});

    QList<Entry> inMemory;
    for (Reading *reading : readings.pending(m_favoritesOnly))
        inMemory.append({keyOf(reading), 0, reading});
    if (inMemory.isEmpty())
        return stored;
    const auto before = [](const Entry &a, const Entry &b) { return listedBefore(a.key, b.key); };
    std::sort(inMemory.begin(), inMemory.end(), before);
    QList<Entry> merged;
    merged.reserve(stored.size() + inMemory.size());
    std::merge(stored.cbegin(), stored.cend(), inMemory.cbegin(), inMemory.cend(), std::back_inserter(merged), before);
    return merged;
}

QVariantList ReadingHistoryModel::months() const
{
    QVariantList result;
    // Rows are newest first, so each month is one run of rows: a date is only turned into a
    // calendar month where it falls before the start of the month being counted.
    qint64 monthStart = std::numeric_limits<qint64>::max();
    QString title;
    int first = 0;
    const auto close = [&](int end) {
        if (!title.isEmpty())
            result.append(QVariantMap{{QStringLiteral("title"), title},
                                      {QStringLiteral("row"), first},
                                      {QStringLiteral("count"), end - first}});
    };
    int row = 0;
    for (; row < m_entries.size(); ++row) {
        const Key &key = m_entries.at(row).key;
        if (!key.hasDate)
            break;
        if (key.date < monthStart) {
            close(row);
            const QDateTime date = QDateTime::fromMSecsSinceEpoch(key.date).toLocalTime();
            monthStart = QDate(date.date().year(), date.date().month(), 1).startOfDay().toMSecsSinceEpoch();
            title = monthTitle(date);
            first = row;
        }
    }
    close(row);
    return result;
}

bool ReadingHistoryModel::anyReadingStored() const
{
    return Readings(m_context).any();
}

void ReadingHistoryModel::reload()
{
    const int before = count();
    beginResetModel();
    m_read.clear();
    m_entries = readEntries();
    endResetModel();
    if (before != count())
        emit countChanged();
    updateEmptyState();
}

void ReadingHistoryModel::refresh()
{
    applyEntries(readEntries());
    updateEmptyState();
}

// Moves the rows to `fresh` with the fewest row changes, so the view keeps its place and the
// delegates of the rows that stay: rows that left are removed, new ones inserted where they go.
void ReadingHistoryModel::applyEntries(const QList<Entry> &fresh)
{
    const int before = count();
    QSet<qint64> wanted;
    wanted.reserve(fresh.size());
    for (const Entry &entry : fresh)
        wanted.insert(entry.identity());
    for (int row = int(m_entries.size()) - 1; row >= 0;) {
        if (wanted.contains(m_entries.at(row).identity())) {
            --row;
            continue;
        }
        int first = row;
        while (first > 0 && !wanted.contains(m_entries.at(first - 1).identity()))
            --first;
        beginRemoveRows({}, first, row);
        m_entries.remove(first, row - first + 1);
        endRemoveRows();
        row = first - 1;
    }
    // What stays must keep its order among the fresh rows; a reading whose date changed may
    // have moved, and then the list starts afresh.
    QList<qint64> freshIds;
    freshIds.reserve(fresh.size());
    for (const Entry &entry : fresh)
        freshIds.append(entry.identity());
    bool inOrder = true;
    qsizetype next = 0;
    for (const Entry &entry : std::as_const(m_entries)) {
        next = freshIds.indexOf(entry.identity(), next);
        if (next < 0) {
            inOrder = false;
            break;
        }
        ++next;
    }
    if (!inOrder) {
        beginResetModel();
        m_entries = fresh;
        endResetModel();
    } else {
        // The rows kept are now a subsequence of the fresh ones: insert each run of new rows
        // before the next kept row, and take the fresh key and place of every kept one.
        for (int row = 0; row < fresh.size();) {
            if (row < m_entries.size() && m_entries.at(row).identity() == freshIds.at(row)) {
                m_entries[row] = fresh.at(row);
                ++row;
                continue;
            }
            const qint64 nextKept = row < m_entries.size() ? m_entries.at(row).identity() : 0;
            int last = row;
            while (last + 1 < fresh.size() && (row >= m_entries.size() || freshIds.at(last + 1) != nextKept))
                ++last;
            beginInsertRows({}, row, last);
            for (int i = row; i <= last; ++i)
                m_entries.insert(i, fresh.at(i));
            endInsertRows();
            row = last + 1;
        }
    }
    // Forget readings that are no longer listed; the rest stay read.
    for (auto it = m_read.begin(); it != m_read.end();)
        it = (!it.value() || !wanted.contains(it.key())) ? m_read.erase(it) : std::next(it);
    if (before != count())
        emit countChanged();
    // A reading's own fields may have changed without moving it.
    if (!m_entries.isEmpty())
        emit dataChanged(index(0), index(int(m_entries.size()) - 1));
}

void ReadingHistoryModel::updateEmptyState()
{
    EmptyState state = NotEmpty;
    if (m_entries.isEmpty())
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
    const Readings readings(m_context);
    const Readings::Contents deleted = Readings::contentsOf(*reading);
    readings.remove(reading);
    saveContext(*m_context);
    m_lastDeleted = deleted;
    emit canUndoChanged();
    refresh();
}

void ReadingHistoryModel::undoDelete()
{
    if (!m_lastDeleted || !m_context)
        return;
    const Readings::Contents deleted = *m_lastDeleted;
    m_lastDeleted.reset();
    Readings(m_context).restore(deleted);
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
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    if (role == MonthRole) {
        const Key &key = m_entries.at(index.row()).key;
        return key.hasDate ? monthTitle(QDateTime::fromMSecsSinceEpoch(key.date)) : tr("Undated");
    }
    const Reading *reading = at(index.row());
    if (!reading)
        return {};
    switch (role) {
    case NotesRole:
        return reading->notes();
    case IsFavoriteRole:
        return reading->isFavorite();
    case SpreadNameRole:
        return SpreadBook::nameOf(*reading);
    case IconNameRole:
        return SpreadBook::iconOf(*reading);
    case DateTextRole:
        return reading->date().isValid() ? DateFormat::mediumDate(reading->date().toLocalTime().date()) : QString();
    case AnswerRole: {
        const std::optional<YesNoAnswer> answer = yesNoAnswerOf(*reading, cards());
        return answer ? answer->answer : QString();
    }
    case CardCountTextRole:
        return cardCountText(int(reading->drawnCards().size()));
    case AccessibleNameRole: {
        const std::optional<YesNoAnswer> answer = yesNoAnswerOf(*reading, cards());
        QStringList parts{SpreadBook::nameOf(*reading),
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
    return {
        {SpreadNameRole, "spreadName"}, {IconNameRole, "iconName"},           {DateTextRole, "dateText"},
        {AnswerRole, "answer"},         {CardCountTextRole, "cardCountText"}, {AccessibleNameRole, "accessibleName"},
        {NotesRole, "notes"},           {IsFavoriteRole, "isFavorite"},       {MonthRole, "month"}};
}
