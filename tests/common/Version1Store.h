#pragma once

#include "OtherConnection.h"

#include <QString>

// Writes a store at `path` exactly as the first release did (schema version 1), holding one
// record of every type. Returns false if a statement failed.
inline bool writeVersion1Store(const QString &path)
{
    OtherConnection old(path, QStringLiteral("version1"));
    const QString version1 = QStringLiteral(R"(PRAGMA application_id = 1364476242;
PRAGMA user_version = 1;
CREATE TABLE Reading (pk INTEGER PRIMARY KEY, id TEXT, spreadType TEXT, date INTEGER, notes TEXT,
  isFavorite INTEGER NOT NULL);
CREATE TABLE DrawnCard (pk INTEGER PRIMARY KEY, cardId TEXT, positionId TEXT, isReversed INTEGER NOT NULL,
  reading INTEGER REFERENCES Reading(pk) ON DELETE CASCADE);
CREATE TABLE JournalEntry (pk INTEGER PRIMARY KEY, id TEXT, date INTEGER, dailyCardId TEXT,
  dailyCardReversed INTEGER NOT NULL, reflectionText TEXT, mood TEXT, journalPrompt TEXT);
CREATE TABLE UserCardNote (pk INTEGER PRIMARY KEY, id TEXT, cardId TEXT, noteText TEXT, lastModified INTEGER);
CREATE TABLE AppSettings (pk INTEGER PRIMARY KEY, allowReversedCards INTEGER NOT NULL,
  dailyReminderEnabled INTEGER NOT NULL, dailyReminderTime INTEGER, hasCompletedOnboarding INTEGER NOT NULL,
  soundEnabled INTEGER NOT NULL, activeDeckTheme TEXT, guidedReadingMode INTEGER NOT NULL);
CREATE INDEX DrawnCard_reading ON DrawnCard(reading);
PRAGMA journal_mode = WAL;
INSERT INTO Reading VALUES (1, '6f1c1d6e-5a0b-4d36-9c51-0f2b8f1e7a10', 'yes_no', 1780000000000, 'Will it rain?', 1);
INSERT INTO DrawnCard VALUES (1, 'cups_03', 'answer', 1, 1);
INSERT INTO JournalEntry VALUES (1, 'b3c8d1f2-1111-4a5b-8c9d-0e1f2a3b4c5d', 1779919200000, 'major_17', 0,
  'Clear skies.', 'Hopeful', NULL);
INSERT INTO UserCardNote VALUES (1, 'c0ffee00-2222-4a5b-8c9d-0e1f2a3b4c5d', 'major_17', 'Hope after the storm.',
  1779919200000);
INSERT INTO AppSettings VALUES (1, 0, 1, 1779951600000, 0, 1, 'dark-art-nouveau', 1))");
    for (const QString &sql : version1.split(QLatin1Char(';')))
        if (!old.exec(sql.trimmed()))
            return false;
    return true;
}
