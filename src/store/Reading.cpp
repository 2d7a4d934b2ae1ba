#include "Reading.h"

#include "Clock.h"
#include "DrawnCard.h"

Reading::Reading(QObject *parent) : Record(parent), m_date(Clock::now())
{}

Reading::Reading(const QString &spreadType, QObject *parent)
    : Record(parent), m_spreadType(spreadType), m_date(Clock::now())
{}

void Reading::addDrawnCard(DrawnCard *card)
{
    card->setReading(this);
}

QQmlListProperty<DrawnCard> Reading::drawnCardsProperty()
{
    return QQmlListProperty<DrawnCard>(this, &m_drawnCards);
}

QList<Record *> Reading::ownedRecords() const
{
    return {m_drawnCards.begin(), m_drawnCards.end()};
}
