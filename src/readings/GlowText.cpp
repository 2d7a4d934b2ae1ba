#include "GlowText.h"

#include "SoftBlur.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

GlowText::GlowText(QQuickItem *parent) : RenderedItem(parent)
{
    connect(this, &GlowText::changed, this, &GlowText::updateImplicitSize);
}

void GlowText::setText(const QString &text)
{
    assign(m_text, text);
}

void GlowText::setFont(const QFont &font)
{
    assign(m_font, font);
}

void GlowText::setColor(const QColor &color)
{
    assign(m_color, color);
}

void GlowText::setRadius(double radius)
{
    if (radius >= 0)
        assign(m_radius, radius);
}

void GlowText::updateImplicitSize()
{
    const QFontMetricsF metrics(m_font);
    setImplicitSize(std::ceil(metrics.horizontalAdvance(m_text) + 2 * m_radius),
                    std::ceil(metrics.height() + 2 * m_radius));
}

QImage GlowText::render(QSizeF size, double dpr, const QString &text, const QFont &font, double radius,
                        const QColor &color)
{
    QImage shape(int(std::ceil(size.width() * dpr)), int(std::ceil(size.height() * dpr)),
                 QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    {
        QPainter p(&shape);
        p.scale(dpr, dpr);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRectF(QPointF(0, 0), size), Qt::AlignCenter, text);
    }
    return SoftBlur::tinted(shape, radius * dpr, color);
}

bool GlowText::hasPicture() const
{
    return RenderedItem::hasPicture() && !m_text.isEmpty();
}

QImage GlowText::renderPicture(QSize, double dpr) const
{
    return render(size(), dpr, m_text, m_font, m_radius, m_color);
}
