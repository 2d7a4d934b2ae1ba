#pragma once

#include "ModelContext.h"
#include "ReadingEngine.h"
#include "Readings.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QPointer>
#include <QUuid>
#include <QtQml/qqmlregistration.h>

#include <limits>
#include <optional>

class Reading;
Q_MOC_INCLUDE("Reading.h")

// Every stored reading, newest first, or only the starred ones. Ten years of use are 20,000
// readings, so the list knows every row's place from the start (one read of the keys and dates
// over the date index) and reads a row's reading, with its drawn cards, a page at a time as the
// view shows it. The scroll bar is true from the first frame and any row is one page read away.
// It follows the store live: a reading stored, starred or deleted anywhere changes the rows at
// once, and the rows that stay keep their place.
class ReadingHistoryModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(bool showFavoritesOnly READ showFavoritesOnly WRITE setShowFavoritesOnly NOTIFY showFavoritesOnlyChanged)
    Q_PROPERTY(QString title READ title NOTIFY showFavoritesOnlyChanged)
    Q_PROPERTY(QString filterSymbol READ filterSymbol NOTIFY showFavoritesOnlyChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(EmptyState emptyState READ emptyState NOTIFY emptyStateChanged)
    Q_PROPERTY(QString emptySymbol READ emptySymbol NOTIFY emptyStateChanged)
    Q_PROPERTY(QString emptyTitle READ emptyTitle NOTIFY emptyStateChanged)
    Q_PROPERTY(QString emptyMessage READ emptyMessage NOTIFY emptyStateChanged)
    Q_PROPERTY(bool canUndo READ canUndo NOTIFY canUndoChanged)

public:
    enum Roles {
        // Plain values, not the record: a row never holds a script wrapper of its reading, so
        // scrolling through years of readings leaves nothing behind for the collector to walk.
        SpreadNameRole = Qt::UserRole + 1,
        IconNameRole,
        DateTextRole,
        AnswerRole, // "Yes", "No", "Maybe", or empty when the row shows the card count
        CardCountTextRole,
        AccessibleNameRole,
        NotesRole,
        IsFavoriteRole,
        MonthRole, // "December 2026": the section the row is listed under
    };

    enum EmptyState {
        NotEmpty,
        NoReadings, // nothing stored at all
        NoSaved,    // readings stored, none of them starred, and the filter is on
    };
    Q_ENUM(EmptyState)

    // Where a reading stands in the list: newest date first, then the later stored first.
    // Readings not yet saved count as stored after every saved one, in the order they were
    // inserted (as the save will store them); readings without a date come at the end.
    struct Key
    {
        bool hasDate = false;
        qint64 date = 0;
        bool saved = false;
        qint64 order = 0; // the store's key once saved; before, the place among unsaved ones
    };
    static Key keyOf(const Reading *reading);
    // Whether `a` is listed above `b`.
    static bool listedBefore(const Key &a, const Key &b);

    // The answer a yes/no reading's row shows: its first drawn card's answer, when the card is
    // in the catalogue. Nothing for any other reading.
    static std::optional<YesNoAnswer> yesNoAnswerOf(const Reading &reading, const CardDataStore &cards);
    // "3 cards".
    static QString cardCountText(int count);
    // "December 2026", in the locale's words; empty for no date.
    static QString monthTitle(const QDateTime &date);

    static constexpr int defaultPageSize = 40;

    explicit ReadingHistoryModel(QObject *parent = nullptr);
    // For C++: rows name the cards of `cardStore`, which must outlive the model.
    ReadingHistoryModel(CardDataStore &cardStore, ModelContext *context, QObject *parent = nullptr);
    ~ReadingHistoryModel() override;

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    bool showFavoritesOnly() const { return m_favoritesOnly; }
    void setShowFavoritesOnly(bool on);
    QString title() const;
    QString filterSymbol() const;
    int count() const { return int(m_entries.size()); }
    EmptyState emptyState() const { return m_emptyState; }
    QString emptySymbol() const;
    QString emptyTitle() const;
    QString emptyMessage() const;
    bool canUndo() const { return m_lastDeleted.has_value(); }
    // How many readings one read brings in.
    int pageSize() const { return m_pageSize; }
    void setPageSize(int rows) { m_pageSize = std::max(1, rows); }
    // How many rows have their reading read so far.
    int rowsRead() const;

    // Every row's reading, each page read (for tests and small lists).
    QList<Reading *> readings() const;
    // The reading at `row`, read with its page when not yet read.
    Q_INVOKABLE Reading *at(int row) const;

    // The months that have readings, newest first, each as {"title", "row", "count"}: the
    // first row of the month and how many rows it holds. For jumping to a month.
    Q_INVOKABLE QVariantList months() const;

    // The star in the toolbar: all readings or only the starred ones.
    Q_INVOKABLE void toggleFavoritesOnly() { setShowFavoritesOnly(!m_favoritesOnly); }
    // Deletes the reading shown at `row` (its drawn cards go with it) and saves. The deletion
    // can be taken back with undoDelete() until the next one.
    Q_INVOKABLE void deleteRow(int row);
    // Stores the last deleted reading again, with its identifier, cards, notes and star.
    Q_INVOKABLE void undoDelete();

    // Reads the store again for the rows shown (done by itself when the context reports a change).
    void refresh();

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void modelContextChanged();
    void showFavoritesOnlyChanged();
    void countChanged();
    void emptyStateChanged();
    void canUndoChanged();

private:
    // One row: where it is listed, and the reading when it lives in memory unsaved (or changed).
    struct Entry
    {
        Key key;
        qint64 pk = 0;
        QPointer<Reading> pending;
        // Which reading the row is, across reads: the store key once there is one.
        qint64 identity() const;
    };

    CardDataStore &cards() const;
    // Every row in list order: the stored keys and dates, merged with the readings in memory.
    QList<Entry> readEntries() const;
    // Reads the readings of the page holding `row` that are not read yet.
    void readPageOf(int row) const;
    bool anyReadingStored() const;
    void reload();
    void applyEntries(const QList<Entry> &fresh);
    void updateEmptyState();

    mutable CardDataStore *m_cardStore = nullptr;
    QPointer<ModelContext> m_context;
    bool m_favoritesOnly = false;
    int m_pageSize = defaultPageSize;
    QList<Entry> m_entries;
    // The readings read so far, by store key.
    mutable QHash<qint64, QPointer<Reading>> m_read;
    EmptyState m_emptyState = NoReadings;
    std::optional<Readings::Contents> m_lastDeleted;
};
