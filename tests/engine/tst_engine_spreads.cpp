#include "CardDataStore.h"
#include "Reading.h"
#include "SpreadDefinition.h"

#include <QTest>

class EngineSpreadsTest : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("upper case") << "CELTIC_CROSS"
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
