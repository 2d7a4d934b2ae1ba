#pragma once

#include "TarotCard.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class CardDataStore;

// The groups of the deck one can browse or practise: the whole deck, the major arcana or one
// suit, in the order the filter menus list them.
namespace DeckFilter {
Q_NAMESPACE
QML_ELEMENT

enum Group { All, Major, Wands, Cups, Swords, Pentacles };
Q_ENUM_NS(Group)

const QList<Group> &groups();
QList<TarotCard> cardsOf(const CardDataStore &store, Group group);
// The group's full name ("All Cards", "Major Arcana", "Wands", ...).
QString name(Group group);
// The name in a row of chips ("All", "Major", "Wands", ...).
QString shortName(Group group);

} // namespace DeckFilter
