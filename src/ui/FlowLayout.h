#pragma once

#include <QList>
#include <QPointF>
#include <QQuickItem>
#include <QSizeF>
#include <QtQml/qqmlregistration.h>

#include <optional>

// A container that lays its children out in rows, left to right, wrapping onto a new row when
// the next child would pass the available width. Every child keeps its ideal (implicit) size.
// Without a width of its own the layout is given an open width and puts everything on one row;
// its implicit size is always the size of the arrangement.
class FlowLayout : public QQuickItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double spacing READ spacing WRITE setSpacing NOTIFY spacingChanged)

public:
    struct Arrangement
    {
        QList<QPointF> positions; // top-left corner of each child, in order
        QSizeF size;              // (widest line end incl. one trailing spacing, total height)
    };

    // The arrangement pass: children of `sizes` in order within `width` (open when empty),
    // `spacing` between children on a line and between lines. A child first on its line stays
    // there even when wider than `width`; one ending exactly at `width` stays on its line.
    static Arrangement arrange(const QList<QSizeF> &sizes, std::optional<double> width, double spacing);

    explicit FlowLayout(QQuickItem *parent = nullptr);

    double spacing() const { return m_spacing; }
    void setSpacing(double spacing);

signals:
    void spacingChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData &data) override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void updatePolish() override;

private:
    // The children that take part: visible ones with a size (a Repeater has none).
    QList<QQuickItem *> arrangedChildren() const;

    double m_spacing = 8;
};
