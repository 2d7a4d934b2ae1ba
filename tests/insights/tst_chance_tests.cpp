// The tests that tell a pattern from chance, against values worked out independently: the
// binomial and grouped tails with mpmath at 50 significant digits (the tail summed term by term
// from its definition, or the whole distribution convolved exactly), the chi-square tails from
// the printed table of critical values and mpmath's regularised incomplete gamma function.
#include "ChanceTests.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace ChanceTests;

namespace {

constexpr double oneCard = 1.0 / 78;

bool closeInLog(double actual, double expected)
{
    // Relative error of the probability itself (a difference of logs), and of the log when the
    // log is large: enough digits for any mark and any printed p-value.
    return std::abs(actual - expected) <= 1e-9 * std::max(1.0, std::abs(expected));
}

} // namespace

class ChanceTestsTest : public QObject
{
    Q_OBJECT

private slots:
    void binomialTail_data()
    {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<double>("p");
        QTest::addColumn<qint64>("k");
        QTest::addColumn<double>("logTail");
        QTest::newRow("ten draws, one card thrice") << qint64(10) << oneCard << qint64(3) << -8.3501356802026996;
        QTest::newRow("a deck's worth, at least once") << qint64(78) << oneCard << qint64(1) << -0.45493148452305447;
        QTest::newRow("small count, far tail") << qint64(1000) << oneCard << qint64(30) << -10.574575689230164;
        QTest::newRow("ten years, a strong lead") << qint64(60000) << oneCard << qint64(900) << -13.115200403964361;
        QTest::newRow("ten years, below the mean") << qint64(60000) << oneCard << qint64(700) << -0.0051915692014815414;
        QTest::newRow("ten years, at the mean") << qint64(60000) << oneCard << qint64(769) << -0.676823541306072;
        QTest::newRow("a million, even odds") << qint64(1000000) << 0.3 << qint64(300500) << -1.9814952312759439;
        QTest::newRow("every draw the same card") << qint64(5000) << oneCard << qint64(5000) << -21783.544133447959;
        QTest::newRow("all but one the same card") << qint64(5000) << oneCard << qint64(4999) << -21770.68313223729;
        QTest::newRow("far beyond a double") << qint64(5000) << oneCard << qint64(200) << -96.735240846293565;
        QTest::newRow("ten million draws") << qint64(10000000) << oneCard << qint64(130000) << -15.235397221643786;
    }
    void binomialTail()
    {
        QFETCH(qint64, n);
        QFETCH(double, p);
        QFETCH(qint64, k);
        QFETCH(double, logTail);
        const double actual = logBinomialUpperTail(n, p, k);
        QVERIFY2(closeInLog(actual, logTail), qPrintable(QString::number(actual, 'g', 17)));
        // One group of events is the binomial itself.
        QVERIFY(closeInLog(logGroupedUpperTail({{n, p}}, k), logTail));
    }

    void binomialTailAtItsEdges()
    {
        QCOMPARE(logBinomialUpperTail(100, oneCard, 0), 0.0);
        QCOMPARE(logBinomialUpperTail(100, oneCard, -3), 0.0);
        QCOMPARE(logBinomialUpperTail(100, oneCard, 101), -std::numeric_limits<double>::infinity());
        QCOMPARE(logBinomialUpperTail(0, oneCard, 1), -std::numeric_limits<double>::infinity());
        QCOMPARE(logBinomialUpperTail(100, 1.0, 100), 0.0);
        // The tail shrinks as the count grows, all the way along.
        double previous = 0;
        for (qint64 k = 0; k <= 300; ++k) {
            const double tail = logBinomialUpperTail(300, 0.2, k);
            QVERIFY2(tail <= previous + 1e-12, qPrintable(QString::number(k)));
            previous = tail;
        }
    }

    // Readings of different sizes: daily cards, three-card and Celtic Cross readings together.
    void groupedTail_data()
    {
        QTest::addColumn<QList<EventGroup>>("groups");
        QTest::addColumn<qint64>("k");
        QTest::addColumn<double>("logTail");
        const QList<EventGroup> small{{300, oneCard}, {50, 3 * oneCard}, {30, 10 * oneCard}};
        QTest::newRow("small, at least once") << small << qint64(1) << -4.7819988140254224e-5;
        QTest::newRow("small, below the mean") << small << qint64(5) << -0.033685465109244263;
        QTest::newRow("small, near the mean") << small << qint64(9) << -0.4641207641412992;
        QTest::newRow("small, a lead") << small << qint64(15) << -2.8362706585228167;
        QTest::newRow("small, far") << small << qint64(25) << -11.390833949081742;
        QTest::newRow("small, very far") << small << qint64(60) << -70.679538395769953;
        QTest::newRow("small, past a double's reach") << small << qint64(200) << -529.60291027843089;
        QTest::newRow("small, all but one event") << small << qint64(379) << -1521.4325161403447;
        QTest::newRow("small, every event") << small << qint64(380) << -1531.541186918818;
        const QList<EventGroup> larger{{1000, oneCard}, {500, 3 * oneCard}, {400, 10 * oneCard}};
        QTest::newRow("larger, below") << larger << qint64(60) << -0.0021525887926962048;
        QTest::newRow("larger, near") << larger << qint64(80) << -0.40734381918564022;
        QTest::newRow("larger, a lead") << larger << qint64(120) << -10.090003938132401;
        QTest::newRow("larger, far") << larger << qint64(300) << -199.4810039731475;
        QTest::newRow("larger, every day the same card") << larger << qint64(1500) << -4299.0896290447885;
    }
    void groupedTail()
    {
        QFETCH(QList<EventGroup>, groups);
        QFETCH(qint64, k);
        QFETCH(double, logTail);
        const double actual = logGroupedUpperTail(groups, k);
        QVERIFY2(closeInLog(actual, logTail), qPrintable(QString::number(actual, 'g', 17)));
    }

