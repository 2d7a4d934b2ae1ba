#include "DailyCardViewModel.h"

#include "AppSettings.h"
#include "CardDataStore.h"
#include "Clock.h"
#include "DateFormat.h"
#include "Deck.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "MoodPalette.h"
#include "RandomSource.h"
#include "StoreLog.h"

DailyCardViewModel::DailyCardViewModel(QObject *parent)
    : QObject(parent), m_cardStore(&CardDataStore::shared()), m_random(&RandomSource::system())
{}

DailyCardViewModel::DailyCardViewModel(CardDataStore &cardStore, ModelContext *modelContext, QObject *parent)
    : QObject(parent), m_cardStore(&cardStore), m_context(modelContext), m_random(&RandomSource::system())
{
    checkTodaysDraw();
    updateStreak();
}

DailyCardViewModel::~DailyCardViewModel() = default;

void DailyCardViewModel::componentComplete()
{
    checkTodaysDraw();
    updateStreak();
}

void DailyCardViewModel::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    m_context = context;
    emit modelContextChanged();
}

JournalEntry *DailyCardViewModel::todaysEntry() const
{
    if (!m_context)
        return nullptr;
    const QDate today = Clock::today();
    const QList<JournalEntry *> entries = m_context->fetch<JournalEntry>();
    for (JournalEntry *entry : entries)
        if (entry->date().toLocalTime().date() == today)
            return entry;
    return nullptr;
}

void DailyCardViewModel::setJournalEntry(JournalEntry *entry)
{
    if (m_journalEntry == entry)
        return;
    m_journalEntry = entry;
    emit journalEntryChanged();
}

void DailyCardViewModel::checkTodaysDraw()
{
    JournalEntry *entry = todaysEntry();
    // An entry without a card (written in the journal editor, say) is not a draw.
    if (!entry || entry->dailyCardId().isEmpty())
        return;
    const std::optional<TarotCard> card = m_cardStore->cardByID(entry->dailyCardId());
    if (!card)
        return;
    m_todaysCard = card;
    m_isReversed = entry->dailyCardReversed();
    setJournalEntry(entry);
    m_hasDrawnToday = true;
    m_isRevealed = true;
    emit todaysCardChanged();
    emit isReversedChanged();
    emit hasDrawnTodayChanged();
    emit isRevealedChanged();
}

void DailyCardViewModel::drawCard(bool allowReversed)
{
    if (m_hasDrawnToday)
        return;
    const std::optional<TarotCard> card = Deck::randomCard(m_cardStore->allCards(), *m_random);
    if (!card)
        return;
    const bool reversed = Deck::reversalDecision(allowReversed, *m_random);
    m_todaysCard = card;
    m_isReversed = reversed;
    m_hasDrawnToday = true;
    emit todaysCardChanged();
    emit isReversedChanged();
    emit hasDrawnTodayChanged();

    if (!m_context)
        return;
    JournalEntry *entry = todaysEntry();
    if (!entry) {
        entry = new JournalEntry(Clock::now());
        m_context->insert(entry);
    }
    entry->setDailyCardId(card->id);
    entry->setDailyCardReversed(reversed);
    entry->setJournalPrompt(card->journalPrompt);
    setJournalEntry(entry);
    // The draw stays on screen even if the save fails; the next save stores it.
    m_context->save();
    updateStreak();
}

void DailyCardViewModel::drawWithStoredSetting()
{
    bool allowReversed = true;
    if (m_context) {
        const QList<AppSettings *> settings = m_context->fetch<AppSettings>();
        if (!settings.isEmpty())
            allowReversed = settings.first()->allowReversedCards();
    }
    drawCard(allowReversed);
}

void DailyCardViewModel::setMood(const QString &mood)
{
    if (!m_journalEntry || !m_context)
        return;
    m_journalEntry->setMood(MoodPalette::toggled(m_journalEntry->mood(), mood));
    saveContext(*m_context);
}

void DailyCardViewModel::setReflection(const QString &text)
{
    if (!m_journalEntry || !m_context || m_journalEntry->reflectionText() == text)
        return;
    m_journalEntry->setReflectionText(text);
    saveContext(*m_context);
}

void DailyCardViewModel::updateStreak()
{
    int count = 0;
    if (m_context) {
        QSet<QDate> days;
        for (const JournalEntry *entry : m_context->fetch<JournalEntry>())
            days.insert(entry->date().toLocalTime().date());
        for (QDate day = Clock::today(); day.isValid() && days.contains(day); day = day.addDays(-1))
            ++count;
    }
    if (count == m_currentStreak)
        return;
    m_currentStreak = count;
    emit currentStreakChanged();
}

void DailyCardViewModel::setIsRevealed(bool revealed)
{
    if (m_isRevealed == revealed)
        return;
    m_isRevealed = revealed;
    emit isRevealedChanged();
}

void DailyCardViewModel::setIsShuffling(bool shuffling)
{
    if (m_isShuffling == shuffling)
        return;
    m_isShuffling = shuffling;
    emit isShufflingChanged();
}

void DailyCardViewModel::setIsWashShuffling(bool shuffling)
{
    if (m_isWashShuffling == shuffling)
        return;
    m_isWashShuffling = shuffling;
    emit isWashShufflingChanged();
}

void DailyCardViewModel::startShuffle()
{
    if (!m_isShuffling)
        setIsShuffling(true);
}

void DailyCardViewModel::startWashShuffle()
{
    if (m_hasDrawnToday || m_isShuffling || m_isWashShuffling)
        return;
    setIsWashShuffling(true);
}

MoonPhase DailyCardViewModel::moonPhase() const
{
    return MoonPhase::forDate(Clock::now());
}

QString DailyCardViewModel::todayText() const
{
    return DateFormat::longDate(Clock::today());
}

void DailyCardViewModel::requestJournal()
{
    if (m_journalEntry)
        emit journalRequested();
}
