#pragma once

#include "CardDataStore.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "Reading.h"
#include "UserCardNote.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

#include <cstdio>
#include <ctime>
#include <vector>

// What the library benchmarks share: a store holding ten years of use, and timing helpers.
namespace TenYearStore {

// Words the generated notes are made of; none of them contains the benchmark's search words.
inline const QStringList &noteWords()
{
    static const QStringList words{
        "morning", "river",   "quiet",   "letter",   "window",  "garden", "promise", "journey", "friend",
        "winter",  "harvest", "doorway", "patience", "courage", "lamp",   "bridge",  "storm",   "seed",
        "mirror",  "ribbon",  "orchard", "tide",     "compass", "hearth", "meadow",  "thread",  "harbour",
        "feather", "stone",   "evening", "question", "answer",  "path",   "kitchen", "music",   "silence"};
    return words;
}

// A note of 8 to 120 words from the list, different for every index.
inline QString noteText(int index)
{
    QRandomGenerator random(quint32(index) * 2654435761u + 7u);
    const int count = 8 + int(random.bounded(113));
    QStringList words;
    for (int i = 0; i < count; ++i)
        words.append(noteWords().at(int(random.bounded(qsizetype(noteWords().size())))));
    QString text = words.join(QLatin1Char(' '));
    text[0] = text[0].toUpper();
    return text + QLatin1Char('.');
}

// Fills `path` with 20,000 readings holding 60,000 drawn cards, 3,650 journal entries with
// reflections and 2,000 card notes spread over all the cards. Returns false with a message on
// failure.
inline bool fill(const QString &path)
{
    QString error;
    auto context = ModelContext::open(path, &error);
    if (!context) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    const QList<TarotCard> &cards = CardDataStore::shared().allCards();
    const QDateTime start(QDate(2016, 1, 1), QTime(8, 0));
    // 2,000 Celtic Crosses, 11,000 three-card and 7,000 yes/no readings: 60,000 drawn cards.
    const struct
    {
        const char *spread;
        int readings;
        QStringList positions;
    } mix[] = {{"celtic_cross",
                2000,
                {"present", "crossing", "foundation", "recent_past", "crown", "near_future", "self", "environment",
                 "hopes_fears", "outcome"}},
               {"three_card", 11000, {"past", "present", "future"}},
               {"yes_no", 7000, {"answer"}}};
    int made = 0;
    for (const auto &kind : mix) {
        for (int i = 0; i < kind.readings; ++i, ++made) {
            auto *reading = new Reading(QString::fromLatin1(kind.spread));
            reading->setDate(start.addSecs(qint64(made) * 15768));
            reading->setIsFavorite(made % 40 == 0);
            context->insert(reading);
            for (int p = 0; p < kind.positions.size(); ++p) {
                auto *card = new DrawnCard(cards.at((made * 7 + p) % cards.size()).id, kind.positions.at(p),
                                           (made + p) % 3 == 0);
                context->insert(card);
                reading->addDrawnCard(card);
            }
        }
    }
    for (int day = 0; day < 3650; ++day) {
        auto *entry = new JournalEntry(start.addDays(day));
        entry->setDailyCardId(cards.at(day % cards.size()).id);
        entry->setReflectionText(noteText(100000 + day));
        context->insert(entry);
    }
    for (int i = 0; i < 2000; ++i)
        context->insert(new UserCardNote(cards.at(i % cards.size()).id, noteText(i)));
    if (!context->save(&error)) {
        std::fprintf(stderr, "cannot fill %s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    return true;
}

// CPU time of the calling thread in milliseconds: on a shared machine it leaves out the time
// other processes hold the processor.
inline double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Summary
{
    double median = 0;
    double p90 = 0;
    double worst = 0;
};

inline Summary summarise(std::vector<double> values)
{
    Summary s;
    if (values.empty())
        return s;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.p90 = values[std::min(n - 1, size_t(double(n) * 0.9))];
    s.worst = values.back();
    return s;
}

} // namespace TenYearStore
