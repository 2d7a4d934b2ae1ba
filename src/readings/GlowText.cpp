#include "GlowText.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>
#include <vector>

namespace {

// One horizontal and one vertical box-blur pass of radius `r` over the alpha of `image`.
void boxBlur(QImage &image, int r)
{
    const int w = image.width();
    const int h = image.height();
    uchar *const bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    std::vector<int> line(size_t(std::max(w, h)));
    for (const bool horizontal : {true, false}) {
        const int outer = horizontal ? h : w;
        const int inner = horizontal ? w : h;
        for (int o = 0; o < outer; ++o) {
            auto pixel = [&](int i) -> QRgb & {
                return reinterpret_cast<QRgb *>(bits + (horizontal ? o : i) * bytesPerLine)[horizontal ? i : o];
            };
            for (int i = 0; i < inner; ++i)
                line[size_t(i)] = qAlpha(pixel(i));
            int sum = 0;
            for (int i = 0; i <= r && i < inner; ++i)
                sum += line[size_t(i)];
            for (int i = 0; i < inner; ++i) {
                pixel(i) = qRgba(0, 0, 0, sum / (2 * r + 1));
                if (i - r >= 0)
                    sum -= line[size_t(i - r)];
                if (i + r + 1 < inner)
                    sum += line[size_t(i + r + 1)];
            }
        }
    }
}

} // namespace

GlowText::GlowText(QQuickItem *parent) : QQuickPaintedItem(parent)
{
    connect(this, &GlowText::changed, this, [this] {
        m_rendered = QImage();
        updateImplicitSize();
        update();
    });
    connect(this, &QQuickItem::widthChanged, this, [this] { update(); });
    connect(this, &QQuickItem::heightChanged, this, [this] { update(); });
}

void GlowText::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    emit changed();
}

void GlowText::setFont(const QFont &font)
{
    if (font == m_font)
        return;
    m_font = font;
    emit changed();
}

void GlowText::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    emit changed();
}

void GlowText::setRadius(double radius)
{
    if (radius == m_radius || radius < 0)
        return;
    m_radius = radius;
    emit changed();
}

void GlowText::updateImplicitSize()
{
    const QFontMetricsF metrics(m_font);
    setImplicitSize(std::ceil(metrics.horizontalAdvance(m_text) + 2 * m_radius),
                    std::ceil(metrics.height() + 2 * m_radius));
}

QImage GlowText::render(QSize size, const QString &text, const QFont &font, double radius, const QColor &color)
{
    QImage alpha(size, QImage::Format_ARGB32_Premultiplied);
    alpha.fill(Qt::transparent);
    {
        QPainter p(&alpha);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRectF(QPointF(0, 0), size), Qt::AlignCenter, text);
    }
    const int box = std::max(1, int(std::lround(radius / 3)));
    for (int i = 0; i < 3; ++i)
        boxBlur(alpha, box);
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter p(&result);
    p.drawImage(0, 0, alpha);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(result.rect(), color);
    return result;
}

void GlowText::paint(QPainter *painter)
{
    const QSize size(int(std::ceil(width())), int(std::ceil(height())));
    if (size.isEmpty() || m_text.isEmpty())
        return;
    if (m_rendered.size() != size)
        m_rendered = render(size, m_text, m_font, m_radius, m_color);
    painter->drawImage(QPointF(0, 0), m_rendered);
}
