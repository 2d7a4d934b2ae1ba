#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class QQuickItem;
class QQuickWindow;

// Keeps the control with keyboard focus in view: when focus moves (Tab, a click) to an item
// inside `flickable`'s content, the flickable scrolls just enough to show it whole, plus a
// margin for its focus ring. Qt Quick's flickables do not do this by themselves, so without it
// Tab walks off the visible part of a long screen.
class FocusScroller : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQuickItem *flickable READ flickable WRITE setFlickable NOTIFY flickableChanged)
    Q_PROPERTY(double margin READ margin WRITE setMargin NOTIFY marginChanged)

public:
    explicit FocusScroller(QObject *parent = nullptr);

    QQuickItem *flickable() const { return m_flickable; }
    void setFlickable(QQuickItem *flickable);
    double margin() const { return m_margin; }
    void setMargin(double margin);

    // The scroll position that shows content from `top` to `bottom` (content coordinates) in a
    // view `viewHeight` high now scrolled to `contentY`: unchanged when it is already in view,
    // else moved the least distance; the top wins when the item is taller than the view. Always
    // within the content.
    static double scrolledTo(double contentY, double viewHeight, double contentHeight, double top, double bottom,
                             double margin);

signals:
    void flickableChanged();
    void marginChanged();

private:
    void watchWindow();
    void focusMoved();

    QPointer<QQuickItem> m_flickable;
    QPointer<QQuickWindow> m_window;
    QMetaObject::Connection m_windowConnection;
    QMetaObject::Connection m_focusConnection;
    double m_margin = 12;
};
