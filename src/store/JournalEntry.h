#pragma once

#include "Record.h"

#include <QColor>
#include <QDateTime>
#include <QUuid>

// The reflection of one day. `date` is the start of that day in local time.
// The optional texts (`dailyCardId`, `mood`, `journalPrompt`) are absent when null.
class JournalEntry : public Record
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Journal entries are created by view models")
    Q_PROPERTY(QUuid id READ id WRITE setId NOTIFY idChanged)
    Q_PROPERTY(QDateTime date READ date WRITE setDate NOTIFY dateChanged)
    Q_PROPERTY(QString dailyCardId READ dailyCardId WRITE setDailyCardId NOTIFY dailyCardIdChanged)
    Q_PROPERTY(bool dailyCardReversed READ dailyCardReversed WRITE setDailyCardReversed NOTIFY dailyCardReversedChanged)
    Q_PROPERTY(QString reflectionText READ reflectionText WRITE setReflectionText NOTIFY reflectionTextChanged)
    Q_PROPERTY(QString mood READ mood WRITE setMood NOTIFY moodChanged)
    Q_PROPERTY(QString journalPrompt READ journalPrompt WRITE setJournalPrompt NOTIFY journalPromptChanged)
    Q_PROPERTY(bool hasReflection READ hasReflection NOTIFY reflectionTextChanged STORED false)

public:
    // An entry dated now; loading from the store overwrites every field.
    explicit JournalEntry(QObject *parent = nullptr);
    JournalEntry(Loading, QObject *parent = nullptr) : Record(parent), m_id() {}
    // An entry for the calendar day of `day`, dated that day's local midnight.
    explicit JournalEntry(const QDateTime &day, QObject *parent = nullptr);

    // The eight mood words, in the order they are offered.
    static const QStringList &moods();
    // The colour a mood word is shown in; unknown words are grey.
    static QColor moodColor(const QString &mood);

    QUuid id() const { return m_id; }
    void setId(const QUuid &v) { setField(m_id, v, &JournalEntry::idChanged); }
    QDateTime date() const { return m_date; }
    void setDate(const QDateTime &v) { setField(m_date, v, &JournalEntry::dateChanged); }
    QString dailyCardId() const { return m_dailyCardId; }
    void setDailyCardId(const QString &v) { setField(m_dailyCardId, v, &JournalEntry::dailyCardIdChanged); }
    bool dailyCardReversed() const { return m_dailyCardReversed; }
    void setDailyCardReversed(bool v) { setField(m_dailyCardReversed, v, &JournalEntry::dailyCardReversedChanged); }
    QString reflectionText() const { return m_reflectionText; }
    void setReflectionText(const QString &v) { setField(m_reflectionText, v, &JournalEntry::reflectionTextChanged); }
    QString mood() const { return m_mood; }
    void setMood(const QString &v) { setField(m_mood, v, &JournalEntry::moodChanged); }
    QString journalPrompt() const { return m_journalPrompt; }
    void setJournalPrompt(const QString &v) { setField(m_journalPrompt, v, &JournalEntry::journalPromptChanged); }

    bool hasReflection() const { return !m_reflectionText.trimmed().isEmpty(); }

signals:
    void idChanged();
    void dateChanged();
    void dailyCardIdChanged();
    void dailyCardReversedChanged();
    void reflectionTextChanged();
    void moodChanged();
    void journalPromptChanged();

private:
    QUuid m_id = QUuid::createUuid();
    QDateTime m_date;
    QString m_dailyCardId;
    bool m_dailyCardReversed = false;
    QString m_reflectionText = QStringLiteral("");
    QString m_mood;
    QString m_journalPrompt;
};
