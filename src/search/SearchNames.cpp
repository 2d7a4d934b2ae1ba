#include "SearchNames.h"

#include "CardDataStore.h"
#include "SpreadDefinition.h"

namespace SearchNames {

QList<SearchIndex::Name> of(const CardDataStore &cards)
{
    QList<SearchIndex::Name> names;
    for (const TarotCard &card : cards.allCards())
        names.append({QStringLiteral("card:") + card.id, card.name});
    for (const SpreadDefinition &spread : SpreadDefinition::allSpreads()) {
        names.append({QStringLiteral("spread:") + spread.id, spread.name});
        for (const SpreadPosition &position : spread.positions)
            names.append({QStringLiteral("position:%1/%2").arg(spread.id, position.id), position.name});
    }
    return names;
}

} // namespace SearchNames
