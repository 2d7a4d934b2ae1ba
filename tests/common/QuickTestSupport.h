#pragma once

#include "Theme.h"

#include <QDir>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTest>

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

// Writes a picture of the window into build/screenshots for people to look at.
inline void saveScreenshot(QQuickWindow *window, const QString &name)
{
    const QString folder = QStringLiteral(QUILLMOOR_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    const QImage image = window->grabWindow();
    QVERIFY(!image.isNull());
    QVERIFY(image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}
