#pragma once

#include "TarotCard.h"

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class CardDataStore;

// Pages through a fixed list of cards, the ones the library showed when one of them was
// opened: the card shown, the direction of the last step (which side the next card slides in
// from), and whether either end is reached. There is no wrap-around. The arrow keys page and
// always count as handled, even at the ends.
class CardDetailPagerModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QList<QString> cardIds READ cardIds WRITE setCardIds NOTIFY cardsChanged)
    Q_PROPERTY(int startIndex READ startIndex WRITE setStartIndex NOTIFY startIndexChanged)
    Q_PROPERTY(int count READ count NOTIFY cardsChanged)
    Q_PROPERTY(int currentIndex READ currentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(bool navigatingForward READ navigatingForward NOTIFY currentIndexChanged)
    Q_PROPERTY(bool hasCurrent READ hasCurrent NOTIFY currentIndexChanged)
    Q_PROPERTY(bool canGoBack READ canGoBack NOTIFY currentIndexChanged)
    Q_PROPERTY(bool canGoForward READ canGoForward NOTIFY currentIndexChanged)
    Q_PROPERTY(QString positionText READ positionText NOTIFY currentIndexChanged)
    Q_PROPERTY(TarotCard currentCard READ currentCard NOTIFY currentIndexChanged)
    Q_PROPERTY(QString currentCardId READ currentCardId NOTIFY currentIndexChanged)

public:
    explicit CardDetailPagerModel(QObject *parent = nullptr);

    // Where the ids are looked up: the shared catalogue unless a test gives its own, which
    // must outlive the model.
    void setCardStore(const CardDataStore &store);

    // The cards by their catalogue ids, in paging order. Ids the catalogue does not know are
    // left out.
    QStringList cardIds() const;
    void setCardIds(const QStringList &ids);
    void setCards(const QList<TarotCard> &cards);
    const QList<TarotCard> &cards() const { return m_cards; }
    int startIndex() const { return m_startIndex; }
    // Where paging starts: the current index moves there, facing forward.
    void setStartIndex(int index);

    int count() const { return int(m_cards.size()); }
    int currentIndex() const { return m_currentIndex; }
    bool navigatingForward() const { return m_navigatingForward; }
    bool hasCurrent() const { return m_currentIndex >= 0 && m_currentIndex < count(); }
    bool canGoBack() const { return m_currentIndex >= 1; }
    bool canGoForward() const { return m_currentIndex < count() - 1; }
    // "3 of 22".
    QString positionText() const;
    TarotCard currentCard() const { return hasCurrent() ? m_cards.at(m_currentIndex) : TarotCard(); }
    QString currentCardId() const { return hasCurrent() ? m_cards.at(m_currentIndex).id : QString(); }

    Q_INVOKABLE void next();
    Q_INVOKABLE void previous();
    // Right arrow: next; left arrow: previous. Returns whether the key is one of the two.
    Q_INVOKABLE bool handleKey(int key);

signals:
    void cardsChanged();
    void startIndexChanged();
    void currentIndexChanged();

private:
    void moveTo(int index, bool forward);

    const CardDataStore *m_store = nullptr;
    QList<TarotCard> m_cards;
    int m_startIndex = 0;
    int m_currentIndex = 0;
    bool m_navigatingForward = true;
};
