#pragma once

#include <QObject>
#include <QQmlEngine>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <memory>

class ModelContext;
class NotificationCenter;
Q_MOC_INCLUDE("ModelContext.h")
Q_MOC_INCLUDE("NotificationCenter.h")

// What the application opened at start-up: the window's object-store context, or why there is
// none. Built once by main() before the window exists and shared with QML as `AppState`.
class AppState : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool storeReady READ storeReady CONSTANT)
    Q_PROPERTY(ModelContext *context READ context CONSTANT)
    Q_PROPERTY(QString storeError READ storeError CONSTANT)
    Q_PROPERTY(QUrl websiteUrl READ websiteUrl CONSTANT)
    Q_PROPERTY(bool hasWebsite READ hasWebsite CONSTANT)
    Q_PROPERTY(NotificationCenter *notificationCenter READ notificationCenter NOTIFY notificationCenterChanged)

public:
    // Opens the store at `storePath`; a failure is logged and remembered, never retried.
    explicit AppState(const QString &storePath, QObject *parent = nullptr);
    ~AppState() override;

    bool storeReady() const { return m_context != nullptr; }
    ModelContext *context() const { return m_context.get(); }
    QString storeError() const { return m_storeError; }
    // The maker's website; empty when the address does not parse, which hides the Help item.
    QUrl websiteUrl() const;
    bool hasWebsite() const { return websiteUrl().isValid(); }

    // Creates and saves one settings record when the store has none; leaves existing ones alone.
    Q_INVOKABLE void ensureAppSettings();
    Q_INVOKABLE void openWebsite() const;

    static QString websiteAddress();

    // Where the daily reminder is scheduled; none until main() (or a test) sets one.
    NotificationCenter *notificationCenter() const { return m_notificationCenter; }
    void setNotificationCenter(NotificationCenter *center);
    // Asks the window to show a section (an AppSection::Section), e.g. after a click on the
    // daily reminder.
    void requestSection(int section) { emit sectionRequested(section); }

signals:
    void notificationCenterChanged();
    void sectionRequested(int section);

private:
    std::unique_ptr<ModelContext> m_context;
    QString m_storeError;
    NotificationCenter *m_notificationCenter = nullptr;
};

// Exposes the instance main() built as the QML singleton `AppState`.
struct AppStateForeign
{
    Q_GADGET
    QML_FOREIGN(AppState)
    QML_SINGLETON
    QML_NAMED_ELEMENT(AppState)

public:
    static AppState *create(QQmlEngine *, QJSEngine *engine);
    static void setInstance(AppState *instance);

private:
    static AppState *s_instance;
};
