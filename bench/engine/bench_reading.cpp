#include "Median.h"
#include "ReadingEngine.h"

#include <QCoreApplication>

#include <cstdio>

// Median time of dealing one Celtic Cross with reversals allowed, and of writing its narrative,
// on the catalogue compiled into the binary or, with a directory argument, the one found there.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    CardDataStore store(arguments.size() > 1 ? ResourceLocation(arguments.at(1)) : ResourceLocation());
    store.loadCards();
    const ReadingEngine engine(store, RandomSource::system());
    const SpreadDefinition &spread = SpreadDefinition::celticCross();
    const auto sample = engine.performReading(spread, true);
    if (!sample) {
        std::fprintf(stderr, "The catalogue has %lld cards, too few for a Celtic Cross\n",
                     qlonglong(store.allCards().size()));
        return 1;
    }

    qsizetype dealt = 0;
    const double dealing =
        medianMicroseconds(20000, [&] { dealt += engine.performReading(spread, true)->cards.size(); });
    qsizetype written = 0;
    const double narrative =
        medianMicroseconds(20000, [&] { written += ReadingEngine::celticCrossNarrative(sample->cards).size(); });

    std::printf("catalogue: %lld cards\n", qlonglong(store.allCards().size()));
    std::printf("performReading (Celtic Cross, reversals allowed): median %.2f us\n", dealing);
    std::printf("celticCrossNarrative: median %.2f us\n", narrative);
    return dealt > 0 && written > 0 ? 0 : 1;
}
