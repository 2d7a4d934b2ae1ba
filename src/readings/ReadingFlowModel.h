#pragma once

#include "ModelContext.h"
#include "Reading.h"
#include "ReadingResult.h"
#include "SpreadDefinition.h"

#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <memory>

class CardDataStore;
class PositionedCardList;
class RandomSource;
class ReadingEngine;
class Scheduler;
class ShuffleChoreography;
Q_MOC_INCLUDE("PositionedCardList.h")
Q_MOC_INCLUDE("ShuffleChoreography.h")

// One spread laid out from start to end, for the three-card and the Celtic Cross screens: the
// introduction, the shuffle, then the results. The model owns every step. When its shuffle
// ends it reads the reversal setting, deals the spread, stores the reading with its drawn
// cards in one save (a failed save changes nothing on screen), cues the reveal sound and shows
// the results. It also remembers which card the user opened in the sequence viewer.
class ReadingFlowModel : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(QString spreadId READ spreadId WRITE setSpreadId NOTIFY spreadChanged)
    Q_PROPERTY(SpreadDefinition spread READ spread NOTIFY spreadChanged)
    Q_PROPERTY(QVariantList positions READ positionList NOTIFY spreadChanged)
    Q_PROPERTY(bool isDesigned READ isDesigned NOTIFY spreadChanged)
    Q_PROPERTY(Phase phase READ phase NOTIFY phaseChanged)
    // What a screen reader says as the phase begins.
    Q_PROPERTY(QString phaseAnnouncement READ phaseAnnouncement NOTIFY phaseAnnouncementChanged)
    Q_PROPERTY(ShuffleChoreography *choreography READ choreography CONSTANT)
    Q_PROPERTY(PositionedCardList *drawnCards READ drawnCards CONSTANT)
    Q_PROPERTY(Reading *savedReading READ savedReading NOTIFY savedReadingChanged)
    Q_PROPERTY(int selectedCardIndex READ selectedCardIndex NOTIFY selectedCardIndexChanged)

public:
    enum Phase {
        Intro,     // the spread is introduced; nothing drawn yet
        Shuffling, // the shuffle runs; its end deals and stores the reading
        Results,   // the cards, their meanings and the summary
    };
    Q_ENUM(Phase)

    static constexpr int shuffleCardCount = 7;

    explicit ReadingFlowModel(QObject *parent = nullptr);
    // For C++: deals from `cardStore`, which must outlive the model.
    ReadingFlowModel(CardDataStore &cardStore, const QString &spreadId, ModelContext *modelContext,
                     QObject *parent = nullptr);
    ~ReadingFlowModel() override;

    void classBegin() override {}
    void componentComplete() override {}

    // Where randomness and time come from; the system's unless a test injects its own. Both
    // must outlive the model.
    void setRandomSource(RandomSource &random);
    void setScheduler(Scheduler &scheduler);

    // "Begin Reading": the shuffle starts. Only from the introduction.
    Q_INVOKABLE void beginReading();
    // A card of the results was clicked: the sequence viewer opens at it.
    Q_INVOKABLE void selectCard(int index);
    // The sequence viewer was closed.
    Q_INVOKABLE void clearSelection();

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    QString spreadId() const { return m_spread.id; }
    // Takes the spread with this id: a built-in one, or one the user designed (found once the
    // store is known); unknown ids are ignored.
    void setSpreadId(const QString &id);
    // Whether the spread is one of the user's own design.
    bool isDesigned() const;
    const SpreadDefinition &spread() const { return m_spread; }
    QString phaseAnnouncement() const;
    // The spread's positions in order, as QML lists them.
    QVariantList positionList() const;
    Phase phase() const { return m_phase; }
    ShuffleChoreography *choreography() const { return m_shuffle; }
    PositionedCardList *drawnCards() const { return m_drawnCards; }
    Reading *savedReading() const { return m_savedReading; }
    int selectedCardIndex() const { return m_selectedCardIndex; }

    // Whether reversed cards may be dealt: the first settings record decides; with none they may.
    bool allowsReversedCards() const { return reversedCardsAllowed(m_context); }
    static bool reversedCardsAllowed(ModelContext *context);

signals:
    void modelContextChanged();
    void spreadChanged();
    void phaseChanged();
    void phaseAnnouncementChanged();
    void savedReadingChanged();
    void selectedCardIndexChanged();

private:
    void setPhase(Phase phase);
    void shuffleCompleted();
    void storeReading(const QList<PositionedCard> &cards);
    void takeSpread();

    CardDataStore *m_cardStore;
    RandomSource *m_random;
    std::unique_ptr<ReadingEngine> m_engine;
    QPointer<ModelContext> m_context;
    SpreadDefinition m_spread;
    // The id asked for, kept until the store it may live in is known.
    QString m_wantedSpreadId;
    ShuffleChoreography *m_shuffle;
    PositionedCardList *m_drawnCards;
    Phase m_phase = Intro;
    QPointer<Reading> m_savedReading;
    int m_selectedCardIndex = -1;
};
