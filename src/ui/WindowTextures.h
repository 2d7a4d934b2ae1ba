#pragma once

#include <QImage>
#include <QString>

#include <functional>

class QQuickWindow;
class QSGTexture;

// Textures a window's cards share: a shadow or a plate of one shape looks the same under every
// card, so a window makes it once and every card of that shape draws the same texture. Call on
// the window's render thread (from updatePaintNode); the textures go with the window's scene
// graph. Nodes must not own them.
namespace WindowTextures {

QSGTexture *texture(QQuickWindow *window, const QString &key, const std::function<QImage()> &render);

} // namespace WindowTextures
