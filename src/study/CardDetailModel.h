#pragma once

#include "ModelContext.h"
#include "TarotCard.h"
#include "UserCardNote.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class Scheduler;

// One card in full and the user's personal note on it. The side shown (upright or reversed)
// picks the keywords, the meaning and the yes/no leaning (reversed swaps yes and no). The note:
// loaded when the screen comes on, created on the first non-empty text, updated on every later
// change, also to empty, and never deleted; at most 50,000 user-perceived characters are kept.
// The record changes at once, so every other screen sees the text as typed. The durable save
// (a disk flush that can take tens of milliseconds) follows a short moment after the first
// unsaved change, so that typing costs one save per moment rather than one per keystroke; a
// save still owed is made when the model goes away (paging, going back, closing the window)
// or the application quits.
class CardDetailModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(TarotCard card READ card WRITE setCard NOTIFY cardChanged)
    Q_PROPERTY(bool showReversed READ showReversed WRITE setShowReversed NOTIFY showReversedChanged)
    Q_PROPERTY(QString detailLine READ detailLine NOTIFY cardChanged)
    Q_PROPERTY(QStringList keywords READ keywords NOTIFY showReversedChanged)
    Q_PROPERTY(QString meaningTitle READ meaningTitle NOTIFY showReversedChanged)
    Q_PROPERTY(QString meaningText READ meaningText NOTIFY showReversedChanged)
    Q_PROPERTY(QString leaningText READ leaningText NOTIFY showReversedChanged)
    Q_PROPERTY(QString noteText READ noteText NOTIFY noteTextChanged)
    Q_PROPERTY(UserCardNote *note READ note NOTIFY noteChanged)

public:
    // The longest note kept, in user-perceived characters.
    static constexpr qsizetype noteLimit = 50000;
    // How long the durable save waits after the first unsaved change. Later changes do not
    // push it back, so text is never unsaved for longer than this while the window is open.
    static constexpr int saveDelayMs = 500;

    explicit CardDetailModel(QObject *parent = nullptr);
    ~CardDetailModel() override;

    // The leaning a side answers with: reversed swaps yes and no and keeps maybe.
    static YesNoLeaning shownLeaning(YesNoLeaning leaning, bool reversed);
    // "Yes", "No" or "Maybe".
    static QString leaningLabel(YesNoLeaning leaning);

    // Times the save; the system's unless a test gives its own, which must outlive the model.
    void setScheduler(Scheduler &scheduler);

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    TarotCard card() const { return m_card; }
    void setCard(const TarotCard &card);
    bool showReversed() const { return m_showReversed; }
    void setShowReversed(bool reversed);

    // The number label and the suit label with an em dash between: "Ace — Cups".
    QString detailLine() const;
    QStringList keywords() const { return m_showReversed ? m_card.reversedKeywords : m_card.uprightKeywords; }
    QString meaningTitle() const;
    QString meaningText() const { return m_showReversed ? m_card.reversedMeaning : m_card.uprightMeaning; }
    QString leaningText() const { return leaningLabel(shownLeaning(m_card.yesNoLeaning, m_showReversed)); }
    QString noteText() const { return m_noteText; }
    UserCardNote *note() const { return m_note; }

    // The screen came on: look up the card's note (the first the store returns) and show it.
    Q_INVOKABLE void appear();
    // The editor's text changed: keep at most the limit and store it. The editor is told the
    // kept text when some was cut, even if the note already held it.
    Q_INVOKABLE void editNote(const QString &text);
    // Makes the save still owed, if any, now.
    Q_INVOKABLE void flush();
    bool hasPendingSave() const { return m_savePending; }

signals:
    void modelContextChanged();
    void cardChanged();
    void showReversedChanged();
    void noteTextChanged();
    void noteChanged();

private:
    void setNoteText(const QString &text);
    void store(const QString &text);
    void requestSave();

    QPointer<ModelContext> m_context;
    Scheduler *m_scheduler;
    quint64 m_saveTask = 0;
    bool m_savePending = false;
    TarotCard m_card;
    bool m_showReversed = false;
    QPointer<UserCardNote> m_note;
    QString m_noteText = QStringLiteral("");
};
