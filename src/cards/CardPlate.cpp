#include "CardPlate.h"

#include "WindowTextures.h"

#include <QPainter>
#include <QPainterPath>
#include <QQuickWindow>
#include <QSGImageNode>

#include <cmath>

CardPlate::CardPlate(QQuickItem *parent) : QQuickItem(parent)
{
    setFlag(ItemHasContents);
    connect(this, &CardPlate::changed, this, [this] { update(); });
    connect(this, &QQuickItem::widthChanged, this, [this] { update(); });
    connect(this, &QQuickItem::heightChanged, this, [this] { update(); });
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

QSGNode *CardPlate::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *)
{
    // Runs on the render thread while the GUI thread waits.
    QQuickWindow *win = window();
    if (!win || width() <= 0 || height() <= 0) {
        delete oldNode;
        return nullptr;
    }
    auto *node = static_cast<QSGImageNode *>(oldNode);
    if (!node)
        node = win->createImageNode();
    const double dpr = win->effectiveDevicePixelRatio();
    const QSize pixels(int(std::ceil(width() * dpr)), int(std::ceil(height() * dpr)));
    const QString key = QStringLiteral("plate %1x%2/%3/%4/%5")
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(m_cornerRadius * dpr)
                            .arg(m_topLeading.rgba(), 0, 16)
                            .arg(m_bottomTrailing.rgba(), 0, 16);
    node->setTexture(WindowTextures::texture(
        win, key, [&] { return render(pixels, m_cornerRadius * dpr, m_topLeading, m_bottomTrailing); }));
    node->setOwnsTexture(false);
    node->setFiltering(QSGTexture::Linear);
    node->setRect(QRectF(0, 0, width(), height()));
    return node;
}
