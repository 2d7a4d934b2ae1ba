#pragma once

#include "JournalEntry.h"
#include "ModelContext.h"
#include "MoonPhase.h"
#include "TarotCard.h"

#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QtQml/qqmlregistration.h>

#include <optional>

class CardDataStore;
class RandomSource;

// The once-a-day card: restores today's draw from the journal, draws when asked, records the
// draw and the day's mood in today's journal entry, and counts the streak of consecutive days
// with an entry. The screen writes isRevealed and the two shuffle flags.
class DailyCardViewModel : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(bool hasTodaysCard READ hasTodaysCard NOTIFY todaysCardChanged)
    Q_PROPERTY(TarotCard todaysCard READ todaysCardValue NOTIFY todaysCardChanged)
    Q_PROPERTY(bool isReversed READ isReversed NOTIFY isReversedChanged)
    Q_PROPERTY(bool isRevealed READ isRevealed WRITE setIsRevealed NOTIFY isRevealedChanged)
    Q_PROPERTY(bool isShuffling READ isShuffling WRITE setIsShuffling NOTIFY isShufflingChanged)
    Q_PROPERTY(bool isWashShuffling READ isWashShuffling WRITE setIsWashShuffling NOTIFY isWashShufflingChanged)
    Q_PROPERTY(bool hasDrawnToday READ hasDrawnToday NOTIFY hasDrawnTodayChanged)
    Q_PROPERTY(JournalEntry *journalEntry READ journalEntry NOTIFY journalEntryChanged)
    Q_PROPERTY(int currentStreak READ currentStreak NOTIFY currentStreakChanged)
    Q_PROPERTY(MoonPhase moonPhase READ moonPhase CONSTANT)
    Q_PROPERTY(QString todayText READ todayText CONSTANT)

public:
    // For QML: the context is set as a property and the day is restored once it is complete.
    explicit DailyCardViewModel(QObject *parent = nullptr);
    // For C++: restores the day at once.
    DailyCardViewModel(CardDataStore &cardStore, ModelContext *modelContext, QObject *parent = nullptr);
    ~DailyCardViewModel() override;

    void classBegin() override {}
    void componentComplete() override;

    // Picks where randomness comes from; the system's secure source unless a test scripts one.
    void setRandomSource(RandomSource &random) { m_random = &random; }

    Q_INVOKABLE void checkTodaysDraw();
    Q_INVOKABLE void drawCard(bool allowReversed);
    // Draws with the stored "allow reversed cards" setting (allowed when there is no setting).
    Q_INVOKABLE void drawWithStoredSetting();
    // Sets the day's mood; choosing the mood already set clears it.
    Q_INVOKABLE void setMood(const QString &mood);
    Q_INVOKABLE void updateStreak();
    // Writes the reflection to today's entry and saves.
    Q_INVOKABLE void setReflection(const QString &text);
    // Starts the wash shuffle, but only before the draw and while no shuffle runs.
    Q_INVOKABLE void startWashShuffle();
    // Starts the pile shuffle unless one runs already.
    Q_INVOKABLE void startShuffle();
    // Asks the screen to open today's entry in the full journal editor.
    Q_INVOKABLE void requestJournal();

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    const std::optional<TarotCard> &todaysCard() const { return m_todaysCard; }
    bool hasTodaysCard() const { return m_todaysCard.has_value(); }
    TarotCard todaysCardValue() const { return m_todaysCard.value_or(TarotCard()); }
    bool isReversed() const { return m_isReversed; }
    bool isRevealed() const { return m_isRevealed; }
    void setIsRevealed(bool revealed);
    bool isShuffling() const { return m_isShuffling; }
    void setIsShuffling(bool shuffling);
    bool isWashShuffling() const { return m_isWashShuffling; }
    void setIsWashShuffling(bool shuffling);
    bool hasDrawnToday() const { return m_hasDrawnToday; }
    JournalEntry *journalEntry() const { return m_journalEntry; }
    int currentStreak() const { return m_currentStreak; }
    MoonPhase moonPhase() const;
    // Today in the long date style of the user's locale, without the weekday.
    QString todayText() const;

signals:
    void modelContextChanged();
    void todaysCardChanged();
    void isReversedChanged();
    void isRevealedChanged();
    void isShufflingChanged();
    void isWashShufflingChanged();
    void hasDrawnTodayChanged();
    void journalEntryChanged();
    void currentStreakChanged();
    void journalRequested();

private:
    JournalEntry *todaysEntry() const;
    void setJournalEntry(JournalEntry *entry);

    CardDataStore *m_cardStore = nullptr;
    QPointer<ModelContext> m_context;
    RandomSource *m_random = nullptr;
    std::optional<TarotCard> m_todaysCard;
    bool m_isReversed = false;
    bool m_isRevealed = false;
    bool m_isShuffling = false;
    bool m_isWashShuffling = false;
    bool m_hasDrawnToday = false;
    QPointer<JournalEntry> m_journalEntry;
    int m_currentStreak = 0;
};
