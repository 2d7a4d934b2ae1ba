#include "AppSettings.h"
#include "CardDataStore.h"
#include "Clock.h"
#include "DailyCardViewModel.h"
#include "DateFormat.h"
#include "JournalEntry.h"
#include "MoonDisc.h"
#include "Scheduler.h"
#include "ScriptedRandomSource.h"
#include "ShuffleChoreography.h"
#include "SoundCues.h"
#include "StoreTestSupport.h"

#include <QLineF>
#include <QPainterPath>
#include <QSignalSpy>
#include <QTimeZone>

namespace {

const QDateTime noon(QDate(2026, 12, 5), QTime(12, 0));

JournalEntry *addEntry(ModelContext &context, QDate day, const QString &cardId = {})
{
    auto *entry = new JournalEntry(QDateTime(day, QTime(15, 0)));
    if (!cardId.isNull())
        entry->setDailyCardId(cardId);
    context.insert(entry);
    return entry;
}

} // namespace

class DailyModelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_cards.loadCards();
        QCOMPARE(m_cards.allCards().size(), 78);
    }
    void init() { Clock::pin(noon); }
    void cleanup() { Clock::reset(); }

    void drawsOnceADayAndRecordsItInTodaysEntry()
    {
        TempStore store;
        auto context = store.open();
        // Index 13 of the catalogue (Death), then an odd coin: reversed.
        ScriptedRandomSource random({13, 1});
        DailyCardViewModel model(m_cards, context.get());
        model.setRandomSource(random);
        QVERIFY(!model.hasDrawnToday());
        model.drawCard(true);
        QVERIFY(random.usedExactly());
        QCOMPARE(model.todaysCard()->id, QStringLiteral("major_13"));
        QVERIFY(model.isReversed());
        QVERIFY(model.hasDrawnToday());
        QVERIFY(!model.isRevealed());
        QCOMPARE(model.currentStreak(), 1);

        ScriptedRandomSource again({40, 0});
        model.setRandomSource(again);
        model.drawCard(true);
        QCOMPARE(again.consumed(), 0);
        QCOMPARE(model.todaysCard()->id, QStringLiteral("major_13"));

        context.reset();
        context = store.open();
        const auto entries = context->fetch<JournalEntry>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->date(), noon.date().startOfDay());
        QCOMPARE(entries.first()->dailyCardId(), QStringLiteral("major_13"));
        QVERIFY(entries.first()->dailyCardReversed());
        QCOMPARE(entries.first()->journalPrompt(), m_cards.cardByID(QStringLiteral("major_13"))->journalPrompt);
    }

    void reversalsOffDrawNoCoin()
    {
        TempStore store;
        auto context = store.open();
        auto *settings = new AppSettings;
        settings->setAllowReversedCards(false);
        context->insert(settings);
        ScriptedRandomSource random({77});
        DailyCardViewModel model(m_cards, context.get());
        model.setRandomSource(random);
        model.drawWithStoredSetting();
        QVERIFY(random.usedExactly());
        QCOMPARE(model.todaysCard()->id, QStringLiteral("pentacles_14"));
        QVERIFY(!model.isReversed());
        QVERIFY(!model.journalEntry()->dailyCardReversed());
    }

    void anEntryWithoutACardReceivesTheDraw()
    {
        TempStore store;
        auto context = store.open();
        JournalEntry *written = addEntry(*context, noon.date());
        written->setReflectionText(QStringLiteral("Wrote this before drawing."));
        written->setMood(QStringLiteral("Thoughtful"));
        QVERIFY(context->save());

        DailyCardViewModel model(m_cards, context.get());
        QVERIFY(!model.hasDrawnToday()); // a card-less entry is not a draw
        QVERIFY(!model.journalEntry());
        ScriptedRandomSource random({0, 0});
        model.setRandomSource(random);
        model.drawCard(true);
        QCOMPARE(context->fetch<JournalEntry>().size(), 1);
        QCOMPARE(model.journalEntry(), written);
        QCOMPARE(written->dailyCardId(), QStringLiteral("major_00"));
        QCOMPARE(written->reflectionText(), QStringLiteral("Wrote this before drawing."));
        QCOMPARE(written->mood(), QStringLiteral("Thoughtful"));
        QVERIFY(!written->journalPrompt().isEmpty());
    }

    void aNewModelRestoresTheDayFaceUp()
    {
        TempStore store;
        {
            auto context = store.open();
            ScriptedRandomSource random({22 + 14 + 5, 1}); // the Six of Cups, reversed
            DailyCardViewModel model(m_cards, context.get());
            model.setRandomSource(random);
            model.drawCard(true);
        }
        auto context = store.open();
        DailyCardViewModel restored(m_cards, context.get());
        QVERIFY(restored.hasDrawnToday());
        QVERIFY(restored.isRevealed());
        QCOMPARE(restored.todaysCard()->id, QStringLiteral("cups_06"));
        QVERIFY(restored.isReversed());
        QVERIFY(restored.journalEntry());

        // Tomorrow the same store offers a new draw.
        Clock::pin(noon.addDays(1));
        DailyCardViewModel tomorrow(m_cards, context.get());
        QVERIFY(!tomorrow.hasDrawnToday());
    }

    void anUnknownStoredCardLeavesTheDayUndrawn()
    {
        TempStore store;
        auto context = store.open();
        JournalEntry *entry = addEntry(*context, noon.date(), QStringLiteral("MAJOR_00"));
        DailyCardViewModel model(m_cards, context.get());
        QVERIFY(!model.hasDrawnToday());
        ScriptedRandomSource random({1, 0});
        model.setRandomSource(random);
        model.drawCard(true);
        QCOMPARE(entry->dailyCardId(), QStringLiteral("major_01"));
        QCOMPARE(context->fetch<JournalEntry>().size(), 1);
    }

    void choosingAMoodTogglesIt()
    {
        TempStore store;
        auto context = store.open();
        DailyCardViewModel model(m_cards, context.get());
        model.setMood(QStringLiteral("Joyful")); // nothing to record it in yet
        ScriptedRandomSource random({5, 0});
        model.setRandomSource(random);
        model.drawCard(true);
        JournalEntry *entry = model.journalEntry();
        model.setMood(QStringLiteral("Joyful"));
        QCOMPARE(entry->mood(), QStringLiteral("Joyful"));
        model.setMood(QStringLiteral("Anxious"));
        QCOMPARE(entry->mood(), QStringLiteral("Anxious"));
        model.setMood(QStringLiteral("Anxious"));
        QVERIFY(entry->mood().isNull());
        model.setMood(QStringLiteral("Hopeful"));
        model.setReflection(QStringLiteral("A quiet morning."));
        QVERIFY(!context->hasChanges()); // each change was saved at once
        context.reset();
        context = store.open();
        QCOMPARE(context->fetch<JournalEntry>().first()->mood(), QStringLiteral("Hopeful"));
        QCOMPARE(context->fetch<JournalEntry>().first()->reflectionText(), QStringLiteral("A quiet morning."));
    }

    void streakCountsBackFromToday_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QList<int>>("daysAgo");
        QTest::addColumn<int>("streak");
        QTest::newRow("today, yesterday, three days ago") << noon << QList<int>{0, 1, 3} << 2;
        QTest::newRow("yesterday only") << noon << QList<int>{1} << 0;
        QTest::newRow("today only") << noon << QList<int>{0} << 1;
        QTest::newRow("two entries today") << noon << QList<int>{0, 0, 1} << 2;
        // Across the spring change (29 March, 23 hours) and the autumn one (25 October, 25 hours).
        QTest::newRow("spring clock change") << QDateTime(QDate(2026, 3, 30), QTime(0, 30)) << QList<int>{0, 1, 2} << 3;
        QTest::newRow("autumn clock change")
            << QDateTime(QDate(2026, 10, 26), QTime(23, 30)) << QList<int>{0, 1, 2, 3} << 4;
    }
    void streakCountsBackFromToday()
    {
        QFETCH(QDateTime, now);
        QFETCH(QList<int>, daysAgo);
        QFETCH(int, streak);
        Clock::pin(now);
        TempStore store;
        auto context = store.open();
        for (int ago : daysAgo) {
            auto *entry = new JournalEntry(now.addDays(-ago));
            context->insert(entry);
        }
        DailyCardViewModel model(m_cards, context.get());
        QCOMPARE(model.currentStreak(), streak);
    }

    // The whole ritual belongs to the model: a shuffle ends in the draw, the turn ends in the
    // reading, and actions out of turn do nothing.
    void theRitualMovesThroughItsPhases_data()
    {
        QTest::addColumn<bool>("wash");
        QTest::addColumn<int>("shuffleMs");
        QTest::newRow("pile") << false << 1600;
        QTest::newRow("wash") << true << 2500;
    }
    void theRitualMovesThroughItsPhases()
    {
        QFETCH(bool, wash);
        QFETCH(int, shuffleMs);
        using Phase = DailyCardViewModel::Phase;
        TempStore store;
        auto context = store.open();
        ManualScheduler scheduler;
        DailyCardViewModel model(m_cards, context.get());
        model.setScheduler(scheduler);
        QSignalSpy cued(&SoundCues::shared(), &SoundCues::cued);
        QCOMPARE(model.phase(), Phase::Invitation);

        wash ? model.washShuffle() : model.shuffle();
        QCOMPARE(model.phase(), Phase::Shuffling);
        QCOMPARE(model.isWashShuffling(), wash);
        QCOMPARE(model.isShuffling(), !wash);
        model.washShuffle();
        model.shuffle();
        scheduler.advance(shuffleMs - 1);
        QVERIFY(!model.hasDrawnToday());
        scheduler.advance(1);
        QCOMPARE(model.phase(), Phase::FaceDown);
        QVERIFY(model.hasTodaysCard());
        QCOMPARE(context->fetch<JournalEntry>().first()->dailyCardId(), model.todaysCard()->id);
        QCOMPARE(model.pileChoreography()->runningTasks() + model.washChoreography()->runningTasks(), 0);

        model.shuffle();
        model.washShuffle();
        QCOMPARE(model.phase(), Phase::FaceDown);
        model.reveal();
        QCOMPARE(model.phase(), Phase::Revealing);
        QCOMPARE(cued.last().first().value<SoundEffect::Effect>(), SoundEffect::CardFlip);
        scheduler.advance(DailyCardViewModel::revealDelayMs - 1);
        QVERIFY(!model.isRevealed());
        scheduler.advance(1);
        QCOMPARE(model.phase(), Phase::Revealed);
        QCOMPARE(scheduler.pendingCount(), 1); // only the watch on the day remains
    }

    void anEmptyCatalogueShufflesAndWaitsAgain()
    {
        CardDataStore empty;
        ManualScheduler scheduler;
        DailyCardViewModel model(empty, nullptr);
        model.setScheduler(scheduler);
        model.shuffle();
        scheduler.advance(2000);
        QCOMPARE(model.phase(), DailyCardViewModel::Invitation);
        QVERIFY(!model.hasDrawnToday());
    }

    // A window left open past midnight shows the new day: its date, its moon, no card yet. A
    // shuffle that runs through midnight draws for the new day.
    void theScreenFollowsTheClockIntoTheNextDay()
    {
        using Phase = DailyCardViewModel::Phase;
        // The night the clocks go forward.
        const QDateTime start(QDate(2026, 3, 28), QTime(23, 58, 30));
        ManualScheduler scheduler;
        Clock::follow([&] { return start.addMSecs(scheduler.elapsed()); });
        TempStore store;
        auto context = store.open();
        DailyCardViewModel model(m_cards, context.get());
        model.setScheduler(scheduler);
        model.shuffle();
        scheduler.advance(1600);
        model.reveal();
        scheduler.advance(1000);
        QCOMPARE(model.phase(), Phase::Revealed);
        QCOMPARE(model.todayText(), DateFormat::longDate(QDate(2026, 3, 28)));
        QSignalSpy today(&model, &DailyCardViewModel::todayChanged);

        scheduler.advance(87'300); // 23:59:59.9
        QCOMPARE(model.phase(), Phase::Revealed);
        scheduler.advance(100);
        QCOMPARE(today.count(), 1);
        QCOMPARE(model.todayText(), DateFormat::longDate(QDate(2026, 3, 29)));
        QCOMPARE(model.phase(), Phase::Invitation);
        QVERIFY(!model.hasDrawnToday());
        QVERIFY(!model.journalEntry());
        QCOMPARE(model.currentStreak(), 0);

        // 23 hours later (a short day) it is the 30th; a shuffle started before midnight
        // finishes after it and draws for the 30th.
        scheduler.advance(23 * 3'600'000 - 1000);
        model.shuffle();
        scheduler.advance(1600);
        QCOMPARE(model.todayText(), DateFormat::longDate(QDate(2026, 3, 30)));
        QCOMPARE(model.phase(), Phase::FaceDown);
        QCOMPARE(model.journalEntry()->date(), QDate(2026, 3, 30).startOfDay());
        QCOMPARE(model.currentStreak(), 1);
    }

    void moonPhases_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("phase");
        const QDateTime reference(QDate(2000, 1, 6), QTime(18, 14), QTimeZone::utc());
        const auto days = [&reference](double d) { return reference.addMSecs(qint64(d * 86400000.0)); };
        QTest::newRow("reference") << reference << QStringLiteral("New Moon");
        QTest::newRow("half a month on") << days(14.77) << QStringLiteral("Full Moon");
        QTest::newRow("half a month before") << days(-14.77) << QStringLiteral("Full Moon");
        QTest::newRow("a day before") << days(-1) << QStringLiteral("New Moon");
        QTest::newRow("three days before") << days(-3) << QStringLiteral("Waning Crescent");
        QTest::newRow("many months before") << days(-29.53058770576 * 300 + 7.4) << QStringLiteral("First Quarter");
    }
    void moonPhases()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, phase);
        QCOMPARE(MoonPhase::forDate(when).name(), phase);
    }

    void moonPhaseBoundaries()
    {
        const double bounds[] = {0.0625, 0.1875, 0.3125, 0.4375, 0.5625, 0.6875, 0.8125, 0.9375};
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(MoonPhase::fromFraction(std::nextafter(bounds[i], 0.0)).index(), i);
            QCOMPARE(MoonPhase::fromFraction(bounds[i]).index(), (i + 1) % 8);
        }
        QCOMPARE(MoonPhase::fromFraction(0).symbol(), QString::fromUcs4(U"\U0001F311"));
        QCOMPARE(MoonPhase::fromFraction(0.5).symbol(), QString::fromUcs4(U"\U0001F315"));
    }

    // The moon is drawn, not written as an emoji: lit on the right while it waxes and on the
    // left while it wanes, by the share of the disc the phase shows.
    void moonIsDrawnLitOnTheRightSide_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("phase");
        QTest::addColumn<double>("lit");
        QTest::addColumn<bool>("right");
        QTest::newRow("new") << 0.0 << QStringLiteral("New Moon") << 0.0 << true;
        QTest::newRow("waxing crescent") << 3.7 << QStringLiteral("Waxing Crescent") << 0.146 << true;
        QTest::newRow("first quarter") << 7.4 << QStringLiteral("First Quarter") << 0.5 << true;
        QTest::newRow("waxing gibbous") << 11.1 << QStringLiteral("Waxing Gibbous") << 0.854 << true;
        QTest::newRow("full") << 14.77 << QStringLiteral("Full Moon") << 1.0 << true;
        QTest::newRow("waning gibbous") << 18.5 << QStringLiteral("Waning Gibbous") << 0.854 << false;
        QTest::newRow("last quarter") << 22.1 << QStringLiteral("Last Quarter") << 0.5 << false;
        QTest::newRow("waning crescent") << 25.8 << QStringLiteral("Waning Crescent") << 0.146 << false;
    }
    void moonIsDrawnLitOnTheRightSide()
    {
        QFETCH(double, days);
        QFETCH(QString, phase);
        QFETCH(double, lit);
        QFETCH(bool, right);
        const QDateTime reference(QDate(2000, 1, 6), QTime(18, 14), QTimeZone::utc());
        const MoonPhase moon = MoonPhase::forDate(reference.addMSecs(qint64(days * 86400000.0)));
        QCOMPARE(moon.name(), phase);
        QVERIFY2(std::abs(moon.litFraction() - lit) < 0.001, qPrintable(QString::number(moon.litFraction())));
        if (lit > 0 && lit < 1)
            QCOMPARE(moon.litOnRight(), right);

        // The drawn shape covers that share of the disc, on that side.
        const QRectF disc(0, 0, 100, 100);
        const QPainterPath shape = MoonDisc::litShape(disc, moon.litFraction(), moon.litOnRight());
        int inDisc = 0;
        int inShape = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const QPointF p(x + 0.5, y + 0.5);
                if (QLineF(p, disc.center()).length() > 50)
                    continue;
                ++inDisc;
                inShape += shape.contains(p) ? 1 : 0;
            }
        }
        QVERIFY2(std::abs(double(inShape) / inDisc - lit) < 0.02,
                 qPrintable(QString::number(double(inShape) / inDisc)));
        if (lit > 0 && lit < 1) {
            QCOMPARE(shape.contains(QPointF(97, 50)), right);
            QCOMPARE(shape.contains(QPointF(3, 50)), !right);
        }
    }

    void longDatesLeaveOutTheWeekday()
    {
        const QDate day(2026, 12, 5);
        QCOMPARE(DateFormat::longDate(day, QLocale(QStringLiteral("en_US"))), QStringLiteral("December 5, 2026"));
        QCOMPARE(DateFormat::longDate(day, QLocale(QStringLiteral("en_GB"))), QStringLiteral("5 December 2026"));
        QCOMPARE(DateFormat::mediumDate(day, QLocale(QStringLiteral("en_US"))), QStringLiteral("Dec 5, 2026"));
        QCOMPARE(DateFormat::longDate(day, QLocale(QStringLiteral("de_DE"))), QStringLiteral("5. Dezember 2026"));
    }

private:
    CardDataStore m_cards;
};

QTEST_GUILESS_MAIN(DailyModelTest)
#include "tst_daily_model.moc"
