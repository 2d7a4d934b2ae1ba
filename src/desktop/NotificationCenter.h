#pragma once

#include <QObject>
#include <QString>
#include <QTime>
#include <QtQml/qqmlregistration.h>

#include <functional>

// One local notification that repeats every day at the same local hour and minute.
struct NotificationRequest
{
    QString identifier;
    QString title;
    QString body;
    // A sound of the freedesktop sound theme; empty for a silent notification.
    QString soundName;
    // Only the hour and minute count.
    QTime time;

    friend bool operator==(const NotificationRequest &, const NotificationRequest &) = default;
};

// Where the application asks for permission to notify and keeps its pending notification
// requests. The desktop back end talks to the session bus; tests use a fake.
class NotificationCenter : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Built by main()")
    Q_PROPERTY(bool deliversWhileClosed READ deliversWhileClosed NOTIFY deliversWhileClosedChanged)

public:
    using Answer = std::function<void(bool granted)>;

    using QObject::QObject;

    // Asks whether notifications may be shown. `answer` runs later on this thread, never
    // inside the call; it is dropped when `receiver` is destroyed first.
    virtual void requestAuthorization(QObject *receiver, Answer answer) = 0;
    // Drops the pending request with this identifier; unknown identifiers are ignored.
    virtual void removePendingRequest(const QString &identifier) = 0;
    // Adds a request. The outcome is not reported: a request that cannot be kept is lost.
    virtual void add(const NotificationRequest &request) = 0;
    // False when requests only fire while the application is running.
    virtual bool deliversWhileClosed() const = 0;

signals:
    void deliversWhileClosedChanged();
    // The user clicked a notification this process posted itself.
    void activated(const QString &identifier);
};
