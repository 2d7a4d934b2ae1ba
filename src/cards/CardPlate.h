#pragma once

#include "RenderedItem.h"
#include <QColor>
#include <QImage>

#include <QtQml/qqmlregistration.h>

// The drawn base of a card face or back: the rounded rectangle filled with a diagonal gradient
// from `topLeading` to `bottomTrailing`. Drawn in C++ because Qt Quick 6.4 has no diagonal
// gradients on rectangles; every plate of one shape and colouring in a window shares one
// texture. The card pictures come from CardPictures instead.
class CardPlate : public RenderedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor topLeading READ topLeading WRITE setTopLeading NOTIFY changed)
    Q_PROPERTY(QColor bottomTrailing READ bottomTrailing WRITE setBottomTrailing NOTIFY changed)
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius NOTIFY changed)

public:
    explicit CardPlate(QQuickItem *parent = nullptr);

    QColor topLeading() const { return m_topLeading; }
    QColor bottomTrailing() const { return m_bottomTrailing; }
    double cornerRadius() const { return m_cornerRadius; }
    void setTopLeading(const QColor &color);
    void setBottomTrailing(const QColor &color);
    void setCornerRadius(double radius);

    // The plate of `size` pixels with corners of `cornerRadius` pixels.
    static QImage render(QSize size, double cornerRadius, const QColor &topLeading, const QColor &bottomTrailing);

protected:
    QImage renderPicture(QSize pixels, double dpr) const override;
    QString sharedKey(QSize pixels, double dpr) const override;

private:
    QColor m_topLeading;
    QColor m_bottomTrailing;
    double m_cornerRadius = 0;
};
