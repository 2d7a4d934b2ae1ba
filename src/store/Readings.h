#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

class ModelContext;
class Reading;

// The stored readings, each with its drawn cards. Lists are read over the date index without
// loading ten years of readings; unsaved changes count by their values in memory.
class Readings
{
public:
    struct Card
    {
        QString cardId;
        QString positionId;
        bool isReversed = false;
    };
    // Everything a reading holds, enough to make it again (an undone deletion).
    struct Contents
    {
        QUuid id;
        QString spreadType;
        QDateTime date;
        QString notes;
        bool isFavorite = false;
        QList<Card> cards;
        QString question;
        QString origin;
        QString outcome;
        QString lookBackOn;
        QString spreadLayout;
    };
    // A stored reading's place in the list: its store key and its date, when it has one.
    struct Listed
    {
        qint64 storeId = 0;
        bool dated = false;
        qint64 date = 0; // milliseconds since the epoch
    };

    explicit Readings(ModelContext *context) : m_context(context) {}

    // A new reading of `spreadType` dated now, with its cards in order, stored by the next save.
    Reading *record(const QString &spreadType, const QList<Card> &cards, const QString &notes = {}) const;
    static Contents contentsOf(const Reading &reading);
    // The reading `contents` describes, under its old id, stored by the next save.
    Reading *restore(const Contents &contents) const;
    // Removes a reading with its drawn cards, on disk by the next save.
    void remove(Reading *reading) const;

    // How many readings, stored or about to be, were made with this spread.
    int countOfSpread(const QString &spreadType) const;
    // The newest starred readings, at most `limit`.
    QList<Reading *> starred(int limit) const;
    // The readings to look back on by `today`: a look-back day that has come and no outcome
    // written yet, newest first, at most `limit`; and how many there are in all.
    QList<Reading *> due(QDate today, int limit) const;
    int dueCount(QDate today) const;
    // Whether any reading is stored or about to be.
    bool any() const;
    // Every stored reading as it stands on disk: dated ones newest first (the later stored first
    // among equal dates), then undated ones, the later stored first. Readings changed or removed
    // in memory are left out; pending() gives the changed and new ones.
    QList<Listed> listed(bool starredOnly) const;
    QList<Reading *> pending(bool starredOnly) const;
    // The readings with these store keys, in no particular order.
    QList<Reading *> withStoreIds(const QList<qint64> &storeIds) const;

private:
    ModelContext *m_context;
};
