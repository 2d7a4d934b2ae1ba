#include "AppSettings.h"
#include "ArchiveReader.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "PerceivedText.h"
#include "Reading.h"
#include "UserCardNote.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

enum class Join { Unchanged, Joined, TooLong };

// Joins what `incoming` says about a day to `local`, keeping everything of both. Joining the
// same entry again changes nothing.
Join joinEntry(JournalEntry &local, const JournalEntry &incoming)
{
    bool changed = false;
    const QString theirs = incoming.reflectionText();
    if (!theirs.isEmpty() && !local.reflectionText().contains(theirs)) {
        const QString ours = local.reflectionText();
        const QString joined = ours.isEmpty() ? theirs : ours + u"\n\n"_s + theirs;
        // A joined text past the limit would be cut when next edited: the entry is left alone
        // and the caller says so.
        if (PerceivedText::length(joined) > ArchiveReader::maxTextLength)
            return Join::TooLong;
        local.setReflectionText(joined);
        changed = true;
    }
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

    // The journal keeps one entry a day. An archive's entry for a day that has one here under
    // another identifier (both computers were used that day) joins it: its reflection is added
    // below the one here, and its card and mood fill in what the entry here lacks.
    QSet<QUuid> entryIds;
    QHash<QDate, JournalEntry *> entriesByDay;
    for (JournalEntry *entry : context.fetch<JournalEntry>()) {
        entryIds.insert(entry->id());
        entriesByDay.insert(entry->date().toLocalTime().date(), entry);
    }
    for (JournalEntry *entry : std::as_const(contents.journalEntries)) {
        const QDate day = entry->date().toLocalTime().date();
        JournalEntry *local = entriesByDay.value(day);
        if (entryIds.contains(entry->id())) {
            ++counts.unchanged;
        } else if (local) {
            switch (joinEntry(*local, *entry)) {
            case Join::Unchanged:
                ++counts.unchanged;
                break;
            case Join::Joined:
                ++counts.updated;
                break;
            case Join::TooLong:
                counts.notJoined.append(day);
                break;
            }
        } else {
            entriesByDay.insert(day, entry);
            context.insert(entry);
            ++counts.added;
        }
    }

    QSet<QUuid> readingIds;
    for (const Reading *reading : context.fetch<Reading>())
        readingIds.insert(reading->id());
    for (Reading *reading : std::as_const(contents.readings)) {
        if (readingIds.contains(reading->id())) {
            ++counts.unchanged;
            continue;
        }
        context.insert(reading);
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
