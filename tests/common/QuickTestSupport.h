#pragma once

#include "Theme.h"

#include <QDir>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTest>

#include <algorithm>
#include <type_traits>

// What every test that shows QML needs: the style and fonts main() sets up, a way to find
// items (view delegates are only reachable through visual children) and screenshots.
inline void prepareGuiTests()
{
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    Theme::registerFonts();
}

inline QQuickItem *findItem(QQuickItem *item, const QString &objectName)
{
    if (!item)
        return nullptr;
    if (item->objectName() == objectName)
        return item;
    for (QQuickItem *child : item->childItems())
        if (QQuickItem *found = findItem(child, objectName))
            return found;
    return nullptr;
}

// The first item below `item` (itself included) that `matches`.
template <typename Predicate>
requires std::is_invocable_r_v<bool, Predicate, QQuickItem *> QQuickItem *findItem(QQuickItem *item, Predicate matches)
{
    if (!item)
        return nullptr;
    if (matches(item))
        return item;
    for (QQuickItem *child : item->childItems())
        if (QQuickItem *found = findItem(child, matches))
            return found;
    return nullptr;
}

// Whether every picture below `item` has arrived (or failed): card pictures are decoded off the
// GUI thread, so a test waits for them before it looks.
inline bool picturesSettled(QQuickItem *item)
{
    if (!item)
        return true;
    constexpr int loading = 2; // QQuickImageBase::Loading
    if (item->inherits("QQuickImageBase") && item->property("status").toInt() == loading)
        return false;
    const QList<QQuickItem *> children = item->childItems();
    return std::all_of(children.begin(), children.end(), [](QQuickItem *child) { return picturesSettled(child); });
}

// Writes a picture of the window into build/screenshots for people to look at, once its
// pictures have arrived.
inline void saveScreenshot(QQuickWindow *window, const QString &name)
{
    const QString folder = QStringLiteral(QUILLMOOR_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    QTRY_VERIFY(picturesSettled(window->contentItem()));
    const QImage image = window->grabWindow();
    QVERIFY(!image.isNull());
    QVERIFY(image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}

// Whether an open popup is set off from the screen under it: a visible edge around its
// background, or a background that itself differs from the window's.
inline bool popupHasEdge(QObject *popup)
{
    auto *background = popup ? popup->property("background").value<QQuickItem *>() : nullptr;
    if (!background)
        return false;
    const QColor fill = background->property("color").value<QColor>();
    if (Theme::contrastRatio(fill, Theme::background()) >= 1.3)
        return true;
    auto *border = background->property("border").value<QObject *>();
    return border && border->property("width").toDouble() >= 1 &&
           Theme::contrastRatio(border->property("color").value<QColor>(), fill) >= 1.5;
}
