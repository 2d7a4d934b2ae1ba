#pragma once

#include <QImage>
#include <QQuickItem>
#include <QString>

// An item drawn as one picture made with QPainter and shown as a texture. A subclass paints
// the picture for a size in device pixels; the base turns it into a scene-graph node, redraws
// it when the item's size or `changed()` says so, and, when the subclass names the picture
// with a shared key, makes it once per window for every item that names the same key (a card's
// plate or shadow looks the same under every card of its shape).
class RenderedItem : public QQuickItem
{
    Q_OBJECT

public:
    explicit RenderedItem(QQuickItem *parent = nullptr);

signals:
    // Any property that changes the picture emits this.
    void changed();

protected:
    // The picture for an item of `pixels` device pixels drawn at `dpr` device pixels per
    // logical one. Runs on the render thread while the GUI thread waits.
    virtual QImage renderPicture(QSize pixels, double dpr) const = 0;
    // Names the picture when every item with the same key shows the same one; empty (the
    // default) when the picture is the item's own.
    virtual QString sharedKey(QSize pixels, double dpr) const;
    // Whether there is anything to draw at the item's current size and settings.
    virtual bool hasPicture() const;

    // Stores `value` in `member` and emits `changed()` when it differs.
    template <typename T> void assign(T &member, const T &value)
    {
        if (member == value)
            return;
        member = value;
        emit changed();
    }

    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *data) override;

private:
    bool m_pictureStale = true;
};
