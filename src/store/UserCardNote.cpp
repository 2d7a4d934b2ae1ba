#include "UserCardNote.h"

#include "Clock.h"

UserCardNote::UserCardNote(QObject *parent) : Record(parent), m_lastModified(Clock::now())
{}

UserCardNote::UserCardNote(const QString &cardId, const QString &noteText, QObject *parent)
    : Record(parent), m_cardId(cardId), m_noteText(noteText), m_lastModified(Clock::now())
{}
