#pragma once

#include "ReadingResult.h"

#include <QAbstractListModel>
#include <QPointF>
#include <QPointer>
#include <QSizeF>
#include <QtQml/qqmlregistration.h>

class PositionedCardList;
Q_MOC_INCLUDE("PositionedCardList.h")

// A spread of the user's design drawn as it was designed, scaled as one piece to fit the room
// it is given: cards and spaces grow and shrink together, so cards that were apart in the
// design stay apart, and a card laid across another stays across it. Below a smallest card
// size the drawing stops shrinking and grows taller than the room instead, to be scrolled.
class DesignedSpreadLayout : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double availableWidth READ availableWidth WRITE setAvailableWidth NOTIFY geometryChanged)
    Q_PROPERTY(double availableHeight READ availableHeight WRITE setAvailableHeight NOTIFY geometryChanged)
    Q_PROPERTY(PositionedCardList *cards READ cards WRITE setCards NOTIFY cardsChanged)
    Q_PROPERTY(double cardWidth READ cardWidth NOTIFY geometryChanged)
    Q_PROPERTY(double cardHeight READ cardHeight NOTIFY geometryChanged)
    Q_PROPERTY(double drawnWidth READ drawnWidth NOTIFY geometryChanged)
    Q_PROPERTY(double drawnHeight READ drawnHeight NOTIFY geometryChanged)

public:
    enum Roles {
        IndexRole = Qt::UserRole + 1,
        CardRole,
        IsReversedRole,
        RotationRole,
        CentreXRole,
        CentreYRole,
        AccessibleNameRole,
    };

    // The room kept clear around the drawing, and the largest and smallest scale.
    static constexpr double margin = 12;
    static constexpr double largestScale = 1.6;
    static constexpr double smallestCardWidth = 44;

    struct Fitted
    {
        double scale = 1;
        QSizeF size;
        QList<QPointF> centres; // one per position, from the drawing's top left corner
    };
    static Fitted fit(const QList<SpreadPosition> &positions, QSizeF available);

    explicit DesignedSpreadLayout(QObject *parent = nullptr);

    double availableWidth() const { return m_available.width(); }
    void setAvailableWidth(double width);
    double availableHeight() const { return m_available.height(); }
    void setAvailableHeight(double height);
    PositionedCardList *cards() const { return m_cards; }
    void setCards(PositionedCardList *cards);
    double cardWidth() const;
    double cardHeight() const;
    double drawnWidth() const { return m_fitted.size.width(); }
    double drawnHeight() const { return m_fitted.size.height(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void geometryChanged();
    void cardsChanged();

private:
    void refit();
    void rebuild();

    QSizeF m_available;
    QPointer<PositionedCardList> m_cards;
    QList<PositionedCard> m_shown;
    Fitted m_fitted;
};
