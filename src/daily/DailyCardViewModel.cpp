#include "DailyCardViewModel.h"

#include "AppSettings.h"
#include "CardDataStore.h"
#include "CardStyle.h"
#include "Clock.h"
#include "DateFormat.h"
#include "DayTracker.h"
#include "Deck.h"
#include "DesktopPreferences.h"
#include "JournalCalendar.h"
#include "JournalEntries.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "MoodPalette.h"
#include "RandomSource.h"
#include "Scheduler.h"
#include "Settings.h"
#include "ShuffleChoreography.h"
#include "SoundCues.h"
#include "StoreLog.h"

#include <QLocale>
#include <QTimeZone>

DailyCardViewModel::DailyCardViewModel(QObject *parent)
    : QObject(parent), m_random(&RandomSource::system()), m_entryFields(new EntryFields(CardDataStore::shared(), this))
{
    setScheduler(Scheduler::system());
}

DailyCardViewModel::DailyCardViewModel(CardDataStore &cardStore, ModelContext *modelContext, QObject *parent)
    : QObject(parent), m_cardStore(&cardStore), m_context(modelContext), m_random(&RandomSource::system()),
      m_entryFields(new EntryFields(cardStore, this))
{
    setScheduler(Scheduler::system());
    startDay();
}

DailyCardViewModel::~DailyCardViewModel() = default;

void DailyCardViewModel::componentComplete()
{
    startDay();
}

void DailyCardViewModel::setRandomSource(RandomSource &random)
{
    m_random = &random;
    for (ShuffleChoreography *shuffle : {m_pileShuffle, m_washShuffle})
        if (shuffle)
            shuffle->setRandomSource(&random);
}

void DailyCardViewModel::setScheduler(Scheduler &scheduler)
{
    m_scheduler = &scheduler;
    for (ShuffleChoreography *shuffle : {m_pileShuffle, m_washShuffle})
        if (shuffle)
            shuffle->setScheduler(&scheduler);
    m_dayTracker = std::make_unique<DayTracker>(scheduler);
    connect(m_dayTracker.get(), &DayTracker::dayChanged, this, &DailyCardViewModel::dayChanged);
}

CardDataStore &DailyCardViewModel::cards()
{
    // The shared catalogue is read on first use, so a day without a draw opens without it.
    if (!m_cardStore)
        m_cardStore = &CardDataStore::shared();
    return *m_cardStore;
}

void DailyCardViewModel::setModelContext(ModelContext *context)
{
    if (m_context == context)
        return;
    m_context = context;
    emit modelContextChanged();
}

QString DailyCardViewModel::phaseAnnouncement() const
{
    switch (m_phase) {
    case Invitation:
        return tr("Your Daily Card Awaits");
    case Shuffling:
        return tr("Shuffling the cards…");
    case FaceDown:
        return tr("Your card lies face down. Turn it over when you are ready.");
    case Revealing:
        return tr("Turning your card over…");
    case Revealed:
        return m_todaysCard ? tr("Today's card: %1.").arg(CardStyle::accessibleName(*m_todaysCard, m_isReversed))
                            : QString();
    }
    return {};
}

void DailyCardViewModel::setPhase(Phase phase)
{
    if (m_phase == phase)
        return;
    m_phase = phase;
    emit phaseChanged();
}

ShuffleChoreography *DailyCardViewModel::pileChoreography()
{
    return choreography(Pile);
}

ShuffleChoreography *DailyCardViewModel::washChoreography()
{
    return choreography(Wash);
}

ShuffleChoreography *DailyCardViewModel::choreography(ShuffleStyle style)
{
    // Made on first use, so an app that opens on a drawn day never builds them.
    ShuffleChoreography *&shuffle = style == Pile ? m_pileShuffle : m_washShuffle;
    if (!shuffle) {
        shuffle = new ShuffleChoreography(this);
        shuffle->setStyle(style == Pile ? ShuffleChoreography::Pile : ShuffleChoreography::Wash);
        shuffle->setCardCount(style == Pile ? pileCardCount : washCardCount);
        shuffle->setRandomSource(m_random);
        shuffle->setScheduler(m_scheduler);
        connect(shuffle, &ShuffleChoreography::completed, this, &DailyCardViewModel::shuffleCompleted);
    }
    return shuffle;
}

void DailyCardViewModel::shuffle()
{
    if (m_phase == Invitation)
        startShuffle(Pile);
}

void DailyCardViewModel::washShuffle()
{
    if (m_phase == Invitation && !m_hasDrawnToday)
        startShuffle(Wash);
}

void DailyCardViewModel::startShuffle(ShuffleStyle style)
{
    m_shuffleStyle = style;
    ShuffleChoreography *shuffle = choreography(style);
    setPhase(Shuffling);
    shuffle->begin();
}

