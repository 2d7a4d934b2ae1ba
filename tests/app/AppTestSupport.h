#pragma once

#include "AppState.h"
#include "Theme.h"

#include <QDir>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(Quillmoor_StorePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_CataloguePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_EnginePlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_CardsPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_StudyPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_JournalPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_DailyPlugin)
Q_IMPORT_QML_PLUGIN(Quillmoor_AppPlugin)

// Collects QML and Qt warnings while it lives.
class WarningCapture
{
public:
    WarningCapture()
    {
        s_lines.clear();
        s_previous = qInstallMessageHandler(&WarningCapture::handle);
    }
    ~WarningCapture() { qInstallMessageHandler(s_previous); }
    QStringList lines() const { return s_lines; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg)
            s_lines.append(message);
        if (s_previous)
            s_previous(type, context, message);
    }
    static inline QStringList s_lines;
    static inline QtMessageHandler s_previous = nullptr;
};

// The real main window over a store at `storePath`, as main() builds it.
struct AppUnderTest
{
    explicit AppUnderTest(const QString &storePath) : state(storePath)
    {
        AppStateForeign::setInstance(&state);
        engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
        engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/App/Main.qml")));
        window = engine.rootObjects().isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(engine.rootObjects().first());
    }

    // Finds an item by object name among the visual children, where view delegates live too.
    template <typename T = QQuickItem> T *find(const QString &objectName) const
    {
        return window ? qobject_cast<T *>(findItem(window->contentItem(), objectName)) : nullptr;
    }

    static QQuickItem *findItem(QQuickItem *item, const QString &objectName)
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

    AppState state;
    QQmlApplicationEngine engine;
    QQuickWindow *window = nullptr;
};

inline void prepareGuiTests()
{
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    Theme::registerFonts();
}

// Writes a picture of the window for people to look at.
inline void saveScreenshot(QQuickWindow *window, const QString &name)
{
    const QString folder = QStringLiteral(QUILLMOOR_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    const QImage image = window->grabWindow();
    QVERIFY(!image.isNull());
    QVERIFY(image.save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}
