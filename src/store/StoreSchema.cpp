#include "StoreSchema.h"

#include "AppSettings.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "Reading.h"
#include "SearchIndex.h"
#include "Spread.h"
#include "StoreFile.h"
#include "SyncSchema.h"
#include "UserCardNote.h"

namespace StoreSchema {

namespace {

QString columnDefinition(const QMetaProperty &property)
{
    const QString name = QString::fromLatin1(property.name());
    const QMetaType type = property.metaType();
    if (const QMetaObject *owner = linkedType(property))
        return name + QStringLiteral(" INTEGER REFERENCES %1(pk) ON DELETE CASCADE").arg(tableName(*owner));
    if (type == QMetaType::fromType<bool>())
        return name + QStringLiteral(" INTEGER NOT NULL");
    if (type == QMetaType::fromType<QDateTime>())
        return name + QStringLiteral(" INTEGER");
    return name + QStringLiteral(" TEXT");
}

// Version 2: the history lists readings by date, the journal finds entries by day and the card
// detail screen finds a card's note, each over an index instead of a full scan.
const QStringList version2Indexes{
    QStringLiteral("CREATE INDEX IF NOT EXISTS Reading_date ON Reading(date)"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS JournalEntry_date ON JournalEntry(date)"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS UserCardNote_cardId ON UserCardNote(cardId)"),
};

// Version 4: the readings to look back on are found over the few that have a day set, so a
// store with none answers at once instead of scanning every reading.
const QStringList version4Indexes{
    QStringLiteral("CREATE INDEX IF NOT EXISTS Reading_lookBackOn ON Reading(lookBackOn) WHERE lookBackOn != ''"),
};

} // namespace

const QList<RecordType> &recordTypes()
{
    static const QList<RecordType> types{
        {&Reading::staticMetaObject, [] { return static_cast<Record *>(new Reading(Record::Loading{})); }},
        {&DrawnCard::staticMetaObject, [] { return static_cast<Record *>(new DrawnCard); }},
        {&JournalEntry::staticMetaObject, [] { return static_cast<Record *>(new JournalEntry(Record::Loading{})); }},
        {&UserCardNote::staticMetaObject, [] { return static_cast<Record *>(new UserCardNote(Record::Loading{})); }},
        {&AppSettings::staticMetaObject, [] { return static_cast<Record *>(new AppSettings(Record::Loading{})); }},
        {&Spread::staticMetaObject, [] { return static_cast<Record *>(new Spread(Record::Loading{})); }},
    };
    return types;
}

const RecordType *typeFor(const QMetaObject *meta)
{
    for (const RecordType &type : recordTypes())
        if (type.meta == meta)
            return &type;
    return nullptr;
}

QString tableName(const QMetaObject &meta)
{
    return QString::fromLatin1(meta.className());
}

QList<QMetaProperty> storedProperties(const QMetaObject &meta)
{
    QList<QMetaProperty> result;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (property.isStored())
            result.append(property);
    }
    return result;
}

const QMetaObject *linkedType(const QMetaProperty &property)
{
    const QMetaType type = property.metaType();
    if (!type.flags().testFlag(QMetaType::PointerToQObject))
        return nullptr;
    const RecordType *linked = typeFor(type.metaObject());
    return linked ? linked->meta : nullptr;
}

QList<QMetaProperty> links(const QMetaObject &type)
{
    QList<QMetaProperty> result;
    for (const QMetaProperty &property : storedProperties(type))
        if (linkedType(property))
            result.append(property);
    return result;
}

Record *linked(const QMetaProperty &link, const Record *record)
{
    return qobject_cast<Record *>(link.read(record).value<QObject *>());
}

QList<Link> linksTo(const QMetaObject &owner)
{
    QList<Link> result;
    for (const RecordType &type : recordTypes())
        for (const QMetaProperty &property : links(*type.meta))
            if (linkedType(property) == &owner)
                result.append({type.meta, property});
    return result;
}

namespace {
QString createTable(const QMetaObject &type)
{
    QStringList columns{QStringLiteral("pk INTEGER PRIMARY KEY")};
    for (const QMetaProperty &property : storedProperties(type))
        columns.append(columnDefinition(property));
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
        .arg(tableName(type), columns.join(QStringLiteral(", ")));
}
} // namespace

QStringList createStatements()
{
    QStringList statements;
    for (const RecordType &type : recordTypes())
        statements.append(createTable(*type.meta));
    // Owned rows are found by their owner's key.
    for (const RecordType &type : recordTypes())
        for (const QMetaProperty &link : links(*type.meta))
            statements.append(QStringLiteral("CREATE INDEX IF NOT EXISTS %1_%2 ON %1(%2)")
                                  .arg(tableName(*type.meta), QString::fromLatin1(link.name())));
    statements.append(version2Indexes);
    statements.append(version4Indexes);
    statements.append(SearchIndex::schemaStatements());
    statements.append(SyncSchema::statements());
    statements.append(QStringLiteral("PRAGMA application_id = %1").arg(StoreFile::applicationId));
    return statements;
}

QStringList upgradeStatements(int version)
{
    switch (version) {
    case 1:
        return version2Indexes;
    // Version 3: the full-text index the search reads, built from the rows already stored.
    case 2:
        return SearchIndex::schemaStatements(false);
    // Version 4: readings written down from the user's own deck, with a question of their own,
    // and how any reading turned out, with the day to look back on it.
    case 3: {
        QStringList statements;
        for (const char *column : {"question", "origin", "outcome", "lookBackOn"})
            statements.append(QStringLiteral("ALTER TABLE Reading ADD COLUMN %1 TEXT").arg(QLatin1String(column)));
        return statements + version4Indexes + SearchIndex::readingWordsStatements();
    }
    // Version 5: spreads of the user's own design, and the copy of one that a reading keeps.
    case 4:
        return {createTable(Spread::staticMetaObject),
                QStringLiteral("ALTER TABLE Reading ADD COLUMN spreadLayout TEXT")};
    // Version 6: what the store shares with the user's other computers, and its change log.
    case 5:
        return SyncSchema::statements();
    default:
        return {};
    }
}

} // namespace StoreSchema
