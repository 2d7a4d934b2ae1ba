#pragma once

#include "SearchIndex.h"

class CardDataStore;

// The names the search index puts beside the records: every card of the catalogue, every
// spread and every position of a spread, as the screens show them.
namespace SearchNames {

QList<SearchIndex::Name> of(const CardDataStore &cards);

} // namespace SearchNames
