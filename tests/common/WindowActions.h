#pragma once

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <algorithm>

// What a user does to a window: click an item, Tab to a control.

inline void clickOn(QQuickWindow *window, QQuickItem *item)
{
    QVERIFY(item);
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

inline QString focusedName(QQuickWindow *window)
{
    QQuickItem *item = window->activeFocusItem();
    return item ? item->objectName() : QString();
}

// Presses Tab (or Shift+Tab) until the item called `name` has the focus, at most 60 times.
inline bool tabTo(QQuickWindow *window, const QString &name, bool backwards = false)
{
    for (int i = 0; i < 60 && focusedName(window) != name; ++i)
        QTest::keyClick(window, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
    return focusedName(window) == name;
}

// The focus ring of a control (a visible FocusRing as its background or a part of it) shows.
inline bool ringShown(QQuickItem *control)
{
    auto *background = control->property("background").value<QQuickItem *>();
    QList<QQuickItem *> parts{background};
    if (background)
        parts += background->childItems();
    return std::any_of(parts.begin(), parts.end(), [](QQuickItem *part) {
        return part && QByteArray(part->metaObject()->className()).startsWith("FocusRing") && part->isVisible();
    });
}
