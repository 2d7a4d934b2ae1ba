#pragma once

#include "SpreadDefinition.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// A reading laid out with the user's own deck, as it is being written down: the spread, the
// card at each position and whether it lay reversed, the extra cards that fell out while
// shuffling, the question, the notes and when it was done. It holds the rules of recording:
// a card appears once in a reading (a second place for it is refused with a sentence for that
// place), a reading is not dated in the future, and it is complete once every position has
// its card.
class ReadingDraft
{
public:
    struct Placed
    {
        QString cardId; // empty while the position has no card yet
        bool isReversed = false;
    };

    // `cardName` gives the name of a card id for the sentences, `now` the present moment.
    ReadingDraft(const SpreadDefinition &spread, std::function<QString(const QString &)> cardName,
                 std::function<QDateTime()> now);

    const SpreadDefinition &spread() const { return m_spread; }
    const QList<Placed> &positions() const { return m_positions; }
    const QList<Placed> &extras() const { return m_extras; }

    // Puts a card at position `index`. A card already elsewhere in the reading is refused:
    // false, and problemAt(index) says where it is. An empty id clears the position.
    bool place(int index, const QString &cardId);
    void setReversed(int index, bool reversed);
    // The sentence for the position's last refused card, or empty.
    QString problemAt(int index) const;

    // An extra card; refused like a placed one, with extraProblem() saying why.
    bool addExtra(const QString &cardId, bool reversed = false);
    void removeExtra(int index);
    void setExtraReversed(int index, bool reversed);
    QString extraProblem() const { return m_extraProblem; }

    QDateTime date() const { return m_date; }
    // Later than now is refused: false, and dateProblem() says so.
    bool setDate(const QDateTime &date);
    QString dateProblem() const { return m_dateProblem; }

    QString question;
    QString notes;

    // Every position has a card.
    bool isComplete() const;

private:
    // Where `cardId` lies already, as a phrase ("at Past", "among the extra cards"), ignoring
    // position `except`; empty when it is nowhere.
    QString whereIs(const QString &cardId, int except) const;

    SpreadDefinition m_spread;
    std::function<QString(const QString &)> m_cardName;
    std::function<QDateTime()> m_now;
    QList<Placed> m_positions;
    QList<QString> m_problems;
    QList<Placed> m_extras;
    QString m_extraProblem;
    QDateTime m_date;
    QString m_dateProblem;
};
