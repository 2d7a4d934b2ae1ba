#include "FlowLayout.h"

#include <algorithm>

FlowLayout::Arrangement FlowLayout::arrange(const QList<QSizeF> &sizes, std::optional<double> width, double spacing)
{
    Arrangement result;
    result.positions.reserve(sizes.size());
    double x = 0;
    double y = 0;
    double lineHeight = 0;
    double maxX = 0;
    for (const QSizeF &size : sizes) {
        // x already holds the spacing behind the previous child.
        if (x > 0 && width && x + size.width() > *width) {
            y += lineHeight + spacing;
            x = 0;
            lineHeight = 0;
        }
        result.positions.append({x, y});
        lineHeight = std::max(lineHeight, size.height());
        x += size.width() + spacing;
        maxX = std::max(maxX, x);
    }
    result.size = {maxX, y + lineHeight};
    return result;
}

FlowLayout::FlowLayout(QQuickItem *parent) : QQuickItem(parent)
{}

void FlowLayout::setSpacing(double spacing)
{
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    emit spacingChanged();
    polish();
}

QList<QQuickItem *> FlowLayout::arrangedChildren() const
{
    QList<QQuickItem *> result;
    for (QQuickItem *child : childItems()) {
        if (!child->isVisible())
            continue;
        const double w = child->implicitWidth() > 0 ? child->implicitWidth() : child->width();
        const double h = child->implicitHeight() > 0 ? child->implicitHeight() : child->height();
        if (w > 0 || h > 0)
            result.append(child);
    }
    return result;
}

void FlowLayout::itemChange(ItemChange change, const ItemChangeData &data)
{
    if (change == ItemChildAddedChange) {
        QQuickItem *child = data.item;
        for (auto signal :
             {&QQuickItem::implicitWidthChanged, &QQuickItem::implicitHeightChanged, &QQuickItem::visibleChanged})
            connect(child, signal, this, &QQuickItem::polish);
        polish();
    } else if (change == ItemChildRemovedChange) {
        disconnect(data.item, nullptr, this, nullptr);
        polish();
    }
    QQuickItem::itemChange(change, data);
}

void FlowLayout::geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.width() != oldGeometry.width())
        polish();
}

void FlowLayout::updatePolish()
{
    const QList<QQuickItem *> children = arrangedChildren();
    QList<QSizeF> sizes;
    sizes.reserve(children.size());
    for (QQuickItem *child : children) {
        const double w = child->implicitWidth() > 0 ? child->implicitWidth() : child->width();
        const double h = child->implicitHeight() > 0 ? child->implicitHeight() : child->height();
        sizes.append({w, h});
    }
    // The proposal is the width the layout was given; without one the width is open.
    const std::optional<double> proposal = widthValid() ? std::optional<double>(width()) : std::nullopt;
    const Arrangement arrangement = arrange(sizes, proposal, m_spacing);
    for (qsizetype i = 0; i < children.size(); ++i) {
        children[i]->setPosition(arrangement.positions[i]);
        children[i]->setSize(sizes[i]);
    }
    setImplicitSize(arrangement.size.width(), arrangement.size.height());
}
