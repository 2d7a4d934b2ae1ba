#include "CardPlate.h"

#include <QPainter>
#include <QPainterPath>

CardPlate::CardPlate(QQuickItem *parent) : RenderedItem(parent)
{}

void CardPlate::setTopLeading(const QColor &color)
{
    assign(m_topLeading, color);
}

void CardPlate::setBottomTrailing(const QColor &color)
{
    assign(m_bottomTrailing, color);
}

void CardPlate::setCornerRadius(double radius)
{
    assign(m_cornerRadius, radius);
}

QImage CardPlate::render(QSize size, double cornerRadius, const QColor &topLeading, const QColor &bottomTrailing)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(QPointF(0, 0), size.toSizeF());
    QPainterPath shape;
    shape.addRoundedRect(bounds, cornerRadius, cornerRadius);
    QLinearGradient gradient(bounds.topLeft(), bounds.bottomRight());
    gradient.setColorAt(0, topLeading);
    gradient.setColorAt(1, bottomTrailing);
    painter.fillPath(shape, gradient);
    return image;
}

QImage CardPlate::renderPicture(QSize pixels, double dpr) const
{
    return render(pixels, m_cornerRadius * dpr, m_topLeading, m_bottomTrailing);
}

QString CardPlate::sharedKey(QSize pixels, double dpr) const
{
    return QStringLiteral("plate %1x%2/%3/%4/%5")
        .arg(pixels.width())
        .arg(pixels.height())
        .arg(m_cornerRadius * dpr)
        .arg(m_topLeading.rgba(), 0, 16)
        .arg(m_bottomTrailing.rgba(), 0, 16);
}
