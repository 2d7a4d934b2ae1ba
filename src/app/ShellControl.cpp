#include "ShellControl.h"

ShellControl::ShellControl(QQuickItem *parent) : QQuickItem(parent)
{
    setActiveFocusOnTab(true);
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::LeftButton);
    setFiltersChildMouseEvents(true);
}

void ShellControl::focusInEvent(QFocusEvent *event)
{
    QQuickItem::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    setVisualFocus(reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                   reason == Qt::ShortcutFocusReason);
}

void ShellControl::focusOutEvent(QFocusEvent *event)
{
    QQuickItem::focusOutEvent(event);
    setVisualFocus(false);
}

void ShellControl::hoverEnterEvent(QHoverEvent *event)
{
    setHovered(true);
    event->ignore();
}

void ShellControl::hoverLeaveEvent(QHoverEvent *event)
{
    setHovered(false);
    event->ignore();
}

void ShellControl::mousePressEvent(QMouseEvent *event)
{
    forceActiveFocus(Qt::MouseFocusReason);
    setVisualFocus(false);
    setPressed(true);
    event->accept();
}

void ShellControl::mouseReleaseEvent(QMouseEvent *event)
{
    const bool inside = contains(event->position());
    setPressed(false);
    if (inside)
        emit clicked();
}

void ShellControl::mouseUngrabEvent()
{
    setPressed(false);
}

bool ShellControl::childMouseEventFilter(QQuickItem *, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        forceActiveFocus(Qt::MouseFocusReason);
        setVisualFocus(false);
    }
    return false;
}

void ShellControl::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
        emit clicked();
        return;
    }
    event->ignore();
}

void ShellControl::setVisualFocus(bool visualFocus)
{
    if (visualFocus == m_visualFocus)
        return;
    m_visualFocus = visualFocus;
    emit visualFocusChanged();
}

void ShellControl::setHovered(bool hovered)
{
    if (hovered == m_hovered)
        return;
    m_hovered = hovered;
    emit hoveredChanged();
}

void ShellControl::setPressed(bool pressed)
{
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    emit pressedChanged();
}
