#pragma once

#include "RandomSource.h"

#include <QList>

// Hands out a fixed list of raw values in order and counts them, so tests can see which rule
// drew what. Running past the end is recorded and yields 0.
class ScriptedRandomSource : public RandomSource
{
public:
    explicit ScriptedRandomSource(QList<quint64> values = {}) : m_values(std::move(values)) {}

    quint64 next() override
    {
        if (m_consumed >= m_values.size()) {
            m_overran = true;
            return 0;
        }
        return m_values.at(m_consumed++);
    }

    qsizetype consumed() const { return m_consumed; }
    // Every scripted value was drawn, and nothing more.
    bool usedExactly() const { return !m_overran && m_consumed == m_values.size(); }

private:
    QList<quint64> m_values;
    qsizetype m_consumed = 0;
    bool m_overran = false;
};
