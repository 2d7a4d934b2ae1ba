#include "EntryFields.h"

#include "CardDataStore.h"

EntryFields::EntryFields(const CardDataStore &cards, QObject *parent) : QObject(parent), m_cards(&cards)
{}

void EntryFields::setEntry(JournalEntry *entry)
{
    if (m_entry == entry)
        return;
    if (m_entry)
        m_entry->disconnect(this);
    m_entry = entry;
    if (entry) {
        connect(entry, &JournalEntry::dailyCardIdChanged, this, &EntryFields::cardChanged);
        connect(entry, &JournalEntry::dailyCardReversedChanged, this, &EntryFields::cardChanged);
        connect(entry, &JournalEntry::journalPromptChanged, this, &EntryFields::promptChanged);
        connect(entry, &JournalEntry::moodChanged, this, &EntryFields::moodChanged);
        connect(entry, &JournalEntry::reflectionTextChanged, this, &EntryFields::reflectionChanged);
        // An entry deleted elsewhere leaves the screen as if there were none.
        connect(entry, &QObject::destroyed, this, &EntryFields::emitAll);
    }
    emitAll();
}

void EntryFields::setCardStore(const CardDataStore &cards)
{
    m_cards = &cards;
    emit cardChanged();
}

bool EntryFields::hasCard() const
{
    return m_entry && !m_entry->dailyCardId().isEmpty() && m_cards->cardsByID().contains(m_entry->dailyCardId());
}

TarotCard EntryFields::card() const
{
    return hasCard() ? m_cards->cardsByID().value(m_entry->dailyCardId()) : TarotCard();
}

void EntryFields::emitAll()
{
    emit entryChanged();
    emit cardChanged();
    emit promptChanged();
    emit moodChanged();
    emit reflectionChanged();
}
