#include "CardShadow.h"

#include "WindowTextures.h"

#include <QPainter>
#include <QPainterPath>
#include <QQuickWindow>
#include <QSGImageNode>

#include <cmath>

namespace {

// One horizontal and one vertical box-blur pass over the alpha channel of a premultiplied image.
// The pixels are reached through one pointer: asking the image for a scan line per pixel costs
// a detach check each time, which made the first shadow of the start-up screen slow.
void boxBlur(QImage &image, int r)
{
    if (r < 1)
        return;
    const int w = image.width();
    const int h = image.height();
    uchar *const bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    std::vector<int> line(size_t(std::max(w, h)));
    auto pass = [&](bool horizontal) {
        const int outer = horizontal ? h : w;
        const int inner = horizontal ? w : h;
        for (int o = 0; o < outer; ++o) {
            auto pixel = [&](int i) -> QRgb & {
                const int row = horizontal ? o : i;
                const int column = horizontal ? i : o;
                return reinterpret_cast<QRgb *>(bits + row * bytesPerLine)[column];
            };
            for (int i = 0; i < inner; ++i)
                line[size_t(i)] = qAlpha(pixel(i));
            int sum = 0;
            for (int i = -r; i <= r; ++i)
                sum += (i >= 0 && i < inner) ? line[size_t(i)] : 0;
            for (int i = 0; i < inner; ++i) {
                const int a = sum / (2 * r + 1);
                pixel(i) = qRgba(0, 0, 0, a);
                const int out = i - r;
                const int in = i + r + 1;
                sum -= (out >= 0) ? line[size_t(out)] : 0;
                sum += (in < inner) ? line[size_t(in)] : 0;
            }
        }
    };
    pass(true);
    pass(false);
}

} // namespace

CardShadow::CardShadow(QQuickItem *parent) : QQuickItem(parent)
{
    setFlag(ItemHasContents);
    connect(this, &CardShadow::changed, this, [this] { update(); });
    connect(this, &QQuickItem::widthChanged, this, [this] { update(); });
    connect(this, &QQuickItem::heightChanged, this, [this] { update(); });
}

void CardShadow::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    emit changed();
}

void CardShadow::setRadius(double radius)
{
    if (radius == m_radius)
        return;
    m_radius = radius;
    emit changed();
}

void CardShadow::setCornerRadius(double cornerRadius)
{
    if (cornerRadius == m_cornerRadius)
        return;
    m_cornerRadius = cornerRadius;
    emit changed();
}

QImage CardShadow::render(QSizeF size, double cornerRadius, double radius, const QColor &color)
{
    const int margin = int(std::ceil(radius));
    QImage alpha(int(std::ceil(size.width())) + 2 * margin, int(std::ceil(size.height())) + 2 * margin,
                 QImage::Format_ARGB32_Premultiplied);
    alpha.fill(Qt::transparent);
    {
        QPainter p(&alpha);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRoundedRect(QRectF(QPointF(margin, margin), size), cornerRadius, cornerRadius);
    }
    // Three box passes of a third of the radius each approximate a Gaussian blur.
    const int box = std::max(1, int(std::lround(radius / 3)));
    for (int i = 0; i < 3; ++i)
        boxBlur(alpha, box);
    QImage result(alpha.size(), QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter p(&result);
    p.drawImage(0, 0, alpha);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(result.rect(), color);
    return result;
}

QSGNode *CardShadow::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *)
{
    // Runs on the render thread while the GUI thread waits.
    QQuickWindow *win = window();
    if (!win || width() <= 2 * m_radius || height() <= 2 * m_radius) {
        delete oldNode;
        return nullptr;
    }
    auto *node = static_cast<QSGImageNode *>(oldNode);
    if (!node)
        node = win->createImageNode();
    const double dpr = win->effectiveDevicePixelRatio();
    const QSizeF card(width() - 2 * m_radius, height() - 2 * m_radius);
    const QString key = QStringLiteral("%1x%2/%3/%4/%5@%6")
                            .arg(card.width())
                            .arg(card.height())
                            .arg(m_cornerRadius)
                            .arg(m_radius)
                            .arg(m_color.rgba(), 0, 16)
                            .arg(dpr);
    QSGTexture *texture = WindowTextures::texture(win, key, [&] {
        QImage image = render(card * dpr, m_cornerRadius * dpr, m_radius * dpr, m_color);
        image.setDevicePixelRatio(dpr);
        return image;
    });
    node->setTexture(texture);
    node->setOwnsTexture(false);
    node->setFiltering(QSGTexture::Linear);
    node->setRect(QRectF(0, 0, width(), height()));
    return node;
}
