#include "TenYearStore.h"

#include "AppSettings.h"
#include "CardDataStore.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "Reading.h"
#include "SpreadDefinition.h"
#include "UserCardNote.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>

namespace {

// Sentences a person might write after a reading; joined at random into reflections and notes.
const QStringList sentences{
    QStringLiteral("I drew this before work and kept thinking about it on the train."),
    QStringLiteral("The message felt gentle today, more of a nudge than a warning."),
    QStringLiteral("I keep coming back to the idea of patience and letting things ripen."),
    QStringLiteral("Talked with my sister in the evening and the card made more sense afterwards."),
    QStringLiteral("Not sure I agree with it, but I will sit with the question for a while."),
    QStringLiteral("It reminded me to rest instead of pushing through another long day."),
    QStringLiteral("There was a moment at lunch when I noticed how tense my shoulders were."),
    QStringLiteral("The garden is finally coming back after the frost, and so am I."),
    QStringLiteral("I wrote three things I am grateful for and one thing I want to let go of."),
    QStringLiteral("A difficult conversation went better than I feared."),
    QStringLiteral("The reversed meaning fit better than the upright one did."),
    QStringLiteral("Money worries again; the card asked me to look at what I actually control."),
    QStringLiteral("Walked by the river and tried not to plan anything at all."),
    QStringLiteral("I noticed I was waiting for permission that nobody needs to give me."),
    QStringLiteral("Small progress on the project, and I want to remember that it counts."),
    QStringLiteral("The imagery of the card stayed with me: the water, the quiet figure, the open sky."),
    QStringLiteral("Slept badly, felt scattered, and still found a calm hour in the afternoon."),
    QStringLiteral("Tomorrow I want to start with the hardest task instead of avoiding it."),
    QStringLiteral("An old friend wrote out of the blue, which felt like an answer."),
    QStringLiteral("I am learning that an ending can also be a kind of room to breathe."),
};

QString prose(std::mt19937 &random, int minSentences, int maxSentences)
{
    std::uniform_int_distribution<int> count(minSentences, maxSentences);
    std::uniform_int_distribution<int> pick(0, int(sentences.size()) - 1);
    std::uniform_int_distribution<int> paragraph(0, 4);
    QString text;
    for (int n = count(random), i = 0; i < n; ++i) {
        if (!text.isEmpty())
            text += paragraph(random) == 0 ? QStringLiteral("\n\n") : QStringLiteral(" ");
        text += sentences.at(pick(random));
    }
    return text;
}

} // namespace

bool writeTenYearStore(const QString &path, QString *error)
{
    QString ignored;
    if (!error)
        error = &ignored;
    CardDataStore cards;
    cards.loadCards();
    const QList<TarotCard> &deck = cards.allCards();
    if (deck.size() < 10) {
        *error = QStringLiteral("the catalogue has too few cards");
        return false;
    }

    auto context = ModelContext::open(path, error);
    if (!context)
        return false;

    std::mt19937 random(20260101); // the same store on every run
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<int> cardIndex(0, int(deck.size()) - 1);
    const QDate today = QDate::currentDate();
    const QDate firstDay = today.addDays(-3649);
    std::uniform_int_distribution<int> dayOffset(0, 3649);
    std::uniform_int_distribution<int> secondOfDay(7 * 3600, 23 * 3600);

    // Readings: the spreads in their real proportions, shuffled, on random days and times.
    QList<const SpreadDefinition *> spreads;
    spreads.fill(&SpreadDefinition::yesNo(), 10500);
    spreads.append(QList<const SpreadDefinition *>(6500, &SpreadDefinition::threeCard()));
    spreads.append(QList<const SpreadDefinition *>(3000, &SpreadDefinition::celticCross()));
    std::shuffle(spreads.begin(), spreads.end(), random);
    QList<int> order(deck.size());
    std::iota(order.begin(), order.end(), 0);
    for (const SpreadDefinition *spread : std::as_const(spreads)) {
        auto *reading = new Reading(spread->id);
        reading->setDate(QDateTime(firstDay.addDays(dayOffset(random)), QTime(0, 0)).addSecs(secondOfDay(random)));
        reading->setIsFavorite(percent(random) < 6);
        if (spread->id == QLatin1String("yes_no") ? percent(random) < 40 : percent(random) < 15)
            reading->setNotes(prose(random, 1, 3));
        std::shuffle(order.begin(), order.end(), random);
        for (int i = 0; i < spread->positions.size(); ++i)
            reading->addDrawnCard(
                new DrawnCard(deck.at(order.at(i)).id, spread->positions.at(i).id, percent(random) < 50));
        context->insert(reading);
    }

    // One journal entry a day, almost always with a card, most with a mood and a reflection.
    const QStringList &moods = JournalEntry::moods();
    std::uniform_int_distribution<int> moodIndex(0, int(moods.size()) - 1);
    for (QDate day = firstDay; day <= today; day = day.addDays(1)) {
        auto *entry = new JournalEntry(QDateTime(day, QTime(12, 0)));
        if (percent(random) < 95) {
            const TarotCard &card = deck.at(cardIndex(random));
            entry->setDailyCardId(card.id);
            entry->setDailyCardReversed(percent(random) < 50);
            entry->setJournalPrompt(card.journalPrompt);
        }
        if (percent(random) < 85)
            entry->setMood(moods.at(moodIndex(random)));
        if (percent(random) < 80)
            entry->setReflectionText(prose(random, 2, 14));
        context->insert(entry);
    }

    for (int i = 0; i < 2000; ++i) {
        auto *note = new UserCardNote(deck.at(cardIndex(random)).id, prose(random, 1, 8));
        note->setLastModified(QDateTime(firstDay.addDays(dayOffset(random)), QTime(0, 0)).addSecs(secondOfDay(random)));
        context->insert(note);
    }
    context->insert(new AppSettings);

    return context->save(error);
}

bool prepareWorkingStore(const QString &given, const QString &path)
{
    QString error;
    if (given.isEmpty()) {
        std::printf("filling a ten-year store...\n");
        if (!writeTenYearStore(path, &error)) {
            std::fprintf(stderr, "cannot write the store: %s\n", qPrintable(error));
            return false;
        }
        return true;
    }
    if (!QFile::exists(given) && !writeTenYearStore(given, &error)) {
        std::fprintf(stderr, "cannot write the store: %s\n", qPrintable(error));
        return false;
    }
    if (!QFile::copy(given, path)) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(given));
        return false;
    }
    return true;
}
