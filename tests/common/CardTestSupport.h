#pragma once

#include "QuickTestSupport.h"

#include <QDir>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(Quillmoor_CataloguePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_UiPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_CardsPlugin)

// QML text for one view of the Cards module, named "view", with the given properties.
inline QByteArray cardScene(const QByteArray &type, const QByteArray &properties)
{
    return "import QtQuick\nimport Quillmoor.Cards\n" + type + " { objectName: \"view\"; x: 40; y: 40; " + properties +
           " }\n";
}

// A window showing one QML item made from `source` (QML text importing what it needs).
struct Scene
{
    explicit Scene(const QByteArray &source, QSize size = {600, 800})
    {
        engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
        window.resize(size);
        window.setColor(QColor(0x1A, 0x1A, 0x2E));
        QQmlComponent component(&engine);
        component.setData(source, QUrl(QStringLiteral("qrc:/scene.qml")));
        if (!component.isReady())
            qWarning().noquote() << component.errorString();
        root.reset(qobject_cast<QQuickItem *>(component.create()));
        if (root) {
            root->setParentItem(window.contentItem());
            window.show();
            (void)QTest::qWaitForWindowExposed(&window);
        }
    }
    ~Scene() { root.reset(); }

    QQuickItem *find(const QString &objectName) const { return findItem(root.get(), objectName); }
    void clickOn(QQuickItem *item) const
    {
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseClick(const_cast<QQuickWindow *>(&window), Qt::LeftButton, {}, centre.toPoint());
    }

    QQmlEngine engine;
    QQuickWindow window;
    std::unique_ptr<QQuickItem> root;
};
