#pragma once

#include "ModelContext.h"
#include "Reading.h"
#include "TarotCard.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <optional>

class CardDataStore;
class FanSelection;
class RandomSource;
class Scheduler;
class ShuffleChoreography;
Q_MOC_INCLUDE("FanSelection.h")
Q_MOC_INCLUDE("ShuffleChoreography.h")

// A yes-or-no question answered by one card. The model owns every step: the question, the
// shuffle, the fan to pick from, the face-down card and the answer. A pick draws one card from
// the whole catalogue, whichever card of the fan was clicked, turns it by the reversal setting,
// and stores the reading with its one drawn card (and the question as its notes) before the
// card is turned over. Turning the card over shows the answer 0.8 s later. The delays run on a
// Scheduler and end with the model, so leaving the screen cancels them.
class YesNoReadingModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(Phase phase READ phase NOTIFY phaseChanged)
    // What a screen reader says as the phase begins.
    Q_PROPERTY(QString phaseAnnouncement READ phaseAnnouncement NOTIFY phaseChanged)
    Q_PROPERTY(QString questionText READ questionText WRITE setQuestionText NOTIFY questionTextChanged)
    Q_PROPERTY(QString quotedQuestion READ quotedQuestion NOTIFY questionTextChanged)
    Q_PROPERTY(ShuffleChoreography *choreography READ choreography CONSTANT)
    Q_PROPERTY(FanSelection *fan READ fan CONSTANT)
    Q_PROPERTY(bool hasDrawnCard READ hasDrawnCard NOTIFY drawnCardChanged)
    Q_PROPERTY(TarotCard drawnCard READ drawnCardValue NOTIFY drawnCardChanged)
    Q_PROPERTY(bool isReversed READ isReversed NOTIFY drawnCardChanged)
    Q_PROPERTY(QString cardAccessibleName READ cardAccessibleName NOTIFY drawnCardChanged)
    Q_PROPERTY(bool isCardRevealed READ isCardRevealed NOTIFY isCardRevealedChanged)
    Q_PROPERTY(QString answer READ answer NOTIFY drawnCardChanged)
    Q_PROPERTY(QString explanation READ explanation NOTIFY drawnCardChanged)
    Q_PROPERTY(Reading *savedReading READ savedReading NOTIFY savedReadingChanged)

public:
    enum Phase {
        Question,  // the question may be typed; nothing drawn yet
        Shuffling, // the deck is shuffled
        Fan,       // the fan waits for a pick
        Reveal,    // drawn and stored, face down until clicked
        Result,    // the answer, its explanation and the card's meaning
    };
    Q_ENUM(Phase)

    static constexpr int fanCardCount = 9;
    static constexpr int shuffleCardCount = 7;
    // How long the turned card is shown before the answer replaces it.
    static constexpr int resultDelayMs = 800;

    explicit YesNoReadingModel(QObject *parent = nullptr);
    // For C++: draws from `cardStore`, which must outlive the model.
    YesNoReadingModel(CardDataStore &cardStore, ModelContext *modelContext, QObject *parent = nullptr);
    ~YesNoReadingModel() override;

    // Where randomness and time come from; the system's unless a test injects its own. Both
    // must outlive the model.
    void setRandomSource(RandomSource &random);
    void setScheduler(Scheduler &scheduler);

    // "Shuffle the Deck": only from the question.
    Q_INVOKABLE void shuffleDeck();
    // A card of the fan was clicked.
    Q_INVOKABLE void pickCard(int fanIndex);
    // The face-down card was clicked: it turns over, and the answer follows.
    Q_INVOKABLE void revealCard();

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    Phase phase() const { return m_phase; }
    QString questionText() const { return m_questionText; }
    void setQuestionText(const QString &text);
    // The question in straight double quotes, or nothing when none was typed.
    QString quotedQuestion() const;
    ShuffleChoreography *choreography() const { return m_shuffle; }
    FanSelection *fan() const { return m_fan; }
    bool hasDrawnCard() const { return m_drawnCard.has_value(); }
    const std::optional<TarotCard> &drawnCard() const { return m_drawnCard; }
    TarotCard drawnCardValue() const { return m_drawnCard.value_or(TarotCard()); }
    bool isReversed() const { return m_isReversed; }
    QString cardAccessibleName() const;
    QString phaseAnnouncement() const;
    bool isCardRevealed() const { return m_isCardRevealed; }
    QString answer() const { return m_answer; }
    QString explanation() const { return m_explanation; }
    Reading *savedReading() const { return m_savedReading; }

signals:
    void modelContextChanged();
    void phaseChanged();
    void questionTextChanged();
    void drawnCardChanged();
    void isCardRevealedChanged();
    void savedReadingChanged();

private:
    void setPhase(Phase phase);
    void shuffleCompleted();
    // The fan reported its pick: draw, store and show the card face down.
    void draw();
    void storeReading();

    CardDataStore *m_cardStore = nullptr;
    QPointer<ModelContext> m_context;
    RandomSource *m_random;
    Scheduler *m_scheduler;
    ShuffleChoreography *m_shuffle;
    FanSelection *m_fan;
    Phase m_phase = Question;
    QString m_questionText;
    std::optional<TarotCard> m_drawnCard;
    bool m_isReversed = false;
    bool m_isCardRevealed = false;
    QString m_answer;
    QString m_explanation;
    QPointer<Reading> m_savedReading;
};
