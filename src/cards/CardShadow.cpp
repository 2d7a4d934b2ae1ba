#include "CardShadow.h"

#include "SoftBlur.h"

#include <QPainter>

#include <cmath>

CardShadow::CardShadow(QQuickItem *parent) : RenderedItem(parent)
{}

void CardShadow::setColor(const QColor &color)
{
    assign(m_color, color);
}

void CardShadow::setRadius(double radius)
{
    assign(m_radius, radius);
}

void CardShadow::setCornerRadius(double cornerRadius)
{
    assign(m_cornerRadius, cornerRadius);
}

QImage CardShadow::render(QSizeF size, double cornerRadius, double radius, const QColor &color)
{
    const int margin = int(std::ceil(radius));
    QImage shape(int(std::ceil(size.width())) + 2 * margin, int(std::ceil(size.height())) + 2 * margin,
                 QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(QPointF(margin, margin), size), cornerRadius, cornerRadius);
    }
    return SoftBlur::tinted(shape, radius, color);
}

bool CardShadow::hasPicture() const
{
    return width() > 2 * m_radius && height() > 2 * m_radius;
}

QImage CardShadow::renderPicture(QSize, double dpr) const
{
    const QSizeF card(width() - 2 * m_radius, height() - 2 * m_radius);
    QImage image = render(card * dpr, m_cornerRadius * dpr, m_radius * dpr, m_color);
    image.setDevicePixelRatio(dpr);
    return image;
}

QString CardShadow::sharedKey(QSize, double dpr) const
{
    return QStringLiteral("%1x%2/%3/%4/%5@%6")
        .arg(width() - 2 * m_radius)
        .arg(height() - 2 * m_radius)
        .arg(m_cornerRadius)
        .arg(m_radius)
        .arg(m_color.rgba(), 0, 16)
        .arg(dpr);
}
