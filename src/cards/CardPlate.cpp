#include "CardPlate.h"

#include <QPainter>
#include <QPainterPath>

CardPlate::CardPlate(QQuickItem *parent) : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    connect(this, &CardPlate::changed, this, [this] { update(); });
}

void CardPlate::setTopLeading(const QColor &color)
{
    if (color == m_topLeading)
        return;
    m_topLeading = color;
    emit changed();
}

void CardPlate::setBottomTrailing(const QColor &color)
{
    if (color == m_bottomTrailing)
        return;
    m_bottomTrailing = color;
    emit changed();
}

void CardPlate::setCornerRadius(double radius)
{
    if (radius == m_cornerRadius)
        return;
    m_cornerRadius = radius;
    emit changed();
}

void CardPlate::paint(QPainter *painter)
{
    const QRectF bounds(0, 0, width(), height());
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath shape;
    shape.addRoundedRect(bounds, m_cornerRadius, m_cornerRadius);
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomRight());
    gradient.setColorAt(0, m_topLeading);
    gradient.setColorAt(1, m_bottomTrailing);
    painter->fillPath(shape, gradient);
}
