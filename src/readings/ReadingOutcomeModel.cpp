#include "ReadingOutcomeModel.h"

#include "Clock.h"
#include "DateFormat.h"
#include "LookBack.h"
#include "PerceivedText.h"
#include "Reading.h"
#include "StoreLog.h"

#include <QCoreApplication>

ReadingOutcomeModel::ReadingOutcomeModel(QObject *parent) : QObject(parent), m_scheduler(&Scheduler::system())
{
    // The window may close while a save is still owed.
    if (auto *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &ReadingOutcomeModel::flush);
}

ReadingOutcomeModel::~ReadingOutcomeModel()
{
    flush();
}

void ReadingOutcomeModel::setReading(Reading *reading)
{
    if (reading == m_reading)
        return;
    flush();
    if (m_reading)
        disconnect(m_reading, nullptr, this, nullptr);
    m_reading = reading;
    if (reading) {
        connect(reading, &Reading::outcomeChanged, this, &ReadingOutcomeModel::outcomeChanged);
        connect(reading, &Reading::lookBackOnChanged, this, &ReadingOutcomeModel::lookBackChanged);
        connect(reading, &Reading::dateChanged, this, &ReadingOutcomeModel::lookBackChanged);
    }
    m_problem.clear();
    emit readingChanged();
    emit outcomeChanged();
    emit lookBackChanged();
}

QString ReadingOutcomeModel::outcome() const
{
    return m_reading ? m_reading->outcome() : QString();
}

void ReadingOutcomeModel::editOutcome(const QString &text)
{
    if (!m_reading)
        return;
    const QString kept = PerceivedText::truncated(text, outcomeLimit);
    if (kept == m_reading->outcome()) {
        // A cut text is shown cut.
        if (kept.size() != text.size())
            emit outcomeChanged();
        return;
    }
    m_reading->setOutcome(kept);
    requestSave();
}

QString ReadingOutcomeModel::lookBackText() const
{
    const QDate day = m_reading ? LookBack::fromStored(m_reading->lookBackOn()) : QDate();
    if (!day.isValid())
        return {};
    const QString shown = DateFormat::longDate(day);
    if (LookBack::isDue(day, Clock::today()))
        return tr("Ready to look back on since %1.").arg(shown);
    return tr("Look back on %1.").arg(shown);
}

QString ReadingOutcomeModel::lookBackDayText() const
{
    return m_reading ? m_reading->lookBackOn() : QString();
}

bool ReadingOutcomeModel::hasLookBack() const
{
    return m_reading && LookBack::fromStored(m_reading->lookBackOn()).isValid();
}

void ReadingOutcomeModel::lookBackAfter(int after)
{
    if (!m_reading || after < InAWeek || after > InThreeMonths)
        return;
    const auto span = after == InAWeek    ? LookBack::After::Week
                      : after == InAMonth ? LookBack::After::Month
                                          : LookBack::After::ThreeMonths;
    setDay(LookBack::stored(LookBack::dayAfter(m_reading->date(), span)));
}

bool ReadingOutcomeModel::lookBackOn(const QString &dayText)
{
    if (!m_reading)
        return false;
    const QDate day = LookBack::fromStored(dayText.trimmed());
    if (!day.isValid()) {
        m_problem = tr("Write the day as %1.").arg(LookBack::stored(Clock::today().addDays(7)));
        emit lookBackChanged();
        return false;
    }
    setDay(LookBack::stored(day));
    return true;
}

void ReadingOutcomeModel::clearLookBack()
{
    if (m_reading)
        setDay(QString());
}

void ReadingOutcomeModel::setDay(const QString &stored)
{
    m_problem.clear();
    const bool changed = stored != m_reading->lookBackOn();
    m_reading->setLookBackOn(stored);
    emit lookBackChanged();
    if (changed) {
        // A day is a choice, not typing: it is stored at once.
        m_savePending = true;
        flush();
    }
}

void ReadingOutcomeModel::requestSave()
{
    m_savePending = true;
    if (!m_saveTask)
        m_saveTask = m_scheduler->schedule(saveDelayMs, this, [this] {
            m_saveTask = 0;
            flush();
        });
}

void ReadingOutcomeModel::flush()
{
    if (m_saveTask) {
        m_scheduler->cancel(m_saveTask);
        m_saveTask = 0;
    }
    if (!m_savePending)
        return;
    m_savePending = false;
    if (m_reading && m_reading->context())
        saveContext(*m_reading->context());
}
