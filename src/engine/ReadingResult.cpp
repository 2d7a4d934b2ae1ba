#include "ReadingResult.h"

QString PositionedCard::orientedName() const
{
    return isReversed ? card.name + QStringLiteral(" reversed") : card.name;
}

const QStringList &PositionedCard::orientationKeywords() const
{
    return isReversed ? card.reversedKeywords : card.uprightKeywords;
}

QString PositionedCard::leadKeyword() const
{
    const QStringList &keywords = orientationKeywords();
    return keywords.isEmpty() ? QStringLiteral("transformation") : keywords.first();
}

QString PositionedCard::keywordPhrase() const
{
    const QStringList &keywords = orientationKeywords();
    if (keywords.isEmpty())
        return QStringLiteral("change");
    if (keywords.size() == 1)
        return keywords.first();
    return keywords.at(0) + QStringLiteral(" and ") + keywords.at(1);
}
