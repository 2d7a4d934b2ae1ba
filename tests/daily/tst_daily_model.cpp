#include "AppSettings.h"
#include "CardDataStore.h"
#include "Clock.h"
#include "DailyCardViewModel.h"
#include "DateFormat.h"
#include "JournalEntry.h"
#include "ScriptedRandomSource.h"
#include "StoreTestSupport.h"

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

    void washShuffleOnlyStartsBeforeTheDrawAndWhenIdle()
    {
        TempStore store;
        auto context = store.open();
        DailyCardViewModel model(m_cards, context.get());
        model.startShuffle();
        model.startWashShuffle();
        QVERIFY(!model.isWashShuffling());
        model.setIsShuffling(false);
        model.startWashShuffle();
        QVERIFY(model.isWashShuffling());
        model.setIsWashShuffling(false);
        ScriptedRandomSource random({3, 0});
        model.setRandomSource(random);
        model.drawCard(true);
        model.startWashShuffle();
        QVERIFY(!model.isWashShuffling());
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
