#include "ReadingFlowModel.h"

#include "AppSettings.h"
#include "CardDataStore.h"
#include "CustomSpread.h"
#include "DrawnCard.h"
#include "PositionedCardList.h"
#include "RandomSource.h"
#include "ReadingEngine.h"
#include "Readings.h"
#include "Scheduler.h"
#include "Settings.h"
#include "ShuffleChoreography.h"
#include "SoundCues.h"
#include "SpreadBook.h"

ReadingFlowModel::ReadingFlowModel(QObject *parent)
    : ReadingFlowModel(CardDataStore::shared(), SpreadDefinition::threeCard().id, nullptr, parent)
{}

ReadingFlowModel::ReadingFlowModel(CardDataStore &cardStore, const QString &spreadId, ModelContext *modelContext,
                                   QObject *parent)
    : QObject(parent), m_cardStore(&cardStore), m_random(&RandomSource::system()),
      m_engine(std::make_unique<ReadingEngine>(cardStore, *m_random)), m_context(modelContext),
      m_spread(SpreadDefinition::withID(spreadId).value_or(SpreadDefinition::threeCard())),
      m_shuffle(new ShuffleChoreography(this)), m_drawnCards(new PositionedCardList(this))
{
    m_shuffle->setStyle(ShuffleChoreography::Pile);
    m_shuffle->setCardCount(shuffleCardCount);
    connect(m_shuffle, &ShuffleChoreography::completed, this, &ReadingFlowModel::shuffleCompleted);
    connect(this, &ReadingFlowModel::phaseChanged, this, &ReadingFlowModel::phaseAnnouncementChanged);
    connect(this, &ReadingFlowModel::spreadChanged, this, &ReadingFlowModel::phaseAnnouncementChanged);
    // A designed spread is found in the store.
    if (!SpreadDefinition::withID(spreadId))
        setSpreadId(spreadId);
}

ReadingFlowModel::~ReadingFlowModel() = default;

void ReadingFlowModel::setRandomSource(RandomSource &random)
{
    m_random = &random;
    m_engine = std::make_unique<ReadingEngine>(*m_cardStore, random);
    m_shuffle->setRandomSource(&random);
}

void ReadingFlowModel::setScheduler(Scheduler &scheduler)
{
    m_shuffle->setScheduler(&scheduler);
}

void ReadingFlowModel::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    m_context = context;
    emit modelContextChanged();
    takeSpread();
}

void ReadingFlowModel::setSpreadId(const QString &id)
{
    m_wantedSpreadId = id;
    takeSpread();
}

void ReadingFlowModel::takeSpread()
{
    // The spread is fixed once the reading has begun.
    if (m_phase != Intro || m_wantedSpreadId.isEmpty())
        return;
    const std::optional<SpreadDefinition> spread = SpreadBook::find(m_context, m_wantedSpreadId);
    if (!spread)
        return;
    m_wantedSpreadId.clear();
    if (spread->id == m_spread.id)
        return;
    m_spread = *spread;
    emit spreadChanged();
}

bool ReadingFlowModel::isDesigned() const
{
    return CustomSpread::isCustom(m_spread.id);
}

QVariantList ReadingFlowModel::positionList() const
{
    QVariantList list;
    for (const SpreadPosition &position : m_spread.positions)
        list.append(QVariant::fromValue(position));
    return list;
}

QString ReadingFlowModel::phaseAnnouncement() const
{
    switch (m_phase) {
    case Intro:
        return m_spread.name;
    case Shuffling:
        return tr("Shuffling the cards…");
    case Results:
        return tr("%1: your %n cards are laid out.", "", int(m_spread.positions.size())).arg(m_spread.name);
    }
    return {};
}

void ReadingFlowModel::setPhase(Phase phase)
{
    if (m_phase == phase)
        return;
    m_phase = phase;
    emit phaseChanged();
}

void ReadingFlowModel::beginReading()
{
    if (m_phase != Intro)
        return;
    setPhase(Shuffling);
    m_shuffle->begin();
}

bool ReadingFlowModel::reversedCardsAllowed(ModelContext *context)
{
    return Settings(context).current().allowReversedCards();
}

void ReadingFlowModel::shuffleCompleted()
{
    if (m_phase != Shuffling)
        return;
    const std::optional<ReadingResult> result = m_engine->performReading(m_spread, allowsReversedCards());
    if (!result) {
        // Too few cards to deal (card files missing): no reading, the deck waits again.
        setPhase(Intro);
        return;
    }
    m_drawnCards->setCards(result->cards);
    storeReading(result->cards);
    SoundCues::shared().cue(SoundEffect::Reveal);
    setPhase(Results);
}

void ReadingFlowModel::storeReading(const QList<PositionedCard> &cards)
{
    if (!m_context)
        return;
    QList<Readings::Card> drawn;
    for (const PositionedCard &card : cards)
        drawn.append({card.card.id, card.position.id, card.isReversed});
    Reading *reading = Readings(m_context).record(m_spread.id, drawn);
    // A reading of a designed spread keeps the design as it is now.
    if (isDesigned())
        reading->setSpreadLayout(CustomSpread::encode(m_spread));
    // The reading is shown whether or not it reached the disk; the next save stores it.
    m_context->save();
    m_savedReading = reading;
    emit savedReadingChanged();
}

void ReadingFlowModel::selectCard(int index)
{
    if (m_phase != Results || index < 0 || index >= m_drawnCards->count() || index == m_selectedCardIndex)
        return;
    m_selectedCardIndex = index;
    emit selectedCardIndexChanged();
}

void ReadingFlowModel::clearSelection()
{
    if (m_selectedCardIndex < 0)
        return;
    m_selectedCardIndex = -1;
    emit selectedCardIndexChanged();
}