    void groupedTailsShareOneDistribution()
    {
        // Many counts at once give what each alone gives, and events of one probability split
        // into groups are still one binomial; a reading holding the whole deck only shifts.
        const QList<EventGroup> groups{{3650, oneCard}, {7000, 3 * oneCard}, {7000, 10 * oneCard}};
        const QList<qint64> counts{0, 900, 1180, 1250, 1400, 2000, 17650};
        const QList<double> together = logGroupedUpperTails(groups, counts);
        for (qsizetype i = 0; i < counts.size(); ++i)
            QVERIFY(closeInLog(together.at(i), logGroupedUpperTail(groups, counts.at(i))));
        QVERIFY(closeInLog(logGroupedUpperTail({{400, oneCard}, {600, oneCard}}, 40),
                           logBinomialUpperTail(1000, oneCard, 40)));
        QVERIFY(
            closeInLog(logGroupedUpperTail({{1000, oneCard}, {2, 1.0}}, 42), logBinomialUpperTail(1000, oneCard, 40)));
        // Where the untilted and the tilted ways both reach, they agree.
        QVERIFY(std::isfinite(together.at(5)) && together.at(5) < -100);
        QVERIFY(together.at(4) > together.at(5) && together.at(5) > together.at(6));
    }

    void chiSquareTail_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("degreesOfFreedom");
        QTest::addColumn<double>("tail");
        QTest::addColumn<double>("tolerance");
        // The printed table's critical values carry three decimals.
        QTest::newRow("1 df, 5%") << 3.841 << 1 << 0.05 << 1e-4;
        QTest::newRow("1 df, 1%") << 6.635 << 1 << 0.01 << 1e-4;
        QTest::newRow("3 df, 5%") << 7.815 << 3 << 0.05 << 1e-4;
        QTest::newRow("3 df, 1%") << 11.345 << 3 << 0.01 << 1e-4;
        QTest::newRow("4 df, 5%") << 9.488 << 4 << 0.05 << 1e-4;
        QTest::newRow("4 df, 1%") << 13.277 << 4 << 0.01 << 1e-4;
        QTest::newRow("1 df, small") << 0.5 << 1 << 0.47950012218695348 << 1e-13;
        QTest::newRow("1 df, nearly nothing") << 1e-6 << 1 << 0.99920211557217786 << 1e-13;
        QTest::newRow("3 df") << 2.0 << 3 << 0.57240670447087982 << 1e-13;
        QTest::newRow("4 df, far") << 40.0 << 4 << 4.3284226071209714e-8 << 1e-20;
        QTest::newRow("3 df, very far") << 1300.0 << 3 << 1.4717437106980104e-281 << 1e-292;
        QTest::newRow("nothing observed") << 0.0 << 3 << 1.0 << 0.0;
    }
    void chiSquareTail()
    {
        QFETCH(double, x);
        QFETCH(int, degreesOfFreedom);
        QFETCH(double, tail);
        QFETCH(double, tolerance);
        const double actual = chiSquareUpperTail(x, degreesOfFreedom);
        QVERIFY2(std::abs(actual - tail) <= tolerance, qPrintable(QString::number(actual, 'g', 17)));
    }

    void holmStepsDown()
    {
        const auto logs = [](const QList<double> &p) {
            QList<double> result;
            for (double value : p)
                result.append(std::log(value));
            return result;
        };
        // 0.01 <= 0.05/4 and 0.015 <= 0.05/3, then 0.03 > 0.05/2 stops it (Bonferroni would
        // mark only the first); 0.04 after a stop is never marked.
        QCOMPARE(holmRejections(logs({0.03, 0.01, 0.04, 0.015}), 0.05), (QList<bool>{false, true, false, true}));
        QCOMPARE(holmRejections(logs({0.2, 0.5, 0.9}), 0.05), (QList<bool>{false, false, false}));
        // Tails beyond a double still compare.
        QCOMPARE(holmRejections({-5000.0, 0.0, -4000.0}, 0.05), (QList<bool>{true, false, true}));
    }
};

QTEST_GUILESS_MAIN(ChanceTestsTest)
#include "tst_chance_tests.moc"
