#include "YesNoReadingModel.h"

#include "CardDataStore.h"
#include "Deck.h"
#include "DrawnCard.h"
#include "FanSelection.h"
#include "PositionedCardList.h"
#include "RandomSource.h"
#include "ReadingEngine.h"
#include "ReadingFlowModel.h"
#include "Readings.h"
#include "Scheduler.h"
#include "ShuffleChoreography.h"
#include "SoundCues.h"
#include "SpreadDefinition.h"

YesNoReadingModel::YesNoReadingModel(QObject *parent) : YesNoReadingModel(CardDataStore::shared(), nullptr, parent)
{}

YesNoReadingModel::YesNoReadingModel(CardDataStore &cardStore, ModelContext *modelContext, QObject *parent)
    : QObject(parent), m_cardStore(&cardStore), m_context(modelContext), m_random(&RandomSource::system()),
      m_scheduler(&Scheduler::system()), m_shuffle(new ShuffleChoreography(this)),
      m_fan(new FanSelection(fanCardCount, this))
{
    m_shuffle->setStyle(ShuffleChoreography::Pile);
    m_shuffle->setCardCount(shuffleCardCount);
    connect(m_shuffle, &ShuffleChoreography::completed, this, &YesNoReadingModel::shuffleCompleted);
    connect(m_fan, &FanSelection::picked, this, &YesNoReadingModel::draw);
}

YesNoReadingModel::~YesNoReadingModel() = default;

void YesNoReadingModel::setRandomSource(RandomSource &random)
{
    m_random = &random;
    m_shuffle->setRandomSource(&random);
}

void YesNoReadingModel::setScheduler(Scheduler &scheduler)
{
    m_scheduler = &scheduler;
    m_shuffle->setScheduler(&scheduler);
    m_fan->setScheduler(scheduler);
}

void YesNoReadingModel::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    m_context = context;
    emit modelContextChanged();
}

void YesNoReadingModel::setQuestionText(const QString &text)
{
    if (text == m_questionText)
        return;
    m_questionText = text;
    emit questionTextChanged();
}

QString YesNoReadingModel::quotedQuestion() const
{
    return m_questionText.isEmpty() ? QString() : QLatin1Char('"') + m_questionText + QLatin1Char('"');
}

QString YesNoReadingModel::phaseAnnouncement() const
{
    switch (m_phase) {
    case Question:
        return SpreadDefinition::yesNo().name;
    case Shuffling:
        return tr("Shuffling the cards…");
    case Fan:
        return tr("The cards are fanned out face down. Choose one.");
    case Reveal:
        return tr("Your card lies face down. Turn it over when you are ready.");
    case Result:
        return tr("The answer is %1. %2").arg(m_answer, cardAccessibleName());
    }
    return {};
}

QString YesNoReadingModel::cardAccessibleName() const
{
    if (!m_drawnCard)
        return {};
    return PositionedCardList::accessibleName(
        {*m_drawnCard, SpreadDefinition::yesNo().positions.first(), m_isReversed});
}

void YesNoReadingModel::setPhase(Phase phase)
{
    if (m_phase == phase)
        return;
    m_phase = phase;
    emit phaseChanged();
}

void YesNoReadingModel::shuffleDeck()
{
    if (m_phase != Question)
        return;
    setPhase(Shuffling);
    m_shuffle->begin();
}

void YesNoReadingModel::shuffleCompleted()
{
    if (m_phase != Shuffling)
        return;
    setPhase(Fan);
    m_fan->appear();
}

void YesNoReadingModel::pickCard(int fanIndex)
{
    if (m_phase == Fan)
        m_fan->select(fanIndex);
}

void YesNoReadingModel::draw()
{
    if (m_phase != Fan)
        return;
    // The fan only sets the moment: the card comes from the whole catalogue, whichever was clicked.
    const std::optional<TarotCard> card = Deck::randomCard(m_cardStore->allCards(), *m_random);
    if (!card)
        return; // no catalogue: the fan stays, and its one pick is spent
    const bool reversed = Deck::reversalDecision(ReadingFlowModel::reversedCardsAllowed(m_context), *m_random);
    const YesNoAnswer answer = ReadingEngine::yesNoAnswer(*card, reversed);
    m_drawnCard = card;
    m_isReversed = reversed;
    m_answer = answer.answer;
    m_explanation = answer.explanation;
    emit drawnCardChanged();
    storeReading();
    setPhase(Reveal);
}

void YesNoReadingModel::storeReading()
{
    if (!m_context)
        return;
    // The question is kept exactly as typed; with none the notes keep their empty default.
    const SpreadDefinition &spread = SpreadDefinition::yesNo();
    Reading *reading = Readings(m_context).record(
        spread.id, {{m_drawnCard->id, spread.positions.first().id, m_isReversed}}, m_questionText);
    // The card is shown whether or not the save reached the disk; the next save stores it.
    m_context->save();
    m_savedReading = reading;
    emit savedReadingChanged();
}

void YesNoReadingModel::revealCard()
{
    if (m_phase != Reveal || m_isCardRevealed)
        return;
    m_isCardRevealed = true;
    emit isCardRevealedChanged();
    SoundCues::shared().cue(SoundEffect::CardFlip);
    SoundCues::shared().cue(SoundEffect::Reveal);
    m_scheduler->schedule(resultDelayMs, this, [this] {
        if (m_phase == Reveal)
            setPhase(Result);
    });
}
