#include "TenYearStore.h"

#include "CardDataStore.h"
#include "Clock.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "Reading.h"
#include "UserCardNote.h"

#include <QRandomGenerator>

bool fillTenYearStore(const QString &path, QString *error)
{
    auto context = ModelContext::open(path, error);
    if (!context)
        return false;
    // Seeded: every run of the benchmark fills the same store.
    QRandomGenerator random(20261205);
    const QList<TarotCard> &cards = CardDataStore::shared().allCards();
    const QStringList &moods = JournalEntry::moods();
    const QString sentence = QStringLiteral("Today the card spoke of patience, and I noticed how often I rush. ");
    const QDate today = Clock::today();

    for (int i = 0; i < 3650; ++i) {
        const TarotCard &card = cards.at(int(random.bounded(quint32(cards.size()))));
        auto *entry = new JournalEntry(today.addDays(-3650 + i).startOfDay());
        if (random.bounded(10) < 8)
            entry->setMood(moods.at(int(random.bounded(quint32(moods.size())))));
        entry->setDailyCardId(card.id);
        entry->setDailyCardReversed(random.bounded(2) == 1);
        entry->setJournalPrompt(card.journalPrompt);
        entry->setReflectionText(sentence.repeated(1 + int(random.bounded(6))));
        context->insert(entry);
    }
    const QStringList spreads{QStringLiteral("three_card"), QStringLiteral("yes_no"), QStringLiteral("celtic_cross")};
    const QStringList positions{QStringLiteral("past"), QStringLiteral("present"), QStringLiteral("future")};
    const QDateTime start = today.addDays(-3650).startOfDay();
    for (int i = 0; i < 20'000; ++i) {
        auto *reading = new Reading(spreads.at(i % spreads.size()));
        reading->setDate(start.addSecs(qint64(i) * 3650 * 86400 / 20'000));
        reading->setIsFavorite(i % 25 == 0);
        for (int p = 0; p < 3; ++p) {
            auto *drawn = new DrawnCard;
            drawn->setCardId(cards.at(int(random.bounded(quint32(cards.size())))).id);
            drawn->setPositionId(positions.at(p));
            drawn->setIsReversed(random.bounded(2) == 1);
            reading->addDrawnCard(drawn);
        }
        context->insert(reading);
    }
    for (int i = 0; i < 2000; ++i) {
        auto *note = new UserCardNote;
        note->setCardId(cards.at(i % cards.size()).id);
        note->setNoteText(sentence.repeated(1 + i % 4));
        note->setLastModified(start.addDays(i));
        context->insert(note);
    }
    return context->save(error);
}
