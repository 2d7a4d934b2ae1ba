#include "ArchiveReader.h"
#include "DrawnCard.h"
#include "JournalEntry.h"
#include "Reading.h"
#include "UserCardNote.h"

#include <QSet>
#include <QUuid>

#include <cstdint>
#include <cstdlib>

// Feeds every input to the archive reader. Besides the sanitizers' findings, an archive it
// accepts must hold what an import relies on: every record identified, no identifier twice,
// every drawn card attached to its reading.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const auto contents = ArchiveReader::parse(json, &error);
    if (!contents) {
        if (error.isEmpty())
            std::abort(); // a refusal always says why
        return 0;
    }
    QSet<QUuid> ids;
    const auto identify = [&ids](const QUuid &id) {
        if (id.isNull() || ids.contains(id))
            std::abort();
        ids.insert(id);
    };
    for (const JournalEntry *entry : contents->journalEntries)
        identify(entry->id());
    for (const Reading *reading : contents->readings) {
        identify(reading->id());
        for (const DrawnCard *card : reading->drawnCards())
            if (card->reading() != reading || card->cardId().isEmpty())
                std::abort();
    }
    for (const UserCardNote *note : contents->cardNotes)
        identify(note->id());
    return 0;
}
