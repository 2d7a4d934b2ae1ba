#include "DesignedSpreadLayout.h"

#include "CustomSpread.h"
#include "PositionedCardList.h"

#include <algorithm>

DesignedSpreadLayout::Fitted DesignedSpreadLayout::fit(const QList<SpreadPosition> &positions, QSizeF available)
{
    Fitted fitted;
    if (positions.isEmpty())
        return fitted;
    const QRectF bounds = CustomSpread::layoutBounds(positions);
    const double roomWidth = std::max(0.0, available.width() - 2 * margin);
    const double roomHeight = std::max(0.0, available.height() - 2 * margin);
    double scale = std::min({roomWidth / bounds.width(), roomHeight / bounds.height(), largestScale});
    scale = std::max(scale, smallestCardWidth / CustomSpread::cardWidth);
    fitted.scale = scale;
    const QSizeF drawing(bounds.width() * scale, bounds.height() * scale);
    fitted.size = QSizeF(std::max(available.width(), drawing.width() + 2 * margin), drawing.height() + 2 * margin);
    // Centred across the room, from the top down.
    const QPointF origin((fitted.size.width() - drawing.width()) / 2, margin);
    for (const SpreadPosition &position : positions)
        fitted.centres.append(origin + (position.layoutOffset - bounds.topLeft()) * scale);
    return fitted;
}

DesignedSpreadLayout::DesignedSpreadLayout(QObject *parent) : QAbstractListModel(parent)
{}

void DesignedSpreadLayout::setAvailableWidth(double width)
{
    if (qFuzzyCompare(m_available.width(), width))
        return;
    m_available.setWidth(width);
    refit();
}

void DesignedSpreadLayout::setAvailableHeight(double height)
{
    if (qFuzzyCompare(m_available.height(), height))
        return;
    m_available.setHeight(height);
    refit();
}

void DesignedSpreadLayout::setCards(PositionedCardList *cards)
{
    if (m_cards == cards)
        return;
    if (m_cards)
        disconnect(m_cards, nullptr, this, nullptr);
    m_cards = cards;
    if (m_cards)
        connect(m_cards, &QAbstractItemModel::modelReset, this, &DesignedSpreadLayout::rebuild);
    emit cardsChanged();
    rebuild();
}

double DesignedSpreadLayout::cardWidth() const
{
    return CustomSpread::cardWidth * m_fitted.scale;
}

double DesignedSpreadLayout::cardHeight() const
{
    return CustomSpread::cardHeight * m_fitted.scale;
}

void DesignedSpreadLayout::refit()
{
    QList<SpreadPosition> positions;
    for (const PositionedCard &card : std::as_const(m_shown))
        positions.append(card.position);
    m_fitted = fit(positions, m_available);
    emit geometryChanged();
    if (!m_shown.isEmpty())
        emit dataChanged(index(0), index(int(m_shown.size()) - 1), {CentreXRole, CentreYRole});
}

void DesignedSpreadLayout::rebuild()
{
    beginResetModel();
    m_shown = m_cards ? m_cards->cards() : QList<PositionedCard>();
    endResetModel();
    refit();
}

int DesignedSpreadLayout::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant DesignedSpreadLayout::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown.size())
        return {};
    const int row = index.row();
    const PositionedCard &card = m_shown.at(row);
    switch (role) {
    case IndexRole:
        return row;
    case CardRole:
        return QVariant::fromValue(card.card);
    case IsReversedRole:
        return card.isReversed;
    case RotationRole:
        return card.position.layoutRotation;
    case CentreXRole:
        return m_fitted.centres.value(row).x();
    case CentreYRole:
        return m_fitted.centres.value(row).y();
    case AccessibleNameRole:
        // The user's own position names are what tell the cards of a design apart.
        return PositionedCardList::accessibleName(card);
    default:
        return {};
    }
}

QHash<int, QByteArray> DesignedSpreadLayout::roleNames() const
{
    return {{IndexRole, "cardIndex"},
            {CardRole, "card"},
            {IsReversedRole, "isReversed"},
            {RotationRole, "cardRotation"},
            {CentreXRole, "centreX"},
            {CentreYRole, "centreY"},
            {AccessibleNameRole, "accessibleName"}};
}
