#pragma once

#include "AppTestSupport.h"
#include "WindowActions.h"

#include <QTemporaryDir>
#include <QTest>

// Using the real main window as a person does (with WindowActions.h): clicking what is shown,
// typing, and reading what the screen shows.

// A click on an item that is on screen, at its centre or at `at` in its own coordinates.
inline void click(QQuickWindow *window, QQuickItem *item, QPointF at = {-1, -1},
                  Qt::MouseButton button = Qt::LeftButton)
{
    QVERIFY(item && item->isVisible());
    const QPointF local = at.x() < 0 ? QPointF(item->width() / 2, item->height() / 2) : at;
    QTest::mouseClick(window, button, Qt::NoModifier, item->mapToScene(local).toPoint());
}

inline void typeText(QQuickWindow *window, const QString &text)
{
    for (QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

inline bool shown(const QQuickItem *item)
{
    return item && item->isVisible();
}
inline QString textOf(const QQuickItem *item)
{
    return item ? item->property("text").toString() : QString();
}

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

// The main window over a store of its own in a temporary folder, shown on the screen.
struct ScratchApp : QTemporaryDir, AppUnderTest
{
    ScratchApp() : AppUnderTest(filePath(QStringLiteral("default.store"))) {}
    bool shows(const QString &name) const { return shown(find(name)); }
    QString text(const QString &name) const { return textOf(find(name)); }
};
