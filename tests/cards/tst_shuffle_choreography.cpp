// The shuffle choreography: what it draws from the random source, when a run ends, and that a
// cancelled run never completes. Time is driven by hand.
#include "DesktopPreferences.h"
#include "ManualAnimationDriver.h"
#include "Scheduler.h"
#include "ScriptedRandomSource.h"
#include "ShuffleChoreography.h"
#include "SoundCues.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Style = ShuffleChoreography::Style;

namespace {

// Raw values that the closed-range rule turns into exactly the lower and the upper end.
constexpr quint64 lowest = 0;
constexpr quint64 highest = quint64(1) << 53;

} // namespace

class ShuffleChoreographyTest : public QObject
{
    Q_OBJECT

private slots:
    // Three draws per card and step, width then height then angle, each over its closed range.
    void drawsReachBothEndsOfEachRangeInOrder_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QPointF>("low");
        QTest::addColumn<double>("lowAngle");
        QTest::newRow("pile scatter") << int(Style::Pile) << QPointF(-40, -15) << -12.0;
        QTest::newRow("wash spread") << int(Style::Wash) << QPointF(-140, -120) << -45.0;
    }
    void drawsReachBothEndsOfEachRangeInOrder()
    {
        QFETCH(int, style);
        QFETCH(QPointF, low);
        QFETCH(double, lowAngle);
        // Card 0 gets the lower ends, card 1 the upper ends, card 2 low width and high rest.
        ScriptedRandomSource random({lowest, lowest, lowest, highest, highest, highest, lowest, highest, highest});
        ManualScheduler scheduler;
        ShuffleChoreography c;
        c.setRandomSource(&random);
        c.setScheduler(&scheduler);
        c.setStyle(Style(style));
        c.setCardCount(3);
        c.begin();
        QVERIFY(random.usedExactly());
        QCOMPARE(c.offsets(), (QList<QPointF>{low, -low, QPointF(low.x(), -low.y())}));
        QCOMPARE(c.rotations(), (QList<double>{lowAngle, -lowAngle, -lowAngle}));
    }

    // A pile takes 1.6 s and a wash 2.5 s; the flag is already clear when completed() arrives,
    // and the springs bring every card back to the resting pile.
    void runCompletesOnceAtItsEndAndTheCardsComeToRest_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("cardCount");
        QTest::addColumn<int>("durationMs");
        QTest::newRow("pile") << int(Style::Pile) << 5 << 1600;
        QTest::newRow("wash") << int(Style::Wash) << 8 << 2500;
        QTest::newRow("wash without cards") << int(Style::Wash) << 0 << 2500;
    }
    void runCompletesOnceAtItsEndAndTheCardsComeToRest()
    {
        QFETCH(int, style);
        QFETCH(int, cardCount);
        QFETCH(int, durationMs);
        ManualAnimationDriver animation;
        ManualScheduler scheduler;
        ShuffleChoreography c;
        c.setScheduler(&scheduler);
        c.setStyle(Style(style));
        c.setCardCount(cardCount);
        QSignalSpy cued(&SoundCues::shared(), &SoundCues::cued);
        QSignalSpy completed(&c, &ShuffleChoreography::completed);
        bool flagWhenCompleted = true;
        connect(&c, &ShuffleChoreography::completed, this, [&] { flagWhenCompleted = c.isShuffling(); });

        c.begin();
        QVERIFY(c.isShuffling());
        QCOMPARE(cued.count(), 1);
        QCOMPARE(cued.first().first().value<SoundEffect::Effect>(), SoundEffect::Shuffle);
        for (int t = 0; t < durationMs - 1; t += 100) {
            scheduler.advance(qMin(100, durationMs - 1 - t));
            animation.advanceBy(qMin(100, durationMs - 1 - t));
        }
        QCOMPARE(completed.count(), 0);
        scheduler.advance(1);
        QCOMPARE(completed.count(), 1);
        QVERIFY(!flagWhenCompleted);
        QCOMPARE(c.runningTasks(), 0);

        animation.advanceBy(3000);
        const double rise = style == Style::Pile ? 2 : 1;
        for (int i = 0; i < cardCount; ++i) {
            QVERIFY(!c.cards()[i]->isMoving());
            QCOMPARE(c.cards()[i]->x(), 0.0);
            QCOMPARE(c.cards()[i]->y(), -rise * i);
            QCOMPARE(c.cards()[i]->angle(), 0.0);
        }
        scheduler.advance(10'000);
        QCOMPARE(completed.count(), 1);
    }

    // With reduced motion either style is one fade of 0.4 s: the cards never leave the pile and
    // nothing is drawn from the random source.
    void reducedMotionFadesInPlace_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("pile") << int(Style::Pile);
        QTest::newRow("wash") << int(Style::Wash);
    }
    void reducedMotionFadesInPlace()
    {
        QFETCH(int, style);
        QTemporaryDir config;
        DesktopPreferences &preferences = *DesktopPreferences::instance();
        preferences.setChoiceFile(config.filePath(QStringLiteral("display.ini")));
        preferences.setMotionChoice(DesktopPreferences::AlwaysReduce);
        const auto restore = qScopeGuard([&] { preferences.setMotionChoice(DesktopPreferences::FollowDesktop); });

        ScriptedRandomSource random;
        ManualAnimationDriver animation;
        ManualScheduler scheduler;
        ShuffleChoreography c;
        c.setRandomSource(&random);
        c.setScheduler(&scheduler);
        c.setStyle(Style(style));
        c.setCardCount(4);
        QSignalSpy completed(&c, &ShuffleChoreography::completed);
        c.begin();
        QVERIFY(c.faded());
        scheduler.advance(200);
        animation.advanceBy(200);
        QVERIFY(!c.faded());
        QCOMPARE(completed.count(), 0);
        scheduler.advance(200);
        QCOMPARE(completed.count(), 1);
        QVERIFY(!c.isShuffling());
        QVERIFY(random.usedExactly());
        const double rise = style == Style::Pile ? 2 : 1;
        for (int i = 0; i < 4; ++i) {
            QVERIFY(!c.cards()[i]->isMoving());
            QCOMPARE(c.cards()[i]->x(), 0.0);
            QCOMPARE(c.cards()[i]->y(), -rise * i);
            QCOMPARE(c.cards()[i]->angle(), 0.0);
        }
    }

    void aCancelledOrDestroyedRunNeverCompletes()
    {
        ManualScheduler scheduler;
        int completions = 0;
        for (bool destroy : {false, true}) {
            auto c = std::make_unique<ShuffleChoreography>();
            c->setScheduler(&scheduler);
            c->setStyle(Style::Wash);
            c->setCardCount(4);
            connect(c.get(), &ShuffleChoreography::completed, this, [&] { ++completions; });
            c->begin();
            scheduler.advance(700);
            if (destroy) {
                c.reset();
            } else {
                c->cancel();
                QVERIFY(c->isShuffling());
                QCOMPARE(c->runningTasks(), 0);
            }
            scheduler.advance(5000);
        }
        QCOMPARE(completions, 0);
    }

    // Shown on its own, the pile waits for its flag and the wash always runs; a second start
    // runs beside the first.
    void pileWaitsForTheFlagWhileTheWashRunsWhenShown()
    {
        ManualScheduler scheduler;
        ShuffleChoreography pile;
        pile.setScheduler(&scheduler);
        pile.setCardCount(3);
        pile.appear();
        QCOMPARE(pile.runningTasks(), 0);
        pile.setShuffling(true);
        QCOMPARE(pile.runningTasks(), 1);
        pile.setShuffling(false);
        pile.setShuffling(true);
        QCOMPARE(pile.runningTasks(), 2);

        ShuffleChoreography wash;
        wash.setScheduler(&scheduler);
        wash.setStyle(Style::Wash);
        wash.appear();
        QCOMPARE(wash.runningTasks(), 1);
    }
};

QTEST_GUILESS_MAIN(ShuffleChoreographyTest)
#include "tst_shuffle_choreography.moc"
