#include "CardDetailModel.h"

#include "CardNotes.h"
#include "Clock.h"
#include "PerceivedText.h"
#include "Scheduler.h"
#include "StoreLog.h"

#include <QCoreApplication>

CardDetailModel::CardDetailModel(QObject *parent) : QObject(parent), m_scheduler(&Scheduler::system())
{
    // The window may close while a save is still owed.
    if (auto *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &CardDetailModel::flush);
}

CardDetailModel::~CardDetailModel()
{
    flush();
}

YesNoLeaning CardDetailModel::shownLeaning(YesNoLeaning leaning, bool reversed)
{
    if (!reversed)
        return leaning;
    switch (leaning) {
    case YesNoLeaning::yes:
        return YesNoLeaning::no;
    case YesNoLeaning::no:
        return YesNoLeaning::yes;
    case YesNoLeaning::maybe:
        break;
    }
    return YesNoLeaning::maybe;
}

QString CardDetailModel::leaningLabel(YesNoLeaning leaning)
{
    const QString raw = rawValue(leaning);
    return raw.left(1).toUpper() + raw.mid(1);
}

void CardDetailModel::setScheduler(Scheduler &scheduler)
{
    if (m_saveTask) {
        m_scheduler->cancel(m_saveTask);
        m_saveTask = 0;
    }
    m_scheduler = &scheduler;
    if (m_savePending)
        requestSave();
}

void CardDetailModel::setModelContext(ModelContext *context)
{
    if (context == m_context)
        return;
    flush();
    m_context = context;
    emit modelContextChanged();
}

void CardDetailModel::setCard(const TarotCard &card)
{
    if (card == m_card)
        return;
    m_card = card;
    emit cardChanged();
    emit showReversedChanged();
}

void CardDetailModel::setShowReversed(bool reversed)
{
    if (reversed == m_showReversed)
        return;
    m_showReversed = reversed;
    emit showReversedChanged();
}

QString CardDetailModel::detailLine() const
{
    return m_card.numberLabel() + QStringLiteral(" \u2014 ") + m_card.suitLabel();
}

QString CardDetailModel::meaningTitle() const
{
    return m_showReversed ? QStringLiteral("Reversed Meaning") : QStringLiteral("Upright Meaning");
}

void CardDetailModel::appear()
{
    UserCardNote *found = CardNotes(m_context).of(m_card.id);
    if (found != m_note) {
        m_note = found;
        emit noteChanged();
    }
    // Showing the stored text is a change like any other and is stored the same way.
    setNoteText(found ? found->noteText() : QStringLiteral(""));
}

void CardDetailModel::editNote(const QString &text)
{
    const QString kept = PerceivedText::truncated(text, noteLimit);
    if (kept == m_noteText) {
        if (kept.size() != text.size())
            emit noteTextChanged();
        return;
    }
    setNoteText(kept);
}

void CardDetailModel::setNoteText(const QString &text)
{
    if (text == m_noteText)
        return;
    m_noteText = text;
    emit noteTextChanged();
    store(text);
}

void CardDetailModel::store(const QString &text)
{
    if (m_note) {
        m_note->setNoteText(text);
        m_note->setLastModified(Clock::now());
    } else if (!text.isEmpty() && m_context) {
        m_note = CardNotes(m_context).add(m_card.id, text);
        emit noteChanged();
    }
    requestSave();
}

void CardDetailModel::requestSave()
{
    if (!m_context)
        return;
    m_savePending = true;
    if (!m_saveTask)
        m_saveTask = m_scheduler->schedule(saveDelayMs, this, [this] {
            m_saveTask = 0;
            flush();
        });
}

void CardDetailModel::flush()
{
    if (m_saveTask) {
        m_scheduler->cancel(m_saveTask);
        m_saveTask = 0;
    }
    if (!m_savePending)
        return;
    m_savePending = false;
    if (m_context)
        saveContext(*m_context);
}
