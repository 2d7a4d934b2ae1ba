#pragma once

#include <QColor>
#include <QImage>
#include <QQuickPaintedItem>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// The base of a card face or back: `picture` scaled to fit and clipped to the rounded
// rectangle when the picture can be read, otherwise the rounded rectangle filled with a
// diagonal gradient from `topLeading` to `bottomTrailing`. Painted in C++ because Qt Quick 6.4
// has neither diagonal gradients on rectangles nor rounded clipping of images.
class CardPlate : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QUrl picture READ picture WRITE setPicture NOTIFY changed)
    Q_PROPERTY(QColor topLeading READ topLeading WRITE setTopLeading NOTIFY changed)
    Q_PROPERTY(QColor bottomTrailing READ bottomTrailing WRITE setBottomTrailing NOTIFY changed)
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius NOTIFY changed)
    Q_PROPERTY(bool showsPicture READ showsPicture NOTIFY changed)

public:
    explicit CardPlate(QQuickItem *parent = nullptr);

    QUrl picture() const { return m_picture; }
    QColor topLeading() const { return m_topLeading; }
    QColor bottomTrailing() const { return m_bottomTrailing; }
    double cornerRadius() const { return m_cornerRadius; }
    bool showsPicture() const { return !m_image.isNull(); }
    void setPicture(const QUrl &picture);
    void setTopLeading(const QColor &color);
    void setBottomTrailing(const QColor &color);
    void setCornerRadius(double radius);

    void paint(QPainter *painter) override;

signals:
    void changed();

private:
    QUrl m_picture;
    QImage m_image;
    QColor m_topLeading;
    QColor m_bottomTrailing;
    double m_cornerRadius = 0;
};
