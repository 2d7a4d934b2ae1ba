#include "RenderedItem.h"

#include "WindowTextures.h"

#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGTexture>

#include <cmath>
#include <memory>

namespace {

// Holds the image node and, for a picture of the item's own, the texture it shows; both go
// with the node, on the render thread.
class PictureNode : public QSGNode
{
public:
    explicit PictureNode(QSGImageNode *image) : image(image) { appendChildNode(image); }
    QSGImageNode *image;
    std::unique_ptr<QSGTexture> ownTexture;
};

} // namespace

RenderedItem::RenderedItem(QQuickItem *parent) : QQuickItem(parent)
{
    setFlag(ItemHasContents);
    const auto stale = [this] {
        m_pictureStale = true;
        update();
    };
    connect(this, &RenderedItem::changed, this, stale);
    connect(this, &QQuickItem::widthChanged, this, stale);
    connect(this, &QQuickItem::heightChanged, this, stale);
}

QString RenderedItem::sharedKey(QSize, double) const
{
    return {};
}

bool RenderedItem::hasPicture() const
{
    return width() > 0 && height() > 0;
}

QSGNode *RenderedItem::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *)
{
    QQuickWindow *win = window();
    if (!win || !hasPicture()) {
        delete oldNode;
        return nullptr;
    }
    auto *node = static_cast<PictureNode *>(oldNode);
    const bool fresh = !node;
    if (fresh) {
        node = new PictureNode(win->createImageNode());
        node->image->setOwnsTexture(false);
        node->image->setFiltering(QSGTexture::Linear);
    }
    const double dpr = win->effectiveDevicePixelRatio();
    const QSize pixels(int(std::ceil(width() * dpr)), int(std::ceil(height() * dpr)));
    const QString key = sharedKey(pixels, dpr);
    if (!key.isEmpty()) {
        // Shared textures are found by key, so asking again each frame costs a lookup only.
        node->image->setTexture(WindowTextures::texture(win, key, [&] { return renderPicture(pixels, dpr); }));
        node->ownTexture.reset();
    } else if (fresh || m_pictureStale || !node->ownTexture) {
        std::unique_ptr<QSGTexture> texture(win->createTextureFromImage(renderPicture(pixels, dpr)));
        node->image->setTexture(texture.get());
        node->ownTexture = std::move(texture);
    }
    m_pictureStale = false;
    node->image->setRect(QRectF(0, 0, width(), height()));
    node->image->markDirty(QSGNode::DirtyMaterial);
    return node;
}
