#include "ReadingDraft.h"

#include <QCoreApplication>

#include <algorithm>

ReadingDraft::ReadingDraft(const SpreadDefinition &spread, std::function<QString(const QString &)> cardName,
                           std::function<QDateTime()> now)
    : m_spread(spread), m_cardName(std::move(cardName)), m_now(std::move(now)), m_positions(spread.positions.size()),
      m_problems(spread.positions.size()), m_date(m_now())
{}

QString ReadingDraft::whereIs(const QString &cardId, int except) const
{
    for (int i = 0; i < m_positions.size(); ++i)
        if (i != except && m_positions.at(i).cardId == cardId)
            return QCoreApplication::translate("ReadingDraft", "at %1").arg(m_spread.positions.at(i).name);
    for (const Placed &extra : m_extras)
        if (extra.cardId == cardId)
            return QCoreApplication::translate("ReadingDraft", "among the extra cards");
    return {};
}

bool ReadingDraft::place(int index, const QString &cardId)
{
    if (index < 0 || index >= m_positions.size())
        return false;
    if (!cardId.isEmpty()) {
        const QString where = whereIs(cardId, index);
        if (!where.isEmpty()) {
            m_problems[index] = QCoreApplication::translate("ReadingDraft", "%1 is already in this reading, %2.")
                                    .arg(m_cardName(cardId), where);
            return false;
        }
    }
    m_positions[index].cardId = cardId;
    m_problems[index].clear();
    return true;
}

void ReadingDraft::setReversed(int index, bool reversed)
{
    if (index >= 0 && index < m_positions.size())
        m_positions[index].isReversed = reversed;
}

QString ReadingDraft::problemAt(int index) const
{
    return m_problems.value(index);
}

bool ReadingDraft::addExtra(const QString &cardId, bool reversed)
{
    if (cardId.isEmpty())
        return false;
    const QString where = whereIs(cardId, -1);
    if (!where.isEmpty()) {
        m_extraProblem = QCoreApplication::translate("ReadingDraft", "%1 is already in this reading, %2.")
                             .arg(m_cardName(cardId), where);
        return false;
    }
    m_extras.append({cardId, reversed});
    m_extraProblem.clear();
    return true;
}

void ReadingDraft::removeExtra(int index)
{
    if (index >= 0 && index < m_extras.size())
        m_extras.removeAt(index);
}

void ReadingDraft::setExtraReversed(int index, bool reversed)
{
    if (index >= 0 && index < m_extras.size())
        m_extras[index].isReversed = reversed;
}

bool ReadingDraft::setDate(const QDateTime &date)
{
    if (!date.isValid() || date > m_now()) {
        m_dateProblem = QCoreApplication::translate("ReadingDraft", "A reading cannot be dated in the future.");
        return false;
    }
    m_date = date;
    m_dateProblem.clear();
    return true;
}

bool ReadingDraft::isComplete() const
{
    return !m_positions.isEmpty() &&
           std::all_of(m_positions.begin(), m_positions.end(), [](const Placed &p) { return !p.cardId.isEmpty(); });
}
