#include "DrawnCard.h"

#include "Reading.h"

DrawnCard::DrawnCard(QObject *parent) : Record(parent)
{}

DrawnCard::DrawnCard(const QString &cardId, const QString &positionId, bool isReversed, QObject *parent)
    : Record(parent), m_cardId(cardId), m_positionId(positionId), m_isReversed(isReversed)
{}

void DrawnCard::setReading(Reading *reading)
{
    if (m_reading == reading)
        return;
    if (Reading *old = m_reading) {
        old->m_drawnCards.removeOne(this);
        emit old->drawnCardsChanged();
    }
    m_reading = reading;
    if (reading) {
        reading->m_drawnCards.append(this);
        emit reading->drawnCardsChanged();
    }
    markChanged(QMetaMethod::fromSignal(&DrawnCard::readingChanged));
    emit readingChanged();
}
