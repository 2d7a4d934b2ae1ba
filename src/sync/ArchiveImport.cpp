#include "AppSettings.h"
#include "ArchiveReader.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "PerceivedText.h"
#include "Reading.h"
#include "Spread.h"
#include "StoreBackups.h"
#include "UserCardNote.h"

#include <QFileInfo>

#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

enum class Join { Unchanged, Joined, TooLong };

// Two copies of one text, neither known to be the later: the one that holds the other is kept
// (a text written on further elsewhere replaces its beginning here), otherwise the archive's is
// added below this one. Nothing either side wrote is lost, and joining again changes nothing.
Join joinText(QString &ours, const QString &theirs)
{
    if (theirs.isEmpty() || ours.contains(theirs))
        return Join::Unchanged;
    const QString joined = theirs.contains(ours) ? theirs : ours + u"\n\n"_s + theirs;
    // A joined text past the limit would be cut when next edited: the record is left alone
    // and the caller says so.
    if (PerceivedText::length(joined) > ArchiveReader::maxTextLength)
        return Join::TooLong;
    ours = joined;
    return Join::Joined;
}

// Joins what `incoming` says about a day to `local`: the reflections as joinText() does, the
// card and the mood only where `local` has none.
Join joinEntry(JournalEntry &local, const JournalEntry &incoming)
{
    QString reflection = local.reflectionText();
    const Join text = joinText(reflection, incoming.reflectionText());
    if (text == Join::TooLong)
        return Join::TooLong;
    bool changed = text == Join::Joined;
    local.setReflectionText(reflection);
    if (local.dailyCardId().isEmpty() && !incoming.dailyCardId().isEmpty()) {
        local.setDailyCardId(incoming.dailyCardId());
        local.setDailyCardReversed(incoming.dailyCardReversed());
        local.setJournalPrompt(incoming.journalPrompt());
        changed = true;
    }
    if (local.mood().isEmpty() && !incoming.mood().isEmpty()) {
        local.setMood(incoming.mood());
        changed = true;
    }
    return changed ? Join::Joined : Join::Unchanged;
}

// The same reading in both: its cards stay as they are here, its question, notes and outcome
// are joined, a star given on either side is kept, and a day to look back on fills in only
// where this copy has none.
Join joinReading(Reading &local, const Reading &incoming)
{
    QString question = local.question();
    QString notes = local.notes();
    QString outcome = local.outcome();
    const Join texts[] = {joinText(question, incoming.question()), joinText(notes, incoming.notes()),
                          joinText(outcome, incoming.outcome())};
    if (std::find(std::begin(texts), std::end(texts), Join::TooLong) != std::end(texts))
        return Join::TooLong;
    bool changed = std::find(std::begin(texts), std::end(texts), Join::Joined) != std::end(texts);
    local.setQuestion(question);
    local.setNotes(notes);
    local.setOutcome(outcome);
    if (incoming.isFavorite() && !local.isFavorite()) {
        local.setIsFavorite(true);
        changed = true;
    }
    if (local.spreadLayout().isEmpty() && !incoming.spreadLayout().isEmpty()) {
        local.setSpreadLayout(incoming.spreadLayout());
        changed = true;
    }
    if (local.lookBackOn().isEmpty() && !incoming.lookBackOn().isEmpty()) {
        local.setLookBackOn(incoming.lookBackOn());
        changed = true;
    }
    return changed ? Join::Joined : Join::Unchanged;
}

void count(Join join, ArchiveImport::Summary &counts, QList<QDate> &notJoined, const QDate &day)
{
    switch (join) {
    case Join::Unchanged:
        ++counts.unchanged;
        break;
    case Join::Joined:
        ++counts.updated;
        break;
    case Join::TooLong:
        notJoined.append(day);
        break;
    }
}

} // namespace

