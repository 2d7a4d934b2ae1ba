#pragma once

#include "ResourceLocation.h"
#include "TarotCard.h"

#include <QObject>
#include <QtQmlIntegration/qqmlintegration.h>

class QQmlEngine;
class QJSEngine;

// The whole card catalogue in memory: every card of the five card files in file order, an
// index by id, and the lookups the screens filter with.
class CardDataStore : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QList<TarotCard> allCards READ allCards NOTIFY allCardsChanged)
    Q_PROPERTY(QHash<QString, TarotCard> cardsByID READ cardsByID NOTIFY cardsByIDChanged)

public:
    // The card files in loading order, each "<name>.json".
    static const QStringList &cardResourceNames();

    // An empty store that will read its files through `location`; loadCards() fills it.
    explicit CardDataStore(const ResourceLocation &location = {}, QObject *parent = nullptr);

    // The process-wide catalogue, loaded on first use and never reloaded.
    static CardDataStore &shared();
    // Starts loading the shared catalogue on a worker thread, so that it is ready (or nearly)
    // when the first screen asks for it; shared() waits for a load under way.
    static void preloadShared();
    // The QML singleton is the shared instance.
    static CardDataStore *create(QQmlEngine *, QJSEngine *);

    // Reads the card files in order; a file that is missing, unreadable or not a valid card
    // file is skipped and the others still load.
    void loadCards();

    const QList<TarotCard> &allCards() const { return m_allCards; }
    const QHash<QString, TarotCard> &cardsByID() const { return m_cardsByID; }

    // Exact, case-sensitive match on the id.
    std::optional<TarotCard> cardByID(const QString &id) const;
    // The major cards by number; cards with equal numbers keep their file order.
    QList<TarotCard> majorArcana() const;
    // The cards of one suit by number; cards without a suit are never included.
    QList<TarotCard> cardsForSuit(Suit suit) const;

signals:
    void allCardsChanged();
    void cardsByIDChanged();

private:
    ResourceLocation m_location;
    QList<TarotCard> m_allCards;
    QHash<QString, TarotCard> m_cardsByID;
};
