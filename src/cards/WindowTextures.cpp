#include "WindowTextures.h"

#include <QHash>
#include <QMutex>
#include <QQuickWindow>
#include <QSGTexture>

namespace {

// Windows may render on threads of their own, hence the lock.
QMutex lock;
QHash<QQuickWindow *, QHash<QString, QSGTexture *>> textures;

} // namespace

QSGTexture *WindowTextures::texture(QQuickWindow *window, const QString &key, const std::function<QImage()> &render)
{
    QMutexLocker locker(&lock);
    auto found = textures.find(window);
    if (found == textures.end()) {
        found = textures.insert(window, {});
        // Dropped with the scene graph, on the render thread, where its graphics context is.
        QObject::connect(
            window, &QQuickWindow::sceneGraphInvalidated, window,
            [window] {
                QMutexLocker locker(&lock);
                qDeleteAll(textures.take(window));
            },
            Qt::DirectConnection);
        // Not every render loop invalidates the scene graph when a window goes (the software
        // one does not): forget the window then all the same, so a new window made at the same
        // address never draws textures that went with the old one's renderer.
        QObject::connect(window, &QObject::destroyed, [window] {
            QMutexLocker locker(&lock);
            textures.remove(window);
        });
    }
    if (QSGTexture *made = found->value(key))
        return made;
    QSGTexture *made = window->createTextureFromImage(render());
    found->insert(key, made);
    return made;
}
