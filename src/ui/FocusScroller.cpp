#include "FocusScroller.h"

#include <QQuickItem>
#include <QQuickWindow>

#include <algorithm>

FocusScroller::FocusScroller(QObject *parent) : QObject(parent)
{}

void FocusScroller::setFlickable(QQuickItem *flickable)
{
    if (flickable == m_flickable)
        return;
    disconnect(m_windowConnection);
    m_flickable = flickable;
    if (m_flickable)
        m_windowConnection = connect(m_flickable, &QQuickItem::windowChanged, this, &FocusScroller::watchWindow);
    watchWindow();
    emit flickableChanged();
}

void FocusScroller::setMargin(double margin)
{
    if (margin == m_margin)
        return;
    m_margin = margin;
    emit marginChanged();
}

void FocusScroller::watchWindow()
{
    QQuickWindow *window = m_flickable ? m_flickable->window() : nullptr;
    if (window == m_window)
        return;
    disconnect(m_focusConnection);
    m_window = window;
    if (m_window)
        m_focusConnection = connect(m_window, &QQuickWindow::activeFocusItemChanged, this, &FocusScroller::focusMoved);
}

double FocusScroller::scrolledTo(double contentY, double viewHeight, double contentHeight, double top, double bottom,
                                 double margin)
{
    double y = contentY;
    if (bottom + margin > y + viewHeight)
        y = bottom + margin - viewHeight;
    if (top - margin < y)
        y = top - margin;
    return std::clamp(y, 0.0, std::max(0.0, contentHeight - viewHeight));
}

void FocusScroller::focusMoved()
{
    if (!m_flickable || !m_window)
        return;
    QQuickItem *focused = m_window->activeFocusItem();
    auto *content = m_flickable->property("contentItem").value<QQuickItem *>();
    if (!focused || !content || !content->isAncestorOf(focused))
        return;
    const QRectF shown = focused->mapRectToItem(content, QRectF(0, 0, focused->width(), focused->height()));
    const double contentY = m_flickable->property("contentY").toDouble();
    const double target = scrolledTo(contentY, m_flickable->height(), m_flickable->property("contentHeight").toDouble(),
                                     shown.top(), shown.bottom(), m_margin);
    if (target != contentY)
        m_flickable->setProperty("contentY", target);
}
