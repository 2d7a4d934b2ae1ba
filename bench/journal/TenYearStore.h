#pragma once

#include <QString>

// Fills a store with ten years of daily use: 20,000 readings with 60,000 drawn cards, 3,650
// journal entries (one a day up to yesterday, most with a mood, a card, a prompt and a
// reflection) and 2,000 card notes. Returns false, with the reason in `error`, when the store
// cannot be opened or saved.
bool fillTenYearStore(const QString &path, QString *error);