bool ArchiveImport::merge(ModelContext &context, ArchiveReader::Contents &contents, Summary *summary, QString *error)
{
    Summary counts;
    if (contents.settings) {
        if (context.fetch<AppSettings>().isEmpty()) {
            context.insert(contents.settings);
            ++counts.added;
        } else {
            ++counts.unchanged;
        }
    }

    // The journal keeps one entry a day. An archive's entry for a day that has one here, under
    // its identifier or another (both computers were used that day), joins it.
    QHash<QUuid, JournalEntry *> entriesById;
    QHash<QDate, JournalEntry *> entriesByDay;
    for (JournalEntry *entry : context.fetch<JournalEntry>()) {
        entriesById.insert(entry->id(), entry);
        entriesByDay.insert(entry->date().toLocalTime().date(), entry);
    }
    for (JournalEntry *entry : std::as_const(contents.journalEntries)) {
        const QDate day = entry->date().toLocalTime().date();
        JournalEntry *local = entriesById.value(entry->id(), entriesByDay.value(day));
        if (local) {
            count(joinEntry(*local, *entry), counts, counts.notJoined, local->date().toLocalTime().date());
        } else {
            entriesByDay.insert(day, entry);
            context.insert(entry);
            ++counts.added;
        }
    }

    QHash<QUuid, Reading *> readingsById;
    for (Reading *reading : context.fetch<Reading>())
        readingsById.insert(reading->id(), reading);
    for (Reading *reading : std::as_const(contents.readings)) {
        if (Reading *local = readingsById.value(reading->id())) {
            count(joinReading(*local, *reading), counts, counts.readingsNotJoined, local->date().toLocalTime().date());
            continue;
        }
        context.insert(reading);
        ++counts.added;
    }

    // A designed spread the store has already stays as it is here; readings keep their own copy.
    QSet<QUuid> spreadIds;
    for (const Spread *spread : context.fetch<Spread>())
        spreadIds.insert(spread->id());
    for (Spread *spread : std::as_const(contents.spreads)) {
        if (spreadIds.contains(spread->id())) {
            ++counts.unchanged;
            continue;
        }
        context.insert(spread);
        ++counts.added;
    }

    QHash<QUuid, UserCardNote *> notesById;
    for (UserCardNote *note : context.fetch<UserCardNote>())
        notesById.insert(note->id(), note);
    for (UserCardNote *note : std::as_const(contents.cardNotes)) {
        UserCardNote *local = notesById.value(note->id());
        if (!local) {
            context.insert(note);
            ++counts.added;
        } else if (note->lastModified().isValid() &&
                   (!local->lastModified().isValid() || note->lastModified() > local->lastModified()) &&
                   note->noteText() != local->noteText()) {
            local->setNoteText(note->noteText());
            local->setLastModified(note->lastModified());
            ++counts.updated;
        } else {
            ++counts.unchanged;
        }
    }

    if (!context.save(error))
        return false;
    if (summary)
        *summary = counts;
    return true;
}

QStringList ArchiveImport::leftAlone(const Summary &summary)
{
    QStringList sentences;
    for (const QDate &day : summary.notJoined)
        sentences.append(QObject::tr("The journal entry of %1 was left as it was: with the archive's reflection it "
                                     "would pass 50,000 characters.")
                             .arg(day.toString(Qt::ISODate)));
    for (const QDate &day : summary.readingsNotJoined)
        sentences.append(QObject::tr("The notes of a reading of %1 were left as they were: with the archive's notes "
                                     "they would pass 50,000 characters.")
                             .arg(day.toString(Qt::ISODate)));
    return sentences;
}

bool ArchiveImport::importFile(const QString &storePath, const QString &archivePath, const QDateTime &now,
                               Summary *summary, QString *error)
{
    auto contents = ArchiveReader::read(archivePath, error);
    if (!contents)
        return false;
    const bool existed = QFileInfo(storePath).isFile();
    QString detail;
    auto context = ModelContext::open(storePath, &detail);
    if (!context) {
        *error = QObject::tr("The store could not be opened: %1").arg(detail);
        return false;
    }
    if (existed && !StoreBackups(storePath).take(StoreBackups::Kind::Regular, now, 0, &detail)) {
        *error = QObject::tr("No snapshot could be taken before the import, so nothing was imported: %1").arg(detail);
        return false;
    }
    if (!merge(*context, *contents, summary, &detail)) {
        *error = QObject::tr("Nothing was imported: %1").arg(detail);
        return false;
    }
    return true;
}
