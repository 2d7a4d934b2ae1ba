// The daily ritual's rules: one draw a day kept in the day's entry, the phases of the ritual,
// the day turning over, streaks and the moon.
#include "AppSettings.h"
#include "CardDataStore.h"
#include "Clock.h"
#include "DailyCardViewModel.h"
#include "DateFormat.h"
#include "DesktopPreferences.h"
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
#include <QTemporaryDir>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace {

const QDateTime noon(QDate(2026, 12, 5), QTime(12, 0));
const QDateTime newMoon(QDate(2000, 1, 6), QTime(18, 14), QTimeZone::utc());

QDateTime daysAfterNewMoon(double days)
{
    return newMoon.addMSecs(qint64(days * 86'400'000.0));
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
    void init()
    {
        Clock::pin(noon);
        m_store = std::make_unique<TempStore>();
        m_context = m_store->open();
    }
    void cleanup()
    {
        m_context.reset();
        m_store.reset();
        Clock::reset();
    }

    void drawsOnceADayIntoTodaysEntry_data()
    {
        QTest::addColumn<bool>("reversals");
        QTest::addColumn<QList<quint64>>("script");
        QTest::addColumn<QString>("card");
        // A catalogue index, then a coin only while reversals are allowed: odd reverses.
        QTest::newRow("reversals on") << true << QList<quint64>{13, 1} << u"major_13"_s;
        QTest::newRow("reversals off") << false << QList<quint64>{77} << u"pentacles_14"_s;
    }
    void drawsOnceADayIntoTodaysEntry()
    {
        QFETCH(bool, reversals);
        QFETCH(QList<quint64>, script);
        QFETCH(QString, card);
        auto *settings = new AppSettings;
        settings->setAllowReversedCards(reversals);
        m_context->insert(settings);
        ScriptedRandomSource random(script);
        DailyCardViewModel model(m_cards, m_context.get());
        model.setRandomSource(random);
        QVERIFY(!model.hasDrawnToday());
        model.drawWithStoredSetting();
        QVERIFY(random.usedExactly());
        QCOMPARE(model.todaysCard()->id, card);
        QCOMPARE(model.isReversed(), reversals);
        QVERIFY(model.hasDrawnToday() && !model.isRevealed());
        QCOMPARE(model.currentStreak(), 1);

        ScriptedRandomSource again({40, 0});
        model.setRandomSource(again);
        model.drawWithStoredSetting();
        QCOMPARE(again.consumed(), 0);
        QCOMPARE(model.todaysCard()->id, card);

        m_context = m_store->open();
        const auto entries = m_context->fetch<JournalEntry>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->date(), noon.date().startOfDay());
        QCOMPARE(entries.first()->dailyCardId(), card);
        QCOMPARE(entries.first()->dailyCardReversed(), reversals);
        QCOMPARE(entries.first()->journalPrompt(), m_cards.cardByID(card)->journalPrompt);
    }

    // Today's entry written before the draw, or naming a card the catalogue does not know, is
    // not a draw: the draw goes into it and keeps what was written. Then moods toggle.
    void anEntryWithoutAKnownCardReceivesTheDraw_data()
    {
        QTest::addColumn<QString>("storedCard");
        QTest::newRow("no card") << QString();
        QTest::newRow("unknown card") << u"MAJOR_00"_s;
    }
    void anEntryWithoutAKnownCardReceivesTheDraw()
    {
        QFETCH(QString, storedCard);
        auto *written = new JournalEntry(QDateTime(noon.date(), QTime(15, 0)));
        if (!storedCard.isNull())
            written->setDailyCardId(storedCard);
        written->setReflectionText("Wrote this before drawing.");
        written->setMood("Thoughtful");
        m_context->insert(written);
        QVERIFY(m_context->save());

        DailyCardViewModel model(m_cards, m_context.get());
        QVERIFY(!model.hasDrawnToday());
        QVERIFY(!model.journalEntry());
        model.setMood("Joyful"); // before the draw there is no entry to hold it
        ScriptedRandomSource random({0, 0});
        model.setRandomSource(random);
        model.drawCard(true);
        QCOMPARE(m_context->fetch<JournalEntry>().size(), 1);
        QCOMPARE(model.journalEntry(), written);
        QCOMPARE(written->dailyCardId(), "major_00");
        QCOMPARE(written->reflectionText(), "Wrote this before drawing.");
        QCOMPARE(written->mood(), "Thoughtful");
        QVERIFY(!written->journalPrompt().isEmpty());
        // The mood already chosen clears it; each change is saved at once.
        model.setMood("Thoughtful");
        QVERIFY(written->mood().isNull());
        model.setMood("Anxious");
        QCOMPARE(written->mood(), "Anxious");
        QVERIFY(!m_context->hasChanges());
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
        for (int ago : daysAgo)
            m_context->insert(new JournalEntry(now.addDays(-ago)));
        DailyCardViewModel model(m_cards, m_context.get());
        QCOMPARE(model.currentStreak(), streak);
    }

    // A long streak is written with the locale's digit grouping.
    void aLongStreakReadsAsTheLocaleWritesNumbers()
    {
        Clock::pin(noon);
        for (int ago = 0; ago < 1200; ++ago)
            m_context->insert(new JournalEntry(noon.addDays(-ago)));
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        DailyCardViewModel model(m_cards, m_context.get());
        QCOMPARE(model.streakText(), "1,200 day streak");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(model.streakText(), "1.200 day streak");
        QLocale::setDefault(before);
    }

    // The whole ritual belongs to the model: a shuffle ends in the draw, the turn ends in the
    // reading, and actions out of turn do nothing.
    void theRitualMovesThroughItsPhases_data()
    {
        QTest::addColumn<bool>("wash");
        QTest::addColumn<bool>("reduced");
        QTest::addColumn<int>("shuffleMs");
        QTest::newRow("pile") << false << false << 1600;
        QTest::newRow("wash") << true << false << 2500;
        QTest::newRow("wash, reduced motion") << true << true << 400;
    }
    void theRitualMovesThroughItsPhases()
    {
        QFETCH(bool, wash);
        QFETCH(bool, reduced);
        QFETCH(int, shuffleMs);
        using Phase = DailyCardViewModel::Phase;
        QTemporaryDir config;
        DesktopPreferences &preferences = *DesktopPreferences::instance();
        preferences.setChoiceFile(config.filePath(QStringLiteral("display.ini")));
        preferences.setMotionChoice(reduced ? DesktopPreferences::AlwaysReduce : DesktopPreferences::NeverReduce);
        const auto restore = qScopeGuard([&] { preferences.setMotionChoice(DesktopPreferences::FollowDesktop); });
        ManualScheduler scheduler;
        DailyCardViewModel model(m_cards, m_context.get());
        model.setScheduler(scheduler);
        QSignalSpy cued(&SoundCues::shared(), &SoundCues::cued);
        QCOMPARE(model.phase(), Phase::Invitation);

        wash ? model.washShuffle() : model.shuffle();
        QCOMPARE(model.phase(), Phase::Shuffling);
        QCOMPARE(model.phaseAnnouncement(), QStringLiteral("Shuffling the cards…"));
        QCOMPARE(model.isWashShuffling(), wash);
        QCOMPARE(model.isShuffling(), !wash);
        model.washShuffle();
        model.shuffle();
        scheduler.advance(shuffleMs - 1);
        QVERIFY(!model.hasDrawnToday());
        scheduler.advance(1);
        QCOMPARE(model.phase(), Phase::FaceDown);
        QVERIFY(model.hasTodaysCard());
        QCOMPARE(m_context->fetch<JournalEntry>().first()->dailyCardId(), model.todaysCard()->id);
        QCOMPARE(model.pileChoreography()->runningTasks() + model.washChoreography()->runningTasks(), 0);

        model.shuffle();
        model.washShuffle();
        QCOMPARE(model.phase(), Phase::FaceDown);
        model.reveal();
        QCOMPARE(model.phase(), Phase::Revealing);
        QCOMPARE(cued.last().first().value<SoundEffect::Effect>(), SoundEffect::CardFlip);
        const int revealMs = reduced ? DailyCardViewModel::fadedRevealDelayMs : DailyCardViewModel::revealDelayMs;
        scheduler.advance(revealMs - 1);
        QVERIFY(!model.isRevealed());
        scheduler.advance(1);
        QCOMPARE(model.phase(), Phase::Revealed);
        QVERIFY(model.phaseAnnouncement().startsWith(QStringLiteral("Today's card: ") + model.todaysCard()->name));
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

    // A window left open past midnight shows the new day: its date, no card yet. A shuffle
    // that runs through midnight draws for the new day.
    void theScreenFollowsTheClockIntoTheNextDay()
    {
        using Phase = DailyCardViewModel::Phase;
        // The night the clocks go forward.
        const QDateTime start(QDate(2026, 3, 28), QTime(23, 58, 30));
        ManualScheduler scheduler;
        Clock::follow([&] { return start.addMSecs(scheduler.elapsed()); });
        DailyCardViewModel model(m_cards, m_context.get());
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

    // The moon is drawn, not written as an emoji: lit on the right while it waxes and on the
    // left while it wanes, by the share of the disc the phase shows. Dates long before the
    // reference new moon fall in the same phases.
    void moonPhaseAndItsDrawing_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("phase");
        QTest::addColumn<double>("lit");
        QTest::addColumn<bool>("right");
        QTest::newRow("new") << 0.0 << u"New Moon"_s << 0.0 << true;
        QTest::newRow("waxing crescent") << 3.7 << u"Waxing Crescent"_s << 0.146 << true;
        QTest::newRow("first quarter") << 7.4 << u"First Quarter"_s << 0.5 << true;
        QTest::newRow("full") << 14.77 << u"Full Moon"_s << 1.0 << true;
        QTest::newRow("waning gibbous") << 18.5 << u"Waning Gibbous"_s << 0.854 << false;
        QTest::newRow("waning crescent") << 25.8 << u"Waning Crescent"_s << 0.146 << false;
    }
    void moonPhaseAndItsDrawing()
    {
        QFETCH(double, days);
        QFETCH(QString, phase);
        QFETCH(double, lit);
        QFETCH(bool, right);
        const MoonPhase moon = MoonPhase::forDate(daysAfterNewMoon(days));
        QCOMPARE(moon.name(), phase);
        QCOMPARE(MoonPhase::forDate(daysAfterNewMoon(days - 300 * MoonPhase::synodicMonthDays)).name(), phase);
        QVERIFY2(std::abs(moon.litFraction() - lit) < 0.001, qPrintable(QString::number(moon.litFraction())));

        // The drawn shape covers that share of the disc, on that side.
        const QRectF disc(0, 0, 100, 100);
        const QPainterPath shape = MoonDisc::litShape(disc, moon.litFraction(), moon.litOnRight());
        int inDisc = 0;
        int inShape = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const QPointF p(x + 0.5, y + 0.5);
                if (QLineF(p, disc.center()).length() <= 50) {
                    ++inDisc;
                    inShape += shape.contains(p) ? 1 : 0;
                }
            }
        }
        QVERIFY2(std::abs(double(inShape) / inDisc - lit) < 0.02,
                 qPrintable(QString::number(double(inShape) / inDisc)));
        if (lit > 0 && lit < 1) {
            QCOMPARE(moon.litOnRight(), right);
            QCOMPARE(shape.contains(QPointF(97, 50)), right);
            QCOMPARE(shape.contains(QPointF(3, 50)), !right);
        }
    }

    // Eight phases of a sixteenth either side of their centre; the last wraps to the new moon.
    void moonPhaseBoundaries()
    {
        for (int i = 0; i < 8; ++i) {
            const double bound = (2 * i + 1) / 16.0;
            QCOMPARE(MoonPhase::fromFraction(std::nextafter(bound, 0.0)).index(), i);
            QCOMPARE(MoonPhase::fromFraction(bound).index(), (i + 1) % 8);
        }
    }

private:
    CardDataStore m_cards;
    std::unique_ptr<TempStore> m_store;
    std::unique_ptr<ModelContext> m_context;
};

QTEST_GUILESS_MAIN(DailyModelTest)
#include "tst_daily_model.moc"
