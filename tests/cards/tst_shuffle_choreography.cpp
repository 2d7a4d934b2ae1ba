#include "AudioManager.h"
#include "ScriptedRandomSource.h"
#include "ShuffleChoreography.h"

#include <QMediaPlayer>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using Style = ShuffleChoreography::Style;
using Kind = ShuffleChoreography::StepKind;

namespace {

// Raw values that the closed-range rule turns into exactly the lower and the upper end.
constexpr quint64 lowest = 0;
constexpr quint64 highest = quint64(1) << 53;

QList<double> startTimes(Style style)
{
    QList<double> times;
    double t = 0;
    for (const auto &step : ShuffleChoreography::schedule(style)) {
        times.append(t);
        t += step.sleepAfter;
    }
    return times;
}

} // namespace

class ShuffleChoreographyTest : public QObject
{
    Q_OBJECT

private slots:
    void stepsRunAtTheirTimes()
    {
        QList<double> pile = startTimes(Style::Pile);
        QCOMPARE(pile.size(), 8); // six scatters, settle, finish
        for (int i = 0; i < 6; ++i)
            QVERIFY(qFuzzyCompare(1 + pile[i], 1 + 0.2 * i));
        QVERIFY(qFuzzyCompare(pile[6], 1.2));
        QVERIFY(qFuzzyCompare(pile[7], 1.6));
        QCOMPARE(ShuffleChoreography::schedule(Style::Pile)[6].kind, Kind::Settle);

        const QList<double> wash = startTimes(Style::Wash);
        const QList<double> expected{0, 0.7, 1.2, 1.8, 2.5};
        QCOMPARE(wash.size(), expected.size());
        for (int i = 0; i < wash.size(); ++i)
            QVERIFY(qFuzzyCompare(1 + wash[i], 1 + expected[i]));
        QCOMPARE(ShuffleChoreography::schedule(Style::Wash).last().kind, Kind::Finish);
    }

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
        ShuffleChoreography c;
        c.setRandomSource(&random);
        c.setStyle(Style(style));
        c.setCardCount(3);
        c.setShuffling(true);
        c.appear();
        QVERIFY(random.usedExactly());
        QCOMPARE(c.offsets()[0], low);
        QCOMPARE(c.rotations()[0], lowAngle);
        QCOMPARE(c.offsets()[1], -low);
        QCOMPARE(c.rotations()[1], -lowAngle);
        QCOMPARE(c.offsets()[2], QPointF(low.x(), -low.y()));
        QCOMPARE(c.rotations()[2], -lowAngle);
    }

    void undisturbedRunClearsTheFlagAndCompletesOnce_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("cardCount");
        QTest::addColumn<int>("expectedMs");
        QTest::newRow("pile") << int(Style::Pile) << 5 << 1600;
        QTest::newRow("pile without cards") << int(Style::Pile) << 0 << 1600;
        QTest::newRow("wash") << int(Style::Wash) << 8 << 2500;
        QTest::newRow("wash without cards") << int(Style::Wash) << 0 << 2500;
    }
    void undisturbedRunClearsTheFlagAndCompletesOnce()
    {
        QFETCH(int, style);
        QFETCH(int, cardCount);
        QFETCH(int, expectedMs);
        ShuffleChoreography c;
        c.setStyle(Style(style));
        c.setCardCount(cardCount);
        c.setShuffling(true);
        QSignalSpy completed(&c, &ShuffleChoreography::completed);
        bool flagWhenCompleted = true;
        connect(&c, &ShuffleChoreography::completed, this, [&] { flagWhenCompleted = c.isShuffling(); });
        QElapsedTimer clock;
        clock.start();
        c.appear();
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 5000);
        const qint64 took = clock.elapsed();
        QVERIFY2(took >= expectedMs - 20 && took <= expectedMs + 400, qPrintable(QString::number(took)));
        QVERIFY(!c.isShuffling());
        QVERIFY(!flagWhenCompleted);
        QCOMPARE(c.runningTasks(), 0);

        // At rest: the pile's offsets are zero and it is drawn rising 2 points per card; the
        // wash rests at (0, −i) and is drawn there.
        for (int i = 0; i < cardCount; ++i) {
            QCOMPARE(c.offsets()[i], ShuffleChoreography::restingOffset(Style(style), i));
            QCOMPARE(c.rotations()[i], 0.0);
        }
        QTRY_VERIFY_WITH_TIMEOUT(std::none_of(c.cards().cbegin(), c.cards().cend(),
                                              [](const ShuffleCard *card) { return card->isMoving(); }),
                                 3000);
        const double rise = style == Style::Pile ? 2 : 1;
        for (int i = 0; i < cardCount; ++i) {
            QCOMPARE(c.cards()[i]->x(), 0.0);
            QCOMPARE(c.cards()[i]->y(), -rise * i);
            QCOMPARE(c.cards()[i]->angle(), 0.0);
        }
        QTest::qWait(100);
        QCOMPARE(completed.count(), 1);
    }

    void cancellingMidwayCompletesNothingAndLeavesTheFlag_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("destroy");
        QTest::newRow("pile cancelled") << int(Style::Pile) << false;
        QTest::newRow("wash destroyed") << int(Style::Wash) << true;
    }
    void cancellingMidwayCompletesNothingAndLeavesTheFlag()
    {
        QFETCH(int, style);
        QFETCH(bool, destroy);
        auto c = std::make_unique<ShuffleChoreography>();
        c->setStyle(Style(style));
        c->setCardCount(4);
        c->setShuffling(true);
        int completions = 0;
        int flagChanges = 0;
        connect(c.get(), &ShuffleChoreography::completed, this, [&] { ++completions; });
        connect(c.get(), &ShuffleChoreography::isShufflingChanged, this, [&] { ++flagChanges; });
        c->appear();
        QTest::qWait(700);
        if (destroy) {
            c.reset();
        } else {
            c->cancel();
            QVERIFY(c->isShuffling());
        }
        QTest::qWait(2200);
        QCOMPARE(completions, 0);
        QCOMPARE(flagChanges, 0);
    }

    void pileWaitsForTheFlagWhileTheWashAlwaysRuns()
    {
        AudioManager::chooseMediaBackend();
        AudioManager &audio = AudioManager::shared();
        audio.setEnabled(true);
        QSignalSpy sounds(&audio, &AudioManager::audioPlayerChanged);
        ShuffleChoreography pile;
        pile.setCardCount(3);
        pile.appear();
        QCOMPARE(pile.runningTasks(), 0);
        QCOMPARE(sounds.count(), 0);
        pile.setShuffling(true);
        QCOMPARE(pile.runningTasks(), 1);
        QCOMPARE(sounds.count(), 1);
        QVERIFY(audio.audioPlayer()->source().toString().endsWith(QLatin1String("shuffle.mp3")));
        // A second start runs beside the first instead of replacing it.
        pile.setShuffling(false);
        pile.setShuffling(true);
        QCOMPARE(pile.runningTasks(), 2);

        ShuffleChoreography wash;
        wash.setStyle(Style::Wash);
        wash.setCardCount(3);
        QSignalSpy completed(&wash, &ShuffleChoreography::completed);
        QSignalSpy flag(&wash, &ShuffleChoreography::isShufflingChanged);
        wash.appear();
        QCOMPARE(wash.runningTasks(), 1);
        QCOMPARE(sounds.count(), 3);
        audio.setEnabled(false);
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 4000);
        QVERIFY(!wash.isShuffling());
        QCOMPARE(flag.count(), 0); // it was false already: nothing to clear
    }
};

QTEST_GUILESS_MAIN(ShuffleChoreographyTest)
#include "tst_shuffle_choreography.moc"
