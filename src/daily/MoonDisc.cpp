#include "MoonDisc.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

MoonDisc::MoonDisc(QQuickItem *parent) : RenderedItem(parent)
{}

void MoonDisc::setLitFraction(double fraction)
{
    fraction = std::clamp(fraction, 0.0, 1.0);
    assign(m_litFraction, fraction);
}

void MoonDisc::setLitOnRight(bool right)
{
    assign(m_litOnRight, right);
}

void MoonDisc::setLitColor(const QColor &color)
{
    assign(m_litColor, color);
}

void MoonDisc::setDarkColor(const QColor &color)
{
    assign(m_darkColor, color);
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

QImage MoonDisc::renderPicture(QSize pixels, double dpr) const
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(dpr, dpr);
    const double side = std::min(width(), height());
    const QRectF disc((width() - side) / 2, (height() - side) / 2, side, side);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_darkColor);
    painter.drawEllipse(disc);
    painter.setBrush(m_litColor);
    painter.drawPath(litShape(disc, m_litFraction, m_litOnRight));
    painter.end();
    return image;
}
