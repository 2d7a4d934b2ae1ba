#include "CardMeaningModel.h"

QString CardMeaningModel::chooseMeaning(const TarotCard &card, bool isReversed, const QString &positionId)
{
    if (!positionId.isEmpty()) {
        const auto entry = card.positionMeanings.constFind(positionId);
        if (entry != card.positionMeanings.cend())
            return isReversed ? entry->reversed : entry->upright;
    }
    return isReversed ? card.reversedMeaning : card.uprightMeaning;
}

QString CardMeaningModel::meaningTitle() const
{
    return m_reversed ? QStringLiteral("Reversed Meaning") : QStringLiteral("Upright Meaning");
}

void CardMeaningModel::setCard(const TarotCard &card)
{
    if (card == m_card)
        return;
    m_card = card;
    emit changed();
}

void CardMeaningModel::setReversed(bool reversed)
{
    if (reversed == m_reversed)
        return;
    m_reversed = reversed;
    emit changed();
}

void CardMeaningModel::setPositionName(const QString &name)
{
    if (name == m_positionName)
        return;
    m_positionName = name;
    emit changed();
}

void CardMeaningModel::setPositionDescription(const QString &description)
{
    if (description == m_positionDescription)
        return;
    m_positionDescription = description;
    emit changed();
}

void CardMeaningModel::setPositionId(const QString &id)
{
    if (id == m_positionId)
        return;
    m_positionId = id;
    emit changed();
}

void CardMeaningModel::setTextAbove(const QString &text)
{
    if (text == m_textAbove)
        return;
    m_textAbove = text;
    emit changed();
}

bool CardMeaningModel::meaningStartsFolded() const
{
    const QString meaning = meaningText().trimmed();
    return !meaning.isEmpty() && m_textAbove.trimmed().endsWith(meaning);
}
