#include "DeckFilter.h"

#include "CardDataStore.h"

namespace DeckFilter {

const QList<Group> &groups()
{
    static const QList<Group> all{All, Major, Wands, Cups, Swords, Pentacles};
    return all;
}

QList<TarotCard> cardsOf(const CardDataStore &store, Group group)
{
    switch (group) {
    case All:
        return store.allCards();
    case Major:
        return store.majorArcana();
    case Wands:
        return store.cardsForSuit(Suit::wands);
    case Cups:
        return store.cardsForSuit(Suit::cups);
    case Swords:
        return store.cardsForSuit(Suit::swords);
    case Pentacles:
        return store.cardsForSuit(Suit::pentacles);
    }
    return {};
}

QString name(Group group)
{
    switch (group) {
    case All:
        return QStringLiteral("All Cards");
    case Major:
        return QStringLiteral("Major Arcana");
    default:
        return shortName(group);
    }
}

QString shortName(Group group)
{
    switch (group) {
    case All:
        return QStringLiteral("All");
    case Major:
        return QStringLiteral("Major");
    case Wands:
        return QStringLiteral("Wands");
    case Cups:
        return QStringLiteral("Cups");
    case Swords:
        return QStringLiteral("Swords");
    case Pentacles:
        return QStringLiteral("Pentacles");
    }
    return {};
}

} // namespace DeckFilter
