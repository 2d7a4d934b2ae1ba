#pragma once

#include "JournalEntry.h"
#include "TarotCard.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class CardDataStore;

// What a screen shows of one journal entry: its card, prompt, mood and reflection, following
// the entry as it changes and going blank when it is deleted. Screens bind to these values
// rather than to the stored record's columns.
class EntryFields : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Given by the journal's models")
    Q_PROPERTY(bool hasCard READ hasCard NOTIFY cardChanged)
    Q_PROPERTY(TarotCard card READ card NOTIFY cardChanged)
    Q_PROPERTY(bool cardReversed READ cardReversed NOTIFY cardChanged)
    Q_PROPERTY(bool hasPrompt READ hasPrompt NOTIFY promptChanged)
    Q_PROPERTY(QString prompt READ prompt NOTIFY promptChanged)
    Q_PROPERTY(QString mood READ mood NOTIFY moodChanged)
    Q_PROPERTY(QString reflection READ reflection NOTIFY reflectionChanged)

public:
    // `cards` names the cards and must outlive this object.
    explicit EntryFields(const CardDataStore &cards, QObject *parent = nullptr);

    JournalEntry *entry() const { return m_entry; }
    void setEntry(JournalEntry *entry);
    void setCardStore(const CardDataStore &cards);

    bool hasCard() const;
    TarotCard card() const;
    bool cardReversed() const { return m_entry && m_entry->dailyCardReversed(); }
    bool hasPrompt() const { return !prompt().isEmpty(); }
    QString prompt() const { return m_entry ? m_entry->journalPrompt() : QString(); }
    QString mood() const { return m_entry ? m_entry->mood() : QString(); }
    QString reflection() const { return m_entry ? m_entry->reflectionText() : QString(); }

signals:
    // The entry itself was replaced, or deleted.
    void entryChanged();
    void cardChanged();
    void promptChanged();
    void moodChanged();
    void reflectionChanged();

private:
    void emitAll();

    const CardDataStore *m_cards;
    QPointer<JournalEntry> m_entry;
};
