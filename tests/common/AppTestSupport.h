#pragma once

#include "AppState.h"
#include "QmlModules.h"
#include "QuickTestSupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

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

// The real main window over a store at `storePath` (by default a fresh one of its own), as
// main() builds it.
struct AppUnderTest
{
    explicit AppUnderTest(const QString &storePath = {})
        : state(storePath.isEmpty() ? scratch.filePath(QStringLiteral("default.store")) : storePath)
    {
        AppStateForeign::setInstance(&state);
        engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
        state.checkStoreAfterFirstFrame(engine);
        engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/App/Main.qml")));
        window = engine.rootObjects().isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(engine.rootObjects().first());
        // The section's screen is built just after the first frame, as in the app; tests start
        // once it is there.
        if (window && QTest::qWaitForWindowExposed(window))
            if (QPointer<QObject> content = find<QObject>(QStringLiteral("contentView")))
                // A test that needs the screen fails on its own if it never comes. A store
                // found damaged meanwhile replaces the screen with the error screen.
                static_cast<void>(QTest::qWaitFor([content] {
                    if (!content)
                        return true;
                    auto *model = content->property("model").value<QObject *>();
                    return model && model->property("isWindowShown").toBool();
                }));
    }

    // Finds an item by object name among the visual children, where view delegates live too.
    template <typename T = QQuickItem> T *find(const QString &objectName) const
    {
        return window ? qobject_cast<T *>(findItem(window->contentItem(), objectName)) : nullptr;
    }

    QTemporaryDir scratch;
    AppState state;
    QQmlApplicationEngine engine;
    QQuickWindow *window = nullptr;
};
