#include "CardDataStore.h"

#include "CardJson.h"

#include <QCoreApplication>
#include <QFile>
#include <QQmlEngine>
#include <QSet>
#include <QThreadPool>

#include <algorithm>

namespace {

std::optional<QList<TarotCard>> readCardFile(const ResourceLocation &location, const QString &name)
{
    const auto path = location.path(name, QStringLiteral("json"));
    if (!path)
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return CardJson::decodeCards(file.readAll());
}

QList<TarotCard> sortedByNumber(QList<TarotCard> cards)
{
    std::stable_sort(cards.begin(), cards.end(),
                     [](const TarotCard &a, const TarotCard &b) { return a.number < b.number; });
    return cards;
}

} // namespace

const QStringList &CardDataStore::cardResourceNames()
{
    static const QStringList names{QStringLiteral("MajorArcana"), QStringLiteral("MinorArcanaWands"),
                                   QStringLiteral("MinorArcanaCups"), QStringLiteral("MinorArcanaSwords"),
                                   QStringLiteral("MinorArcanaPentacles")};
    return names;
}

CardDataStore::CardDataStore(const ResourceLocation &location, QObject *parent) : QObject(parent), m_location(location)
{}

CardDataStore &CardDataStore::shared()
{
    // A static's first initialisation is thread-safe: a caller arriving while a preload
    // initialises it waits for that load instead of starting another.
    static CardDataStore *const instance = [] {
        auto *store = new CardDataStore;
        store->loadCards();
        // Loaded perhaps on a worker thread, but used by the screens on the main thread.
        if (QCoreApplication *app = QCoreApplication::instance())
            store->moveToThread(app->thread());
        return store;
    }();
    return *instance;
}

void CardDataStore::preloadShared()
{
    QThreadPool::globalInstance()->start([] { shared(); });
}

CardDataStore *CardDataStore::create(QQmlEngine *, QJSEngine *)
{
    CardDataStore *store = &shared();
    QQmlEngine::setObjectOwnership(store, QQmlEngine::CppOwnership);
    return store;
}

void CardDataStore::loadCards()
{
    // Ids are meant to be unique across the files. Should one repeat, the first card keeps it
    // and later cards with that id are left out of allCards as well as the index, so that every
    // listed card is also the one cardByID returns.
    QSet<QString> seenIds;
    for (const TarotCard &card : std::as_const(m_allCards))
        seenIds.insert(card.id);
    for (const QString &name : cardResourceNames()) {
        const auto cards = readCardFile(m_location, name);
        if (!cards)
            continue;
        QList<TarotCard> added;
        for (const TarotCard &card : *cards) {
            if (!seenIds.contains(card.id)) {
                seenIds.insert(card.id);
                added.append(card);
            }
        }
        if (added.isEmpty())
            continue;
        m_allCards.append(added);
        emit allCardsChanged();
    }

    QHash<QString, TarotCard> index;
    index.reserve(m_allCards.size());
    for (const TarotCard &card : std::as_const(m_allCards))
        index.insert(card.id, card);
    m_cardsByID = index;
    emit cardsByIDChanged();
}

std::optional<TarotCard> CardDataStore::cardByID(const QString &id) const
{
    const auto found = m_cardsByID.constFind(id);
    if (found == m_cardsByID.cend())
        return std::nullopt;
    return *found;
}

QList<TarotCard> CardDataStore::majorArcana() const
{
    QList<TarotCard> majors;
    std::copy_if(m_allCards.cbegin(), m_allCards.cend(), std::back_inserter(majors),
                 [](const TarotCard &card) { return card.arcana == Arcana::major; });
    return sortedByNumber(majors);
}

QList<TarotCard> CardDataStore::cardsForSuit(Suit suit) const
{
    QList<TarotCard> cards;
    std::copy_if(m_allCards.cbegin(), m_allCards.cend(), std::back_inserter(cards),
                 [suit](const TarotCard &card) { return card.suit == suit; });
    return sortedByNumber(cards);
}
