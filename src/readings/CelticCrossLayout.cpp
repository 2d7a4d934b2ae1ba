#include "CelticCrossLayout.h"

#include "CardStyle.h"
#include "PositionedCardList.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {
const CardMetrics &smallCard()
{
    static const CardMetrics metrics = CardStyle::metrics(int(CardSize::Small));
    return metrics;
}
// The clear space left between two cards one above the other.
constexpr double verticalGap = 12;
// The clear space between the drawing's top and the highest card, the staff's last.
constexpr double topMargin = 8;
} // namespace

double CelticCrossLayout::scaleFor(double width)
{
    return std::min(width / 430.0, 1.4);
}

double CelticCrossLayout::verticalScale()
{
    // The staff's offsets are 100 apart; the cards keep their size, so the step follows from
    // their height rather than from the width.
    return (smallCard().height + verticalGap) / 100.0;
}

QPointF CelticCrossLayout::crossCentre(double width)
{
    // The offsets reach from -180 to 160 across; moving the centre 10 scaled points right puts
    // the whole pattern in the middle of the drawing.
    const double sy = verticalScale();
    return {width / 2 + 10 * scaleFor(width), 150 * sy + smallCard().height / 2 + topMargin};
}

QPointF CelticCrossLayout::cardCentre(double width, QPointF layoutOffset)
{
    return crossCentre(width) + QPointF(layoutOffset.x() * scaleFor(width), layoutOffset.y() * verticalScale());
}

QPointF CelticCrossLayout::badgeOffsetFor(double rotation)
{
    // Just inside the card's top left corner, turned with the card: on the crossing card it
    // sits at the end that reaches past the centre card, so neither badge hides the other.
    const CardMetrics &card = smallCard();
    const double inset = badgeDiameter / 2 + 3;
    const QPointF upright(-card.width / 2 + inset, -card.height / 2 + inset);
    const double radians = qDegreesToRadians(rotation);
    return {upright.x() * std::cos(radians) - upright.y() * std::sin(radians),
            upright.x() * std::sin(radians) + upright.y() * std::cos(radians)};
}

CelticCrossLayout::CelticCrossLayout(QObject *parent) : QAbstractListModel(parent)
{
    connect(this, &CelticCrossLayout::geometryChanged, this, &CelticCrossLayout::drawnHeightChanged);
    connect(this, &CelticCrossLayout::countChanged, this, &CelticCrossLayout::drawnHeightChanged);
}

double CelticCrossLayout::drawnHeight() const
{
    const CardMetrics &card = smallCard();
    double bottom = fixedHeight;
    for (int row = 0; row < m_shown && m_cards; ++row) {
        const SpreadPosition position = m_cards->at(row).position;
        // A card turned a quarter reaches half its width below its centre, else half its height.
        const bool across = std::fmod(std::abs(position.layoutRotation), 180.0) == 90.0;
        const double reach = (across ? card.width : card.height) / 2;
        bottom = std::max(bottom, cardCentre(m_width, position.layoutOffset).y() + reach);
    }
    return bottom;
}

void CelticCrossLayout::setWidth(double width)
{
    if (qFuzzyCompare(m_width, width))
        return;
    m_width = width;
    emit geometryChanged();
    if (m_shown > 0)
        emit dataChanged(index(0), index(m_shown - 1), {CentreXRole, CentreYRole});
}

void CelticCrossLayout::setCards(PositionedCardList *cards)
{
    if (m_cards == cards)
        return;
    if (m_cards)
        disconnect(m_cards, nullptr, this, nullptr);
    m_cards = cards;
    if (m_cards)
        connect(m_cards, &QAbstractItemModel::modelReset, this, &CelticCrossLayout::rebuild);
    emit cardsChanged();
    rebuild();
}

void CelticCrossLayout::setRevealedCount(int count)
{
    // A negative count shows nothing.
    count = std::max(0, count);
    if (count == m_revealedCount)
        return;
    m_revealedCount = count;
    emit revealedCountChanged();
    const int wanted = wantedCount();
    if (wanted > m_shown) {
        beginInsertRows({}, m_shown, wanted - 1);
        m_shown = wanted;
        endInsertRows();
        emit countChanged();
    } else if (wanted < m_shown) {
        beginRemoveRows({}, wanted, m_shown - 1);
        m_shown = wanted;
        endRemoveRows();
        emit countChanged();
    }
}

int CelticCrossLayout::wantedCount() const
{
    return m_cards ? std::min(m_cards->count(), m_revealedCount) : 0;
}

void CelticCrossLayout::rebuild()
{
    const int before = m_shown;
    beginResetModel();
    m_shown = wantedCount();
    endResetModel();
    if (before != m_shown)
        emit countChanged();
}

int CelticCrossLayout::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

QVariant CelticCrossLayout::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown || !m_cards)
        return {};
    const int row = index.row();
    const PositionedCard card = m_cards->at(row);
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
        return cardCentre(m_width, card.position.layoutOffset).x();
    case CentreYRole:
        return cardCentre(m_width, card.position.layoutOffset).y();
    case BadgeXRole:
        return badgeOffsetFor(card.position.layoutRotation).x();
    case BadgeYRole:
        return badgeOffsetFor(card.position.layoutRotation).y();
    case StackingRole:
        return stacking(row);
    case AccessibleNameRole:
        return PositionedCardList::accessibleName(card);
    default:
        return {};
    }
}

QHash<int, QByteArray> CelticCrossLayout::roleNames() const
{
    return {{IndexRole, "cardIndex"},       {CardRole, "card"},
            {IsReversedRole, "isReversed"}, {RotationRole, "cardRotation"},
            {CentreXRole, "centreX"},       {CentreYRole, "centreY"},
            {StackingRole, "stacking"},     {AccessibleNameRole, "accessibleName"},
            {BadgeXRole, "badgeX"},         {BadgeYRole, "badgeY"}};
}
