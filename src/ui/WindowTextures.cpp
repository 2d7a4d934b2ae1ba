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
        // Not every renderer invalidates its scene graph before the window goes (the software
        // one does not); a later window at the same address must never find these textures.
        QObject::connect(window, &QObject::destroyed, [window] {
            QMutexLocker locker(&lock);
            qDeleteAll(textures.take(window));
        });
    }
    if (QSGTexture *made = found->value(key))
        return made;
    QSGTexture *made = window->createTextureFromImage(render());
    found->insert(key, made);
    return made;
}
