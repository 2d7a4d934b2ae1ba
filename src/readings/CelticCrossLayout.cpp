#include "CelticCrossLayout.h"

#include "CardStyle.h"
#include "PositionedCardList.h"

#include <algorithm>
#include <cmath>

double CelticCrossLayout::scaleFor(double width)
{
    return std::min(width / 430.0, 1.4);
}

QPointF CelticCrossLayout::crossCentre(double width)
{
    const double s = scaleFor(width);
    return {width / 2 - 10 * s, 190 * s};
}

QPointF CelticCrossLayout::cardCentre(double width, QPointF layoutOffset)
{
    return crossCentre(width) + layoutOffset * scaleFor(width);
}

QPointF CelticCrossLayout::badgeOffsetFor(double width)
{
    const double s = scaleFor(width);
    return {-30 * s, -50 * s};
}

CelticCrossLayout::CelticCrossLayout(QObject *parent) : QAbstractListModel(parent)
{
    connect(this, &CelticCrossLayout::geometryChanged, this, &CelticCrossLayout::drawnHeightChanged);
    connect(this, &CelticCrossLayout::countChanged, this, &CelticCrossLayout::drawnHeightChanged);
}

double CelticCrossLayout::drawnHeight() const
{
    static const CardMetrics card = CardStyle::metrics(int(CardSize::Small));
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
            {StackingRole, "stacking"},     {AccessibleNameRole, "accessibleName"}};
}
