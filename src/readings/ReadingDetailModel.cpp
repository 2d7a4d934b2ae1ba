#include "ReadingDetailModel.h"

#include "CardDataStore.h"
#include "CustomSpread.h"
#include "DateFormat.h"
#include "DrawnCard.h"
#include "PositionedCardList.h"
#include "Reading.h"
#include "SpreadBook.h"
#include "SpreadDefinition.h"

ReadingDetailModel::ReadingDetailModel(QObject *parent) : QObject(parent), m_cards(new PositionedCardList(this))
{
    connect(this, &ReadingDetailModel::cardsChanged, this, &ReadingDetailModel::titleChanged);
    connect(this, &ReadingDetailModel::dateChanged, this, &ReadingDetailModel::titleChanged);
}

ReadingDetailModel::ReadingDetailModel(CardDataStore &cardStore, QObject *parent) : ReadingDetailModel(parent)
{
    m_cardStore = &cardStore;
}

ReadingDetailModel::~ReadingDetailModel() = default;

CardDataStore &ReadingDetailModel::catalogue() const
{
    if (!m_cardStore)
        m_cardStore = &CardDataStore::shared();
    return *m_cardStore;
}

QList<PositionedCard> ReadingDetailModel::positionedCards(const Reading &reading, const CardDataStore &cards)
{
    QList<PositionedCard> result;
    const std::optional<SpreadDefinition> spread = SpreadBook::ofReading(reading);
    if (!spread)
        return result;
    for (const DrawnCard *drawn : reading.drawnCards()) {
        const std::optional<TarotCard> card = cards.cardByID(drawn->cardId());
        const auto position = std::find_if(spread->positions.cbegin(), spread->positions.cend(),
                                           [&](const SpreadPosition &p) { return p.id == drawn->positionId(); });
        if (card && position != spread->positions.cend())
            result.append({*card, *position, drawn->isReversed()});
    }
    return result;
}

void ReadingDetailModel::setReading(Reading *reading)
{
    if (m_reading == reading)
        return;
    if (m_reading)
        disconnect(m_reading, nullptr, this, nullptr);
    m_reading = reading;
    if (reading) {
        connect(reading, &Reading::drawnCardsChanged, this, &ReadingDetailModel::rebuild);
        connect(reading, &Reading::spreadTypeChanged, this, &ReadingDetailModel::rebuild);
        connect(reading, &Reading::spreadLayoutChanged, this, &ReadingDetailModel::rebuild);
        connect(reading, &Reading::dateChanged, this, &ReadingDetailModel::dateChanged);
        connect(reading, &Reading::notesChanged, this, &ReadingDetailModel::notesChanged);
        connect(reading, &Reading::questionChanged, this, &ReadingDetailModel::notesChanged);
    }
    emit readingChanged();
    emit dateChanged();
    emit notesChanged();
    rebuild();
}

void ReadingDetailModel::rebuild()
{
    m_cards->setCards(m_reading ? positionedCards(*m_reading, catalogue()) : QList<PositionedCard>());
    emit cardsChanged();
}

QString ReadingDetailModel::spreadName() const
{
    return m_reading ? SpreadBook::nameOf(*m_reading) : QString();
}

QString ReadingDetailModel::title() const
{
    const QString date = dateText();
    return date.isEmpty() ? spreadName() : tr("%1, %2").arg(spreadName(), date);
}

QString ReadingDetailModel::dateText() const
{
    if (!m_reading || !m_reading->date().isValid())
        return {};
    return DateFormat::longDate(m_reading->date().toLocalTime().date());
}

QStringList ReadingDetailModel::extraCardNames() const
{
    QStringList names;
    if (!m_reading)
        return names;
    for (const DrawnCard *drawn : m_reading->drawnCards()) {
        if (drawn->positionId() != QLatin1String("extra"))
            continue;
        const std::optional<TarotCard> card = catalogue().cardByID(drawn->cardId());
        const QString name = card ? card->name : drawn->cardId();
        names.append(drawn->isReversed() ? tr("%1 (reversed)").arg(name) : name);
    }
    return names;
}

QString ReadingDetailModel::extraCardsText() const
{
    const QStringList names = extraCardNames();
    return names.isEmpty() ? QString() : tr("Extra cards: %1").arg(names.join(QStringLiteral(", ")));
}

bool ReadingDetailModel::hasSpread() const
{
    return m_reading && SpreadBook::ofReading(*m_reading).has_value();
}

bool ReadingDetailModel::showsCross() const
{
    return m_reading && m_reading->spreadType() == SpreadDefinition::celticCross().id && hasSpread() &&
           m_cards->count() == SpreadDefinition::celticCross().cardCount;
}

bool ReadingDetailModel::showsDesign() const
{
    return m_reading && CustomSpread::isCustom(m_reading->spreadType()) && hasSpread() && m_cards->count() > 0;
}

// The rows and the cross list the positioned cards only, so the index is a place among them
// and the sequence viewer opens at the card that was clicked even when a card was skipped.
void ReadingDetailModel::selectCard(int index)
{
    if (index < 0 || index >= m_cards->count() || index == m_selectedCardIndex)
        return;
    m_selectedCardIndex = index;
    emit selectedCardIndexChanged();
}

void ReadingDetailModel::clearSelection()
{
    if (m_selectedCardIndex < 0)
        return;
    m_selectedCardIndex = -1;
    emit selectedCardIndexChanged();
}