void DailyCardViewModel::shuffleCompleted()
{
    if (m_phase != Shuffling)
        return;
    drawWithStoredSetting();
    // An empty catalogue draws nothing: the deck waits again.
    setPhase(m_hasDrawnToday && m_todaysCard ? FaceDown : Invitation);
}

void DailyCardViewModel::reveal()
{
    if (m_phase != FaceDown)
        return;
    setPhase(Revealing);
    SoundCues::shared().cue(SoundEffect::CardFlip);
    const int delay = DesktopPreferences::instance()->reducedMotion() ? fadedRevealDelayMs : revealDelayMs;
    m_revealTask = m_scheduler->schedule(delay, this, [this] {
        m_revealTask = 0;
        if (m_phase == Revealing)
            setPhase(Revealed);
    });
}

JournalEntry *DailyCardViewModel::todaysEntry() const
{
    if (!m_context)
        return nullptr;
    // The first of the day's entries in the order they were stored is today's entry.
    return JournalEntries(m_context).ofDay(Clock::today()).value(0);
}

void DailyCardViewModel::setJournalEntry(JournalEntry *entry)
{
    if (m_journalEntry == entry)
        return;
    m_journalEntry = entry;
    m_entryFields->setEntry(entry);
    emit journalEntryChanged();
}

void DailyCardViewModel::startDay()
{
    checkTodaysDraw();
    updateStreak();
}

void DailyCardViewModel::dayChanged()
{
    emit todayChanged();
    // A shuffle under way draws for the new day when it ends; anything later belonged to the
    // day that has gone, so the screen starts the new day afresh.
    if (m_phase == FaceDown || m_phase == Revealing || m_phase == Revealed) {
        m_scheduler->cancel(m_revealTask);
        m_revealTask = 0;
        m_todaysCard.reset();
        m_isReversed = false;
        m_hasDrawnToday = false;
        setJournalEntry(nullptr);
        setPhase(Invitation);
        emit todaysCardChanged();
    }
    startDay();
}

void DailyCardViewModel::checkTodaysDraw()
{
    JournalEntry *entry = todaysEntry();
    // An entry without a card (written in the journal editor, say) is not a draw.
    if (!entry || entry->dailyCardId().isEmpty())
        return;
    const std::optional<TarotCard> card = cards().cardByID(entry->dailyCardId());
    if (!card)
        return;
    m_todaysCard = card;
    m_isReversed = entry->dailyCardReversed();
    m_hasDrawnToday = true;
    setJournalEntry(entry);
    emit todaysCardChanged();
    // A restored draw is shown face up at once.
    setPhase(Revealed);
}

void DailyCardViewModel::drawCard(bool allowReversed)
{
    if (m_hasDrawnToday)
        return;
    const std::optional<TarotCard> card = Deck::randomCard(cards().allCards(), *m_random);
    if (!card)
        return;
    const bool reversed = Deck::reversalDecision(allowReversed, *m_random);
    m_todaysCard = card;
    m_isReversed = reversed;
    m_hasDrawnToday = true;
    emit todaysCardChanged();

    if (!m_context)
        return;
    JournalEntry *entry = todaysEntry();
    if (!entry) {
        entry = JournalEntries(m_context).add(Clock::now());
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
    drawCard(Settings(m_context).current().allowReversedCards());
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
        // The dates of the entries up to today, newest first, read without loading the entries.
        const QTimeZone zone = QTimeZone::systemTimeZone();
        const QDate today = Clock::today();
        qint64 end = today.addDays(1).startOfDay(zone).toMSecsSinceEpoch();
        const QList<qint64> dates = JournalEntries(m_context).datesBefore(QDateTime::fromMSecsSinceEpoch(end, zone));
        // Back from today, one calendar day at a time, while each day holds an entry.
        qsizetype next = 0;
        for (QDate day = today; day.isValid(); day = day.addDays(-1)) {
            const qint64 start = day.startOfDay(zone).toMSecsSinceEpoch();
            while (next < dates.size() && dates.at(next) >= end)
                ++next;
            if (next == dates.size() || dates.at(next) < start)
                break;
            ++count;
            end = start;
        }
    }
    if (count == m_currentStreak)
        return;
    m_currentStreak = count;
    emit currentStreakChanged();
}

MoonPhase DailyCardViewModel::moonPhase() const
{
    return MoonPhase::forDate(Clock::now());
}

QString DailyCardViewModel::todayText() const
{
    return DateFormat::longDate(Clock::today());
}

QString DailyCardViewModel::streakText() const
{
    return QLocale().toString(m_currentStreak) + tr(" day streak");
}
