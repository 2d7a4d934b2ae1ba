#pragma once

#include "ReadingResult.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

// The cards of one reading in position order, as the reading screens, the sequence viewer and
// the summary show them. Each row also carries what a row of a reading displays: the meaning
// for its position in the drawn orientation and the name a screen reader announces.
class PositionedCardList : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the reading models")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Roles {
        CardRole = Qt::UserRole + 1,
        PositionRole,
        IsReversedRole,
        MeaningRole,
        AccessibleNameRole,
    };

    explicit PositionedCardList(QObject *parent = nullptr);

    // The position's own meaning when the card has one for it, else the general meaning; in
    // the orientation the card lies in.
    static QString meaning(const PositionedCard &card);
    // "Three of Cups" or "Three of Cups, reversed".
    static QString accessibleName(const PositionedCard &card);

    const QList<PositionedCard> &cards() const { return m_cards; }
    void setCards(const QList<PositionedCard> &cards);
    int count() const { return int(m_cards.size()); }
    // The card at `index`, or an empty one outside the list.
    Q_INVOKABLE PositionedCard at(int index) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    QList<PositionedCard> m_cards;
};
