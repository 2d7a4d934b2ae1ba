#pragma once

#include "RenderedItem.h"
#include <QImage>

#include <QtQml/qqmlregistration.h>

// The soft glow under a card: its rounded rectangle filled with `color`, blurred by `radius`
// pixels. The item must be the card's footprint grown by `radius` on every side, because the
// blur spills that far beyond the card; callers also move it by the shadow's offset.
// Qt Quick 6.4 has no drop-shadow effect outside Qt5Compat, hence this item. Every card of a
// shape casts the same shadow, so a window blurs it once and all its cards share the texture:
// a grid of 78 cards holds one shadow picture, not 78.
class CardShadow : public RenderedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY changed)
    Q_PROPERTY(double radius READ radius WRITE setRadius NOTIFY changed)
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius NOTIFY changed)

public:
    explicit CardShadow(QQuickItem *parent = nullptr);

    QColor color() const { return m_color; }
    double radius() const { return m_radius; }
    double cornerRadius() const { return m_cornerRadius; }
    void setColor(const QColor &color);
    void setRadius(double radius);
    void setCornerRadius(double cornerRadius);

    // The blurred shadow picture for a card of `size`: the rounded rectangle with a margin of
    // `radius` all round, blurred with three box passes (close to a Gaussian of that radius).
    static QImage render(QSizeF size, double cornerRadius, double radius, const QColor &color);

protected:
    QImage renderPicture(QSize pixels, double dpr) const override;
    QString sharedKey(QSize pixels, double dpr) const override;
    bool hasPicture() const override;

private:
    QColor m_color;
    double m_radius = 8;
    double m_cornerRadius = 0;
};
