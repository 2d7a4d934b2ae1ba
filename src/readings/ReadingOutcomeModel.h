#pragma once

#include "Scheduler.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class Reading;
Q_MOC_INCLUDE("Reading.h")

// "How did it turn out?" for one reading: the outcome written when looking back, and the day
// to look back on it, set as a week, a month or three months after the reading, or as a day
// typed in. Typing is stored shortly after it pauses, and at once when the screen goes.
class ReadingOutcomeModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Reading *reading READ reading WRITE setReading NOTIFY readingChanged)
    Q_PROPERTY(QString outcome READ outcome NOTIFY outcomeChanged)
    Q_PROPERTY(QString lookBackText READ lookBackText NOTIFY lookBackChanged)
    Q_PROPERTY(QString lookBackDayText READ lookBackDayText NOTIFY lookBackChanged)
    Q_PROPERTY(bool hasLookBack READ hasLookBack NOTIFY lookBackChanged)
    Q_PROPERTY(QString lookBackProblem READ lookBackProblem NOTIFY lookBackChanged)

public:
    enum After { InAWeek = 1, InAMonth, InThreeMonths };
    Q_ENUM(After)
    static constexpr qsizetype outcomeLimit = 50'000;
    static constexpr int saveDelayMs = 500;

    explicit ReadingOutcomeModel(QObject *parent = nullptr);
    ~ReadingOutcomeModel() override;

    void setScheduler(Scheduler &scheduler) { m_scheduler = &scheduler; }

    Reading *reading() const { return m_reading; }
    void setReading(Reading *reading);
    QString outcome() const;
    // Takes the typed outcome, cut to the limit.
    Q_INVOKABLE void editOutcome(const QString &text);

    // "Look back on 15 December 2026.", or "Ready to look back on since 15 December 2026.",
    // or empty when no day is set.
    QString lookBackText() const;
    // The day as it is typed, "2026-12-15", or empty.
    QString lookBackDayText() const;
    bool hasLookBack() const;
    QString lookBackProblem() const { return m_problem; }
    // Sets the day `after` the reading's own day.
    Q_INVOKABLE void lookBackAfter(int after);
    // Sets a typed day ("2026-12-15"); one that is not a day is refused with lookBackProblem().
    Q_INVOKABLE bool lookBackOn(const QString &dayText);
    Q_INVOKABLE void clearLookBack();

    // Writes what is owed to the store now.
    Q_INVOKABLE void flush();

signals:
    void readingChanged();
    void outcomeChanged();
    void lookBackChanged();

private:
    void setDay(const QString &stored);
    void requestSave();

    QPointer<Reading> m_reading;
    Scheduler *m_scheduler;
    Scheduler::TaskId m_saveTask = 0;
    bool m_savePending = false;
    QString m_problem;
};
