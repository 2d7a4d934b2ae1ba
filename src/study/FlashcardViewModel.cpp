#include "FlashcardViewModel.h"

#include "CardDataStore.h"
#include "RandomSource.h"
#include "Shuffle.h"

#include <algorithm>

FlashcardViewModel::FlashcardViewModel(QObject *parent) : FlashcardViewModel(nullptr, RandomSource::system(), parent)
{}

FlashcardViewModel::FlashcardViewModel(CardDataStore &cards, RandomSource &random, QObject *parent)
    : FlashcardViewModel(&cards, random, parent)
{}

FlashcardViewModel::FlashcardViewModel(CardDataStore *cards, RandomSource &random, QObject *parent)
    : QObject(parent), m_cards(cards), m_random(&random)
{
    // The cover is for the card shown: another card or another count can change it.
    connect(this, &FlashcardViewModel::deckChanged, this, &FlashcardViewModel::coverChanged);
}

CardDataStore &FlashcardViewModel::cards() const
{
    // The shared catalogue is read on first use, not when the model is made.
    if (!m_cards)
        m_cards = &CardDataStore::shared();
    return *m_cards;
}

QStringList FlashcardViewModel::filterLabels()
{
    QStringList labels;
    for (DeckFilter::Group group : DeckFilter::groups())
        labels.append(DeckFilter::name(group));
    return labels;
}

QList<TarotCard> FlashcardViewModel::filteredCards() const
{
    return DeckFilter::cardsOf(cards(), m_filter);
}

void FlashcardViewModel::appear()
{
    if (m_shuffledCards.isEmpty()) {
        // Only the order is dealt here; position, meaning and progress stay as they are.
        m_shuffledCards = filteredCards();
        Random::shuffle(m_shuffledCards, *m_random);
        m_deck.reset(m_shuffledCards, m_studiedIDs, m_currentIndex);
        emit deckChanged();
    }
    markStudied();
}

void FlashcardViewModel::reshuffle()
{
    QList<TarotCard> dealt = filteredCards();
    Random::shuffle(dealt, *m_random);
    m_shuffledCards = dealt;
    m_currentIndex = 0;
    m_studiedIDs.clear();
    m_deck.reset(m_shuffledCards, m_studiedIDs, m_currentIndex);
    setShowMeaning(false, false);
    emit deckChanged();
    emit progressChanged();
}

void FlashcardViewModel::selectFilter(int index)
{
    if (index >= 0 && index < DeckFilter::groups().size())
        setFilter(DeckFilter::Group(index));
}

void FlashcardViewModel::setFilter(DeckFilter::Group filter)
{
    if (filter == m_filter)
        return;
    m_filter = filter;
    reshuffle();
}

void FlashcardViewModel::next()
{
    if (canGoNext())
        moveTo(m_currentIndex + 1);
}

void FlashcardViewModel::previous()
{
    if (canGoPrevious())
        moveTo(m_currentIndex - 1);
}

void FlashcardViewModel::select(const QString &id)
{
    if (id.isEmpty())
        return;
    const auto found = std::find_if(m_shuffledCards.cbegin(), m_shuffledCards.cend(),
                                    [&id](const TarotCard &card) { return card.id == id; });
    if (found != m_shuffledCards.cend())
        moveTo(int(found - m_shuffledCards.cbegin()));
}

void FlashcardViewModel::moveTo(int index)
{
    m_currentIndex = index;
    m_deck.setCurrent(index);
    setShowMeaning(false, false);
    emit deckChanged();
    markStudied();
}

void FlashcardViewModel::toggleMeaning()
{
    setShowMeaning(!m_showMeaning, true);
    if (m_showMeaning)
        markStudied();
}

void FlashcardViewModel::setShowMeaning(bool show, bool animated)
{
    if (show == m_showMeaning)
        return;
    if (animated != m_animatesMeaning) {
        m_animatesMeaning = animated;
        emit animatesMeaningChanged();
    }
    m_showMeaning = show;
    emit meaningChanged();
    emit coverChanged();
}

void FlashcardViewModel::setHidesNames(bool hides)
{
    if (hides == m_hidesNames)
        return;
    m_hidesNames = hides;
    emit hidesNamesChanged();
    emit coverChanged();
}

QString FlashcardViewModel::cardAccessibleName() const
{
    if (coversName())
        return tr("Hidden card, %1").arg(counterText());
    return currentCardValue().name;
}

void FlashcardViewModel::markStudied()
{
    if (m_currentIndex < 0 || m_currentIndex >= m_shuffledCards.size())
        return;
    const QString &id = m_shuffledCards.at(m_currentIndex).id;
    if (m_studiedIDs.contains(id))
        return;
    m_studiedIDs.insert(id);
    m_deck.setStudied(m_studiedIDs);
    emit progressChanged();
}

std::optional<TarotCard> FlashcardViewModel::currentCard() const
{
    if (m_currentIndex < 0 || m_currentIndex >= m_shuffledCards.size())
        return std::nullopt;
    return m_shuffledCards.at(m_currentIndex);
}

QString FlashcardViewModel::counterText() const
{
    return tr("Card %1 of %2").arg(m_currentIndex + 1).arg(cardCount());
}

QString FlashcardViewModel::progressText() const
{
    return tr("%1 of %2 studied").arg(studiedCount()).arg(cardCount());
}
