#pragma once

#include "NotificationCenter.h"

#include <QDateTime>
#include <QHash>
#include <QObject>

#include <functional>
#include <optional>

class Scheduler;

// Daily requests kept by a timer of the running application, for desktops without a user
// service manager. It looks at the clock at least once a minute rather than trusting one long
// timer, so a suspend or a change of the clock does not shift the notification.
class InProcessReminder : public QObject
{
    Q_OBJECT

public:
    using Post = std::function<void(const NotificationRequest &)>;

    static constexpr int checkIntervalMs = 60 * 1000;

    InProcessReminder(Scheduler &scheduler, Post post, QObject *parent = nullptr);

    // Keeps `request` for `identifier`, or drops it when there is none.
    void set(const QString &identifier, const std::optional<NotificationRequest> &request);
    bool isPending(const QString &identifier) const { return m_entries.contains(identifier); }
    // When the request fires next; invalid when it is not pending.
    QDateTime nextFireTime(const QString &identifier) const;

    // The first local time after `after` that shows `time` on the clock: today or tomorrow.
    static QDateTime nextOccurrence(const QDateTime &after, QTime time);

private:
    struct Entry
    {
        NotificationRequest request;
        QDateTime due;
        quint64 task = 0;
    };
    void arm(const QString &identifier);
    void check(const QString &identifier);

    Scheduler &m_scheduler;
    Post m_post;
    QHash<QString, Entry> m_entries;
};
