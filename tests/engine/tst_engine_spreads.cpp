#include "CardDataStore.h"
#include "Reading.h"
#include "SpreadDefinition.h"

#include <QFile>
#include <QSet>
#include <QTest>

class EngineSpreadsTest : public QObject
{
    Q_OBJECT

private slots:
    void tableIsConsistent()
    {
        QStringList spreadIds;
        for (const SpreadDefinition &spread : SpreadDefinition::allSpreads()) {
            spreadIds.append(spread.id);
            QCOMPARE(spread.cardCount, spread.positions.size());
            QVERIFY(spread.description.endsWith('.'));
            QSet<QString> positionIds;
            for (int i = 0; i < spread.positions.size(); ++i) {
                const SpreadPosition &position = spread.positions.at(i);
                QCOMPARE(position.index, i);
                QVERIFY(!position.description.endsWith('.'));
                positionIds.insert(position.id);
            }
            QCOMPARE(positionIds.size(), spread.positions.size());
        }
        QCOMPARE(spreadIds, QStringList({"single_card", "yes_no", "three_card", "celtic_cross"}));
    }

    void celticCrossGeometry()
    {
        const QList<SpreadPosition> &positions = SpreadDefinition::celticCross().positions;
        QCOMPARE(positions.at(9).id, "outcome");
        // The challenge lies on the present card, turned a quarter; nothing else is turned.
        QCOMPARE(positions.at(1).layoutOffset, positions.at(0).layoutOffset);
        QCOMPARE(positions.at(1).layoutRotation, 90.0);
        // The staff: one column 160 right of centre, from "self" at the bottom up in steps of 100.
        for (int i = 6; i < 10; ++i) {
            QCOMPARE(positions.at(i).layoutOffset, QPointF(160, 150 - 100 * (i - 6)));
            QCOMPARE(positions.at(i).layoutRotation, 0.0);
        }
    }

    void positionsAreEqualByIdAlone()
    {
        const SpreadPosition threeCardPresent = SpreadDefinition::threeCard().positions.at(1);
        const SpreadPosition crossPresent = SpreadDefinition::celticCross().positions.at(0);
        QCOMPARE(threeCardPresent, crossPresent);
        QCOMPARE(qHash(threeCardPresent), qHash(crossPresent));
        QVERIFY(threeCardPresent.name != crossPresent.name);
        QVERIFY(threeCardPresent != SpreadDefinition::threeCard().positions.at(0));
    }

    void storedReadingFindsItsSpread_data()
    {
        QTest::addColumn<QString>("spreadType");
        QTest::addColumn<QString>("name");
        QTest::newRow("celtic_cross") << "celtic_cross"
                                      << "Celtic Cross";
        QTest::newRow("yes_no") << "yes_no"
                                << "Yes or No";
        QTest::newRow("three_card") << "three_card"
                                    << "Past, Present, Future";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("upper case") << "CELTIC_CROSS"
                                    << "";
        QTest::newRow("unknown") << "five_card"
                                 << "";
    }
    void storedReadingFindsItsSpread()
    {
        QFETCH(QString, spreadType);
        QFETCH(QString, name);
        const Reading reading(spreadType);
        const auto spread = spreadDefinition(reading);
        QCOMPARE(spread ? spread->name : QString(), name);
    }

};

QTEST_GUILESS_MAIN(EngineSpreadsTest)
#include "tst_engine_spreads.moc"
