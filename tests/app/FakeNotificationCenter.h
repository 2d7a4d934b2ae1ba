#pragma once

#include "NotificationCenter.h"

#include <QHash>
#include <QList>
#include <QPointer>

// A notification centre in memory. Permission questions wait until the test answers them.
class FakeNotificationCenter : public NotificationCenter
{
    Q_OBJECT

public:
    void requestAuthorization(QObject *receiver, Answer answer) override
    {
        m_questions.append({QPointer<QObject>(receiver), std::move(answer)});
    }
    void removePendingRequest(const QString &identifier) override { pending.remove(identifier); }
    void add(const NotificationRequest &request) override { pending.insert(request.identifier, request); }
    bool deliversWhileClosed() const override { return delivers; }

    // Answers every open question; answers for receivers that are gone are dropped.
    void answer(bool granted)
    {
        const auto questions = std::exchange(m_questions, {});
        for (const auto &[receiver, answer] : questions)
            if (receiver)
                answer(granted);
    }
    qsizetype openQuestions() const { return m_questions.size(); }

    QHash<QString, NotificationRequest> pending;
    bool delivers = true;

private:
    QList<std::pair<QPointer<QObject>, Answer>> m_questions;
};
