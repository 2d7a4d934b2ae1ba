#include "CardFixtures.h"
#include "Deck.h"
#include "ScriptedRandomSource.h"

#include <QTest>

#include <limits>
#include <numeric>

namespace {

constexpr quint64 maxRaw = std::numeric_limits<quint64>::max();

QList<TarotCard> catalogue(int size)
{
    QList<TarotCard> cards;
    for (int i = 0; i < size; ++i)
        cards.append(CardFixtures::card(QStringLiteral("card_%1").arg(i)));
    return cards;
}

QList<int> iota(int size)
{
    QList<int> items(size);
    std::iota(items.begin(), items.end(), 0);
    return items;
}

// How far the final positions of `size` elements over `rounds` shuffles stray from uniform.
template <typename Shuffle> double positionChiSquare(int size, int rounds, Shuffle shuffle)
{
    QList<QList<int>> counts(size, QList<int>(size, 0));
    for (int round = 0; round < rounds; ++round) {
        QList<int> items = iota(size);
        shuffle(items);
        for (int position = 0; position < size; ++position)
            ++counts[items[position]][position];
    }
    const double expected = double(rounds) / size;
    double chiSquare = 0;
    for (const QList<int> &row : counts) {
        for (int observed : row)
            chiSquare += (observed - expected) * (observed - expected) / expected;
    }
    return chiSquare;
}

} // namespace

class EngineDrawingTest : public QObject
{
    Q_OBJECT

private slots:
    void uniformIndexRejectsTheIncompleteTopBlock_data()
    {
        QTest::addColumn<quint64>("count");
        QTest::addColumn<QList<quint64>>("script");
        QTest::addColumn<quint64>("index");
        // 2^64 leaves remainder 1 by 3 and 6 by 10, so that many of the top raw values are drawn again.
        QTest::newRow("3, top value rejected") << quint64(3) << QList<quint64>{maxRaw, 5} << quint64(2);
        QTest::newRow("3, below the top") << quint64(3) << QList<quint64>{maxRaw - 1} << quint64(2);
        QTest::newRow("10, six rejected")
            << quint64(10) << QList<quint64>{maxRaw, maxRaw - 5, maxRaw - 6} << quint64(9);
        QTest::newRow("2^63 + 1, half rejected")
            << (quint64(1) << 63) + 1 << QList<quint64>{(quint64(1) << 63) + 1, quint64(1) << 63} << (quint64(1) << 63);
        QTest::newRow("power of two takes all")
            << (quint64(1) << 32) << QList<quint64>{maxRaw} << (quint64(1) << 32) - 1;
        QTest::newRow("one") << quint64(1) << QList<quint64>{42} << quint64(0);
    }
    void uniformIndexRejectsTheIncompleteTopBlock()
    {
        QFETCH(quint64, count);
        QFETCH(QList<quint64>, script);
        QFETCH(quint64, index);
        ScriptedRandomSource random(script);
        QCOMPARE(random.uniformIndex(count), index);
        QVERIFY(random.usedExactly());
    }

    void uniformDoubleReachesBothEnds()
    {
        constexpr quint64 steps = quint64(1) << 53;
        ScriptedRandomSource random({0, steps, steps / 2, steps + 1});
        QCOMPARE(random.uniformDouble(-1.5, 0.1), -1.5);
        QCOMPARE(random.uniformDouble(-1.5, 0.1), 0.1);
        QCOMPARE(random.uniformDouble(-1.5, 2.5), 0.5);
        QCOMPARE(random.uniformDouble(-1.5, 2.5), -1.5);
        QVERIFY(random.usedExactly());
    }

    // Raw values 2, 0, 7, 1 pick j = 0+2, 1+0, 2+1 and 3+1; the first is drawn again after a
    // rejected top value (2^64 leaves remainder 1 by 5).
    void shuffleSwapsForwardFromEachPlace()
    {
        QList<int> items = iota(5);
        ScriptedRandomSource random({maxRaw, 2, 0, 7, 1});
        Deck::shuffle(items, random);
        QCOMPARE(items, QList<int>({2, 1, 3, 4, 0}));
        QVERIFY(random.usedExactly());
    }

    // Nothing is drawn for what needs no draw: lists of none or one, a deal short of cards.
    void shortListsDrawNothing()
    {
        ScriptedRandomSource random;
        QList<int> none;
        QList<int> one{7};
        Deck::shuffle(none, random);
        Deck::shuffle(one, random);
        QCOMPARE(one, QList<int>{7});
        QCOMPARE(Deck::randomCard({}, random), std::nullopt);
        QCOMPARE(Deck::deal(catalogue(9), SpreadDefinition::celticCross().positions, true, random), std::nullopt);
        QCOMPARE(random.consumed(), 0);
        QVERIFY(Deck::deal(catalogue(10), SpreadDefinition::celticCross().positions, false, RandomSource::system()));
    }

    void randomCardIndexesTheCatalogueInOrder()
    {
        ScriptedRandomSource random({maxRaw, 7});
        QCOMPARE(Deck::randomCard(catalogue(5), random)->id, "card_2");
        QVERIFY(random.usedExactly());
    }

    // With 20,000 shuffles of five, a fair shuffle's statistic stays near its mean of 20; a
    // shuffle that swaps with any index lands near 950. The bound sits far from both.
    void shuffleIsUniformOverPositions()
    {
        constexpr double bound = 80;
        RandomSource &random = RandomSource::system();
        const double fair = positionChiSquare(5, 20000, [&random](QList<int> &items) { Deck::shuffle(items, random); });
        QVERIFY2(fair < bound, qPrintable(QString::number(fair)));

        const double biased = positionChiSquare(5, 20000, [&random](QList<int> &items) {
            for (qsizetype i = 0; i < items.size(); ++i)
                items.swapItemsAt(i, qsizetype(random.uniformIndex(quint64(items.size()))));
        });
        QVERIFY2(biased > bound, qPrintable(QString::number(biased)));
    }

    void aboutHalfTheDealtCardsAreReversed()
    {
        const QList<TarotCard> cards = catalogue(12);
        QList<int> reversedPerPosition(3, 0);
        constexpr int deals = 4000;
        for (int i = 0; i < deals; ++i) {
            const auto dealt = Deck::deal(cards, SpreadDefinition::threeCard().positions, true, RandomSource::system());
            for (int position = 0; position < 3; ++position)
                reversedPerPosition[position] += dealt->at(position).isReversed;
        }
        // Six standard deviations either side of 2000.
        for (int count : reversedPerPosition)
            QVERIFY2(count > 1810 && count < 2190, qPrintable(QString::number(count)));
    }
};

QTEST_GUILESS_MAIN(EngineDrawingTest)
#include "tst_engine_drawing.moc"
