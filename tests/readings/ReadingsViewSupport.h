#pragma once

// What the end-to-end tests of the Readings section share: clicking, finding what is shown,
// and running the stack's transitions to their end on driven time.
#include "../app/AppTestSupport.h"
#include "ManualAnimationDriver.h"

#include <algorithm>

inline void click(QQuickWindow *window, QQuickItem *item, QPointF at = {-1, -1},
                  Qt::MouseButton button = Qt::LeftButton)
{
    QVERIFY(item);
    QVERIFY(item->isVisible());
    const QPointF local = at.x() < 0 ? QPointF(item->width() / 2, item->height() / 2) : at;
    QTest::mouseClick(window, button, Qt::NoModifier, item->mapToScene(local).toPoint());
}

inline bool shown(const AppUnderTest &app, const QString &name)
{
    QQuickItem *item = app.find(name);
    return item && item->isVisible();
}

inline void findAll(QQuickItem *item, const QString &name, QList<QQuickItem *> &found)
{
    if (item->objectName() == name)
        found.append(item);
    for (QQuickItem *child : item->childItems())
        findAll(child, name, found);
}

inline int visibleCount(QQuickItem *root, const QString &name)
{
    QList<QQuickItem *> found;
    findAll(root, name, found);
    return int(std::count_if(found.cbegin(), found.cend(), [](QQuickItem *item) { return item->isVisible(); }));
}

inline QString text(const AppUnderTest &app, const QString &name)
{
    QQuickItem *item = app.find(name);
    return item ? item->property("text").toString() : QString();
}

// A text inside `parent`.
inline QString textIn(QQuickItem *parent, const QString &name)
{
    QQuickItem *item = findItem(parent, name);
    return item ? item->property("text").toString() : QString();
}

// Runs the stack's push and pop transitions to their end. They are animators, which finish
// only when a frame is drawn, so frames are drawn on the way.
inline void settle(const AppUnderTest &app, ManualAnimationDriver &animation)
{
    for (int frame = 0; frame < 8; ++frame) {
        animation.advanceBy(100);
        app.window->grabWindow();
    }
    QCoreApplication::processEvents();
    QVERIFY(!app.find(QStringLiteral("stackView"))->property("busy").toBool());
}

inline void openReadings(AppUnderTest &app, ManualAnimationDriver &animation)
{
    click(app.window, app.find(QStringLiteral("sectionRow1")));
    QTRY_VERIFY(shown(app, QStringLiteral("readingMenuView")));
    settle(app, animation);
}
