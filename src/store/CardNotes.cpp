#include "CardNotes.h"

#include "ModelContext.h"
#include "UserCardNote.h"

UserCardNote *CardNotes::of(const QString &cardId) const
{
    if (!m_context)
        return nullptr;
    const QList<UserCardNote *> notes =
        m_context->fetch<UserCardNote>([&cardId](const UserCardNote *note) { return note->cardId() == cardId; });
    return notes.isEmpty() ? nullptr : notes.constFirst();
}

QList<UserCardNote *> CardNotes::all() const
{
    return m_context ? m_context->fetch<UserCardNote>() : QList<UserCardNote *>();
}

UserCardNote *CardNotes::add(const QString &cardId, const QString &text) const
{
    if (!m_context)
        return nullptr;
    auto *note = new UserCardNote(cardId, text);
    m_context->insert(note);
    return note;
}
