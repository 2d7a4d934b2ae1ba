#pragma once

#include "../app/AppTestSupport.h"

#include <QTemporaryDir>
#include <QTest>

// Using the real main window as a person does: clicking, typing, moving the focus with Tab,
// and reading what the screen shows.

inline void click(QQuickWindow *window, QQuickItem *item)
{
    QVERIFY(item);
    QVERIFY(item->isVisible());
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

inline void typeText(QQuickWindow *window, const QString &text)
{
    for (QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

inline bool shown(const QQuickItem *item) { return item && item->isVisible(); }
inline QString textOf(const QQuickItem *item) { return item ? item->property("text").toString() : QString(); }

// The object a view keeps in `property` (its view model), or null.
template <typename T> T *modelOf(const QQuickItem *view, const char *property)
{
    return view ? view->property(property).value<T *>() : nullptr;
}

// The visible button showing `text` below `item`, such as a dialog's own buttons.
inline QQuickItem *buttonWithText(QQuickItem *item, const QString &text)
{
    return findItem(item, [&text](QQuickItem *candidate) {
        return candidate->isVisible() && candidate->inherits("QQuickAbstractButton") &&
               candidate->property("text").toString() == text;
    });
}

// Presses Tab (or Shift+Tab) until the item called `name`, or an item inside it, has the focus.
inline bool tabTo(QQuickWindow *window, const QString &name, bool backwards = false)
{
    for (int i = 0; i < 60; ++i) {
        for (QQuickItem *item = window->activeFocusItem(); item; item = item->parentItem())
            if (item->objectName() == name)
                return true;
        QTest::keyClick(window, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
                        backwards ? Qt::ShiftModifier : Qt::NoModifier);
    }
    return false;
}

// The main window over a store of its own in a temporary folder, shown on the screen.
struct ScratchApp : QTemporaryDir, AppUnderTest
{
    ScratchApp() : AppUnderTest(filePath(QStringLiteral("default.store")))
    {
        if (window)
            (void)QTest::qWaitForWindowExposed(window);
    }
    bool shows(const QString &name) const { return shown(find(name)); }
    QString text(const QString &name) const { return textOf(find(name)); }
};
