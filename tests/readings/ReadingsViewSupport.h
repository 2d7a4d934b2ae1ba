#pragma once

// What the end-to-end tests of the Readings section share: the main window with the section
// open, moving through its stack with the stack's transitions run to their end on driven time.
#include "AppDriving.h"
#include "ManualAnimationDriver.h"

#include <algorithm>

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

// The main window over a store of its own at `size` (or its own size), showing the Readings
// menu. Declare the ManualScheduler and random source its screens are given before it: they
// must outlive the window.
struct ReadingsApp : ScratchApp
{
    // `byKeyboard`: the section is chosen from the sidebar's list with Tab and the arrows.
    explicit ReadingsApp(QSize size = {}, bool byKeyboard = false)
    {
        if (size.isValid())
            window->resize(size);
        if (byKeyboard) {
            QVERIFY(tabTo(window, QStringLiteral("sectionList")));
            QTest::keyClick(window, Qt::Key_Down);
        } else {
            click(window, find(QStringLiteral("sectionRow1")));
        }
        QTRY_VERIFY(shows(QStringLiteral("readingMenuView")));
        settle();
    }

    // Runs the stack's push and pop transitions to their end. They are animators, which finish
    // only when a frame is drawn, so frames are drawn on the way.
    void settle()
    {
        for (int frame = 0; frame < 8; ++frame) {
            animation.advanceBy(100);
            window->grabWindow();
        }
        QCoreApplication::processEvents();
        QVERIFY(!find(QStringLiteral("stackView"))->property("busy").toBool());
    }
    // Clicks the item called `name` (or presses a key) and lets the stack come to rest.
    void go(const QString &name)
    {
        click(window, find(name));
        settle();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(window, key, modifiers);
        settle();
    }

    // Installed once the window exists, as it must be.
    ManualAnimationDriver animation;
};
