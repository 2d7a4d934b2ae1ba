#pragma once

#include "ReadingResult.h"

#include <QAbstractListModel>
#include <QPointF>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class PositionedCardList;
Q_MOC_INCLUDE("PositionedCardList.h")

// Where each card of a Celtic Cross lies in a drawing of a given width. The offsets of the
// spread are stretched across with the width (up to 1.4 times, reached at 602 points) and down
// by a fixed step that leaves a gap between cards one above the other, since the cards
// themselves keep their size. One row per card shown:
// the first `revealedCount` cards, the crossing card drawn over the centre card.
class CelticCrossLayout : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY geometryChanged)
    Q_PROPERTY(PositionedCardList *cards READ cards WRITE setCards NOTIFY cardsChanged)
    Q_PROPERTY(int revealedCount READ revealedCount WRITE setRevealedCount NOTIFY revealedCountChanged)
    Q_PROPERTY(double scale READ scale NOTIFY geometryChanged)
    Q_PROPERTY(double badgeDiameter READ badgeDiameterValue CONSTANT)
    Q_PROPERTY(double height READ height CONSTANT)
    Q_PROPERTY(double drawnHeight READ drawnHeight NOTIFY drawnHeightChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Roles {
        IndexRole = Qt::UserRole + 1,
        CardRole,
        IsReversedRole,
        RotationRole,
        CentreXRole,
        CentreYRole,
        StackingRole,
        AccessibleNameRole,
        BadgeXRole,
        BadgeYRole,
    };

    // The drawing is always this tall.
    static constexpr double fixedHeight = 500;

    static constexpr double badgeDiameter = 22;

    // How much the spread's offsets are stretched across at this width.
    static double scaleFor(double width);
    // How much they are stretched down, at any width.
    static double verticalScale();
    // The centre of the cross, from the drawing's top left corner.
    static QPointF crossCentre(double width);
    // The centre of the card with this layout offset.
    static QPointF cardCentre(double width, QPointF layoutOffset);
    // Where the number badge's centre sits relative to its card's centre, for a card turned by
    // this many degrees.
    static QPointF badgeOffsetFor(double rotation);
    // Drawing order: the crossing card lies on top of the centre card.
    static int stacking(int index) { return index == 1 ? 1 : 0; }

    explicit CelticCrossLayout(QObject *parent = nullptr);

    double width() const { return m_width; }
    void setWidth(double width);
    PositionedCardList *cards() const { return m_cards; }
    void setCards(PositionedCardList *cards);
    int revealedCount() const { return m_revealedCount; }
    void setRevealedCount(int count);
    double scale() const { return scaleFor(m_width); }
    double badgeDiameterValue() const { return badgeDiameter; }
    double height() const { return fixedHeight; }
    // The room the cards shown take below the drawing's top: the fixed height, or more when the
    // stretched staff reaches below it (at the widest scale it does), so nothing laid out after
    // the drawing lies under its cards.
    double drawnHeight() const;
    // How many cards are drawn.
    int count() const { return m_shown; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void geometryChanged();
    void cardsChanged();
    void revealedCountChanged();
    void countChanged();
    void drawnHeightChanged();

private:
    int wantedCount() const;
    void rebuild();

    double m_width = 0;
    QPointer<PositionedCardList> m_cards;
    int m_revealedCount = 0;
    int m_shown = 0;
};
