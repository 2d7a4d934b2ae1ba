#pragma once

#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

// A focusable, clickable area of the window's frame (menu title, sidebar buttons, section list),
// built on Qt Quick alone: the frame shows in the first frame without waiting for the controls
// library. Like a button it is a Tab stop, takes the focus when pressed, is clicked by a release
// inside it or by Space, Return or Enter, and tells whether its focus came from the keyboard,
// which is when the focus ring shows. A press on a part inside it (a row of a list) gives it
// the focus as well, and hides the ring.
class ShellControl : public QQuickItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool visualFocus READ visualFocus NOTIFY visualFocusChanged)
    Q_PROPERTY(bool hovered READ hovered NOTIFY hoveredChanged)
    Q_PROPERTY(bool pressed READ pressed NOTIFY pressedChanged)

public:
    explicit ShellControl(QQuickItem *parent = nullptr);

    bool visualFocus() const { return m_visualFocus; }
    bool hovered() const { return m_hovered; }
    bool pressed() const { return m_pressed; }

signals:
    void clicked();
    void visualFocusChanged();
    void hoveredChanged();
    void pressedChanged();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hoverEnterEvent(QHoverEvent *event) override;
    void hoverLeaveEvent(QHoverEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseUngrabEvent() override;
    bool childMouseEventFilter(QQuickItem *child, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setVisualFocus(bool visualFocus);
    void setHovered(bool hovered);
    void setPressed(bool pressed);

    bool m_visualFocus = false;
    bool m_hovered = false;
    bool m_pressed = false;
};
