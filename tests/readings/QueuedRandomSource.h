#pragma once

#include "RandomSource.h"

#include <QList>

// Hands out the queued raw values first, then zeros: a shuffle run before the queue() takes
// the zeros, and a draw after it sees exactly what the test queued.
class QueuedRandomSource : public RandomSource
{
public:
    quint64 next() override
    {
        ++m_drawn;
        return m_queue.isEmpty() ? 0 : m_queue.takeFirst();
    }
    void queue(QList<quint64> values)
    {
        m_queue = std::move(values);
        m_drawn = 0;
    }
    // Raw values drawn since the last queue().
    int drawn() const { return m_drawn; }

private:
    QList<quint64> m_queue;
    int m_drawn = 0;
};
