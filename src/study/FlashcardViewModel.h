#pragma once

#include "DeckFilter.h"
#include "FlashcardDeckModel.h"
#include "TarotCard.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include <optional>

class CardDataStore;
class RandomSource;

// Flashcard practice: the cards of one group dealt in a random order and shown one at a time,
// with the meaning revealed on request and a record of which cards have been shown. Nothing of
// a round is kept once the screen goes away.
class FlashcardViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(DeckFilter::Group filter READ filter NOTIFY deckChanged)
    Q_PROPERTY(QStringList filterLabels READ filterLabels CONSTANT)
    Q_PROPERTY(FlashcardDeckModel *deck READ deck CONSTANT)
    Q_PROPERTY(int cardCount READ cardCount NOTIFY deckChanged)
    Q_PROPERTY(int currentIndex READ currentIndex NOTIFY deckChanged)
    Q_PROPERTY(bool hasCurrentCard READ hasCurrentCard NOTIFY deckChanged)
    Q_PROPERTY(TarotCard currentCard READ currentCardValue NOTIFY deckChanged)
    Q_PROPERTY(bool canGoPrevious READ canGoPrevious NOTIFY deckChanged)
    Q_PROPERTY(bool canGoNext READ canGoNext NOTIFY deckChanged)
    Q_PROPERTY(QString counterText READ counterText NOTIFY deckChanged)
    Q_PROPERTY(bool showMeaning READ showMeaning NOTIFY meaningChanged)
    Q_PROPERTY(bool animatesMeaning READ animatesMeaning NOTIFY animatesMeaningChanged)
    Q_PROPERTY(bool hidesNames READ hidesNames WRITE setHidesNames NOTIFY hidesNamesChanged)
    Q_PROPERTY(bool coversName READ coversName NOTIFY coverChanged)
    Q_PROPERTY(QString cardAccessibleName READ cardAccessibleName NOTIFY coverChanged)
    Q_PROPERTY(int studiedCount READ studiedCount NOTIFY progressChanged)
    Q_PROPERTY(QString progressText READ progressText NOTIFY progressChanged)

public:
    // For QML: the shared catalogue and the system's randomness.
    explicit FlashcardViewModel(QObject *parent = nullptr);
    // Both must outlive the model.
    FlashcardViewModel(CardDataStore &cards, RandomSource &random, QObject *parent = nullptr);

    // The groups one can practise by their full names, in the filter menu's order.
    static QStringList filterLabels();

    // The screen appears: the first time the deck is dealt; every time the card shown counts
    // as studied.
    Q_INVOKABLE void appear();
    // Deals the current group afresh: new order, first card, meaning hidden, nothing studied.
    Q_INVOKABLE void reshuffle();
    // Chooses the group to practise (by its place in the filter menu) and starts over; the
    // group already chosen changes nothing.
    Q_INVOKABLE void selectFilter(int index);
    void setFilter(DeckFilter::Group filter);
    Q_INVOKABLE void next();
    Q_INVOKABLE void previous();
    // Shows the card with this id (a row of the sidebar list); unknown ids change nothing.
    Q_INVOKABLE void select(const QString &id);
    // Reveals or hides the meaning; revealing counts the card as studied.
    Q_INVOKABLE void toggleMeaning();
    void markStudied();
    // While names are hidden, the card shown keeps its name covered until its meaning is
    // revealed, so the picture's caption does not give the answer away.
    void setHidesNames(bool hides);

    DeckFilter::Group filter() const { return m_filter; }
    FlashcardDeckModel *deck() { return &m_deck; }
    // The cards the current group selects, in catalogue order.
    QList<TarotCard> filteredCards() const;
    const QList<TarotCard> &shuffledCards() const { return m_shuffledCards; }
    const QSet<QString> &studiedIDs() const { return m_studiedIDs; }
    int cardCount() const { return int(m_shuffledCards.size()); }
    int currentIndex() const { return m_currentIndex; }
    std::optional<TarotCard> currentCard() const;
    bool hasCurrentCard() const { return currentCard().has_value(); }
    TarotCard currentCardValue() const { return currentCard().value_or(TarotCard()); }
    bool canGoPrevious() const { return m_currentIndex >= 1; }
    bool canGoNext() const { return m_currentIndex < cardCount() - 1; }
    QString counterText() const;
    bool showMeaning() const { return m_showMeaning; }
    // Whether the last change of showMeaning came from a click on the card (shown with a
    // slide) rather than from paging (shown at once).
    bool animatesMeaning() const { return m_animatesMeaning; }
    bool hidesNames() const { return m_hidesNames; }
    bool coversName() const { return m_hidesNames && !m_showMeaning && hasCurrentCard(); }
    // What a screen reader says for the card: its name, or only its place while covered.
    QString cardAccessibleName() const;
    int studiedCount() const { return int(m_studiedIDs.size()); }
    QString progressText() const;

signals:
    // The group, the order or the position changed.
    void deckChanged();
    void meaningChanged();
    // Emitted before meaningChanged, so a view knows how to show the change when it comes.
    void animatesMeaningChanged();
    void progressChanged();
    void hidesNamesChanged();
    // Whether the name of the card shown is covered may have changed.
    void coverChanged();

private:
    // The shared catalogue, read on first use, when `cards` is null.
    FlashcardViewModel(CardDataStore *cards, RandomSource &random, QObject *parent);
    CardDataStore &cards() const;
    // Moves to `index` with the meaning hidden, then counts the card there.
    void moveTo(int index);
    void setShowMeaning(bool show, bool animated);

    mutable CardDataStore *m_cards = nullptr;
    RandomSource *m_random;
    FlashcardDeckModel m_deck;
    int m_currentIndex = 0;
    bool m_showMeaning = false;
    bool m_animatesMeaning = false;
    bool m_hidesNames = false;
    QSet<QString> m_studiedIDs;
    DeckFilter::Group m_filter = DeckFilter::All;
    QList<TarotCard> m_shuffledCards;
};
