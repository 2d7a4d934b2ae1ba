#pragma once

#include "CardPager.h"
#include "TarotCard.h"

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

class CardDataStore;

// Pages through a fixed list of cards, the ones the library showed when one of them was
// opened, with the paging rule of CardPager (no wrap-around; the arrow keys page and always
// count as handled, even at the ends).
class CardDetailPagerModel : public CardPager
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QList<QString> cardIds READ cardIds WRITE setCardIds NOTIFY cardsChanged)
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

    // "3 of 22".
    QString positionText() const;
    TarotCard currentCard() const { return hasCurrent() ? m_cards.at(currentIndex()) : TarotCard(); }
    QString currentCardId() const { return hasCurrent() ? m_cards.at(currentIndex()).id : QString(); }

signals:
    void cardsChanged();

private:
    const CardDataStore *m_store = nullptr;
    QList<TarotCard> m_cards;
};
