#pragma once

#include "EntryFields.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "MoonPhase.h"
#include "TarotCard.h"

#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QtQml/qqmlregistration.h>

#include <memory>
#include <optional>

class CardDataStore;
class DayTracker;
class RandomSource;
class Scheduler;
class ShuffleChoreography;
Q_MOC_INCLUDE("ShuffleChoreography.h")

// The once-a-day card and the whole ritual around it. The model owns the sequence: the
// invitation, a shuffle (pile or wash), the card face down, the turn, the reading. Each user
// action is one call; every step, delay and completion happens here, timed by a Scheduler so
// tests can drive time. It restores today's draw from the journal, records the draw and the
// day's mood and reflection in today's journal entry, counts the streak of consecutive days
// with an entry, and follows the clock into the next day while the screen stays open.
class DailyCardViewModel : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(Phase phase READ phase NOTIFY phaseChanged)
    // What a screen reader says as the phase begins.
    Q_PROPERTY(QString phaseAnnouncement READ phaseAnnouncement NOTIFY phaseChanged)
    Q_PROPERTY(ShuffleStyle shuffleStyle READ shuffleStyle NOTIFY phaseChanged)
    Q_PROPERTY(ShuffleChoreography *pileChoreography READ pileChoreography CONSTANT)
    Q_PROPERTY(ShuffleChoreography *washChoreography READ washChoreography CONSTANT)
    Q_PROPERTY(bool hasTodaysCard READ hasTodaysCard NOTIFY todaysCardChanged)
    Q_PROPERTY(TarotCard todaysCard READ todaysCardValue NOTIFY todaysCardChanged)
    Q_PROPERTY(bool isReversed READ isReversed NOTIFY todaysCardChanged)
    Q_PROPERTY(bool isRevealed READ isRevealed NOTIFY phaseChanged)
    Q_PROPERTY(bool isShuffling READ isShuffling NOTIFY phaseChanged)
    Q_PROPERTY(bool isWashShuffling READ isWashShuffling NOTIFY phaseChanged)
    Q_PROPERTY(bool hasDrawnToday READ hasDrawnToday NOTIFY todaysCardChanged)
    Q_PROPERTY(JournalEntry *journalEntry READ journalEntry NOTIFY journalEntryChanged)
    Q_PROPERTY(EntryFields *entryFields READ entryFields CONSTANT)
    Q_PROPERTY(int currentStreak READ currentStreak NOTIFY currentStreakChanged)
    Q_PROPERTY(QString streakText READ streakText NOTIFY currentStreakChanged)
    Q_PROPERTY(MoonPhase moonPhase READ moonPhase NOTIFY todayChanged)
    Q_PROPERTY(QString todayText READ todayText NOTIFY todayChanged)

public:
    enum Phase {
        Invitation, // not drawn: the deck waits to be shuffled
        Shuffling,  // a shuffle runs; its end draws the card
        FaceDown,   // drawn, waiting to be turned over
        Revealing,  // turning over; the reading follows after the turn
        Revealed,   // the reading is shown
    };
    Q_ENUM(Phase)
    enum ShuffleStyle { Pile, Wash };
    Q_ENUM(ShuffleStyle)

    // How long the turn of the card is shown before the reading replaces it.
    static constexpr int revealDelayMs = 700;
    // With reduced motion the card fades in instead of turning, which is over sooner.
    static constexpr int fadedRevealDelayMs = 250;
    static constexpr int pileCardCount = 7;
    static constexpr int washCardCount = 15;

    // For QML: the context is set as a property and the day is restored once it is complete.
    explicit DailyCardViewModel(QObject *parent = nullptr);
    // For C++: restores the day at once.
    DailyCardViewModel(CardDataStore &cardStore, ModelContext *modelContext, QObject *parent = nullptr);
    ~DailyCardViewModel() override;

    void classBegin() override {}
    void componentComplete() override;

    // Where randomness and time come from; the system's unless a test injects its own. Both
    // must outlive the model.
    void setRandomSource(RandomSource &random);
    void setScheduler(Scheduler &scheduler);

    // The user clicks the deck: the pile shuffle runs, then the card is drawn.
    Q_INVOKABLE void shuffle();
    // The user asks for a wash: the wash runs, then the card is drawn. Only before the draw and
    // while no shuffle runs.
    Q_INVOKABLE void washShuffle();
    // The user turns the face-down card over.
    Q_INVOKABLE void reveal();
    // Sets the day's mood; choosing the mood already set clears it.
    Q_INVOKABLE void setMood(const QString &mood);
    // Writes the reflection to today's entry and saves.
    Q_INVOKABLE void setReflection(const QString &text);

    // The rules underneath, callable on their own.
    void checkTodaysDraw();
    void drawCard(bool allowReversed);
    // Draws with the stored "allow reversed cards" setting (allowed when there is no setting).
    void drawWithStoredSetting();
    void updateStreak();

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    Phase phase() const { return m_phase; }
    QString phaseAnnouncement() const;
    ShuffleStyle shuffleStyle() const { return m_shuffleStyle; }
    ShuffleChoreography *pileChoreography();
    ShuffleChoreography *washChoreography();
    const std::optional<TarotCard> &todaysCard() const { return m_todaysCard; }
    bool hasTodaysCard() const { return m_todaysCard.has_value(); }
    TarotCard todaysCardValue() const { return m_todaysCard.value_or(TarotCard()); }
    bool isReversed() const { return m_isReversed; }
    bool isRevealed() const { return m_phase == Revealed; }
    bool isShuffling() const { return m_phase == Shuffling && m_shuffleStyle == Pile; }
    bool isWashShuffling() const { return m_phase == Shuffling && m_shuffleStyle == Wash; }
    bool hasDrawnToday() const { return m_hasDrawnToday; }
    JournalEntry *journalEntry() const { return m_journalEntry; }
    // Today's entry as the screen shows it.
    EntryFields *entryFields() const { return m_entryFields; }
    int currentStreak() const { return m_currentStreak; }
    // "1,200 day streak": the count as the user's locale writes numbers.
    QString streakText() const;
    MoonPhase moonPhase() const;
    // Today in the long date style of the user's locale, without the weekday.
    QString todayText() const;

signals:
    void modelContextChanged();
    void phaseChanged();
    void todaysCardChanged();
    void journalEntryChanged();
    void currentStreakChanged();
    void todayChanged();

private:
    CardDataStore &cards();
    JournalEntry *todaysEntry() const;
    void setJournalEntry(JournalEntry *entry);
    void setPhase(Phase phase);
    void startShuffle(ShuffleStyle style);
    void shuffleCompleted();
    void startDay();
    void dayChanged();
    ShuffleChoreography *choreography(ShuffleStyle style);

    CardDataStore *m_cardStore = nullptr;
    QPointer<ModelContext> m_context;
    RandomSource *m_random = nullptr;
    Scheduler *m_scheduler = nullptr;
    std::unique_ptr<DayTracker> m_dayTracker;
    ShuffleChoreography *m_pileShuffle = nullptr;
    ShuffleChoreography *m_washShuffle = nullptr;
    quint64 m_revealTask = 0;
    Phase m_phase = Invitation;
    ShuffleStyle m_shuffleStyle = Pile;
    std::optional<TarotCard> m_todaysCard;
    bool m_isReversed = false;
    bool m_hasDrawnToday = false;
    QPointer<JournalEntry> m_journalEntry;
    EntryFields *m_entryFields;
    int m_currentStreak = 0;
};
