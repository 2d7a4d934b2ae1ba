#include "DialogLook.h"

#include "Theme.h"

#include <QQuickItem>
#include <QQuickWindow>

int DialogLook::apply(QWindow *window)
{
    auto *quickWindow = qobject_cast<QQuickWindow *>(window);
    return quickWindow ? apply(quickWindow->contentItem()) : 0;
}

int DialogLook::apply(QQuickItem *item)
{
    if (!item)
        return 0;
    int changed = 0;
    if (QByteArray(item->metaObject()->className()).contains("FolderBreadcrumbBar")) {
        if (auto *background = item->property("background").value<QQuickItem *>()) {
            background->setProperty("color", Theme::faceTop());
            if (QObject *border = background->property("border").value<QObject *>())
                border->setProperty("color", Theme::alpha(Theme::accent(), 0.4));
            ++changed;
        }
        // The chosen file's row is tinted, not gold, so its name is read in the light text.
        QQuickItem *dialog = item;
        while (dialog->parentItem() && !dialog->parentItem()->inherits("QQuickOverlay"))
            dialog = dialog->parentItem();
        if (auto *palette = dialog->property("palette").value<QObject *>()) {
            palette->setProperty("highlightedText", Theme::textPrimary());
            ++changed;
        }
    }
    for (QQuickItem *child : item->childItems())
        changed += apply(child);
    return changed;
}
