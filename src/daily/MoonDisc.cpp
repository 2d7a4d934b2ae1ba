#include "MoonDisc.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

MoonDisc::MoonDisc(QQuickItem *parent) : QQuickPaintedItem(parent)
{
    setAntialiasing(true);
    connect(this, &MoonDisc::changed, this, [this] { update(); });
}

void MoonDisc::setLitFraction(double fraction)
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    if (fraction == m_litFraction)
        return;
    m_litFraction = fraction;
    emit changed();
}

void MoonDisc::setLitOnRight(bool right)
{
    if (right == m_litOnRight)
        return;
    m_litOnRight = right;
    emit changed();
}

void MoonDisc::setLitColor(const QColor &color)
{
    if (color == m_litColor)
        return;
    m_litColor = color;
    emit changed();
}

void MoonDisc::setDarkColor(const QColor &color)
{
    if (color == m_darkColor)
        return;
    m_darkColor = color;
    emit changed();
}

QPainterPath MoonDisc::litShape(const QRectF &bounds, double fraction, bool litOnRight)
{
    QPainterPath path;
    fraction = std::clamp(fraction, 0.0, 1.0);
    if (fraction <= 0)
        return path;
    if (fraction >= 1) {
        path.addEllipse(bounds);
        return path;
    }
    const QPointF centre = bounds.center();
    const double radius = bounds.width() / 2;
    const double halfWidth = radius * std::abs(1 - 2 * fraction);
    const QRectF terminator(centre.x() - halfWidth, bounds.top(), 2 * halfWidth, bounds.height());
    // Qt's angles run counter-clockwise from three o'clock; 90° is the top of the disc.
    const double limbSweep = litOnRight ? -180 : 180;
    // A crescent's terminator lies on the lit side of the centre, a gibbous moon's on the other.
    const bool terminatorOnRight = (fraction < 0.5) == litOnRight;
    path.moveTo(centre.x(), bounds.top());
    path.arcTo(bounds, 90, limbSweep);
    path.arcTo(terminator, 270, terminatorOnRight ? 180 : -180);
    path.closeSubpath();
    return path;
}

void MoonDisc::paint(QPainter *painter)
{
    const double side = std::min(width(), height());
    const QRectF disc((width() - side) / 2, (height() - side) / 2, side, side);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(m_darkColor);
    painter->drawEllipse(disc);
    painter->setBrush(m_litColor);
    painter->drawPath(litShape(disc, m_litFraction, m_litOnRight));
}
