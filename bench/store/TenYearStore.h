#pragma once

#include <QString>

// Writes a new store holding ten years of daily use, the one every benchmark measures against:
// 20,000 readings (10,500 yes/no, 6,500 past-present-future, 3,000 Celtic Cross: 60,000 drawn
// cards) spread over the last ten years, one journal entry a day up to today, 2,000 card notes
// and the settings record. Records go through ModelContext, so the file has exactly the
// application's schema; the same seed makes the same store every time. False, with the reason
// in `error`, when it cannot be written.
bool writeTenYearStore(const QString &path, QString *error);

// Puts at `path` a working copy of the ten-year store `given` (written there first when it does
// not exist), or a freshly written store when `given` is empty; benchmarks write to the copy, so
// the given store stays as it was. False, with the reason printed, on failure.
bool prepareWorkingStore(const QString &given, const QString &path);
