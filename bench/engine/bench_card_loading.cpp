#include "CardDataStore.h"
#include "Median.h"

#include <QCoreApplication>

#include <cstdio>

// Median time to read and decode the five card files into a fresh store, from the files compiled
// into the binary or, with a directory argument, from that directory.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const ResourceLocation location = arguments.size() > 1 ? ResourceLocation(arguments.at(1)) : ResourceLocation();

    qsizetype cardCount = 0;
    const double median = medianMicroseconds(500, [&] {
        CardDataStore store(location);
        store.loadCards();
        cardCount = store.allCards().size();
    });
    std::printf("loadCards (fresh store, %lld cards from %s): median %.1f us\n", qlonglong(cardCount),
                qPrintable(location.root()), median);
    return cardCount > 0 ? 0 : 1;
}
