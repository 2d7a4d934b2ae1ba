#pragma once

#include "AppSettings.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "OtherConnection.h"
#include "Reading.h"

#include <QFile>

// Overwrites one leaf page of `table` in the middle of the table with garbage, as a failing disk
// would. The store must be closed.
inline bool damagePageOf(const QString &path, const QString &table)
{
    qint64 page = 0, pageSize = 0;
    {
        OtherConnection db(path, QStringLiteral("damage"));
        const QVariantList leaves = db.column(
            QStringLiteral("SELECT pageno FROM dbstat WHERE name = '%1' AND pagetype = 'leaf' ORDER BY pageno")
                .arg(table));
        page = leaves.value(leaves.size() / 2).toLongLong();
        pageSize = db.scalar(QStringLiteral("PRAGMA page_size")).toLongLong();
    }
    QFile file(path);
    if (page < 2 || pageSize == 0 || !file.open(QIODevice::ReadWrite) || !file.seek((page - 1) * pageSize))
        return false;
    return file.write(QByteArray(pageSize, '\xA5')) == pageSize;
}

// A store with some history: 300 readings, 100 journal entries, and the settings record unless
// `withSettings` is false.
inline bool writeStoreWithHistory(const QString &path, bool withSettings = true)
{
    {
        auto context = ModelContext::open(path, nullptr);
        if (!context)
            return false;
        if (withSettings)
            context->insert(new AppSettings);
        for (int i = 0; i < 300; ++i) {
            auto *reading = new Reading(QStringLiteral("three_card"));
            reading->setNotes(QStringLiteral("Reading number %1, kept for later.").arg(i));
            for (const char *position : {"past", "present", "future"})
                reading->addDrawnCard(new DrawnCard(QStringLiteral("cups_07"), QString::fromLatin1(position), false));
            context->insert(reading);
        }
        for (int i = 0; i < 100; ++i) {
            auto *entry = new JournalEntry(QDateTime(QDate(2025, 1, 1).addDays(i), QTime(8, 0)));
            entry->setReflectionText(QStringLiteral("A long and quiet day by the sea. ").repeated(12));
            context->insert(entry);
        }
        if (!context->save())
            return false;
    }
    return true;
}

// The store with history in which one page of `table` has been overwritten, as a failing disk
// would leave it.
inline bool writeDamagedStore(const QString &path, const QString &table, bool withSettings = true)
{
    return writeStoreWithHistory(path, withSettings) && damagePageOf(path, table);
}
