#pragma once

#include <QList>
#include <QString>

class ModelContext;
class UserCardNote;

// The user's notes on catalogue cards: at most one per card.
class CardNotes
{
public:
    explicit CardNotes(ModelContext *context) : m_context(context) {}

    // The note on the card with `cardId`, or null when it has none.
    UserCardNote *of(const QString &cardId) const;
    QList<UserCardNote *> all() const;
    // A new note on a card, stored by the next save.
    UserCardNote *add(const QString &cardId, const QString &text) const;

private:
    ModelContext *m_context;
};
