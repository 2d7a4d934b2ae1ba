#include "CardFixtures.h"

#include <QTest>

using namespace CardFixtures;

class CatalogueCardsTest : public QObject
{
    Q_OBJECT

private slots:
    // One member of the middle card of three is replaced (or removed, for an undefined value);
    // either the whole file decodes or none of it does. (The card files are compiled in; the
    // decoders' robustness against any input is the fuzzer's job.)
    void decodingRules_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<bool>("decodes");
        const QJsonValue removed(QJsonValue::Undefined);
        QTest::newRow("unknown suit") << "suit" << QJsonValue("coins") << false;
        QTest::newRow("suit null") << "suit" << QJsonValue(QJsonValue::Null) << true;
        QTest::newRow("suit missing") << "suit" << removed << true;
        QTest::newRow("no imageName") << "imageName" << removed << false;
        QTest::newRow("number as text") << "number" << QJsonValue("3") << false;
        QTest::newRow("number with a fraction") << "number" << QJsonValue(3.5) << false;
        QTest::newRow("keyword not text") << "reversedKeywords" << QJsonValue(QJsonArray{"Fall", 1}) << false;
        QTest::newRow("positionMeanings {}") << "positionMeanings" << QJsonValue(QJsonObject()) << true;
        QTest::newRow("meaning lacks reversed")
            << "positionMeanings" << QJsonValue(QJsonObject{{"past", QJsonObject{{"upright", "Then"}}}}) << false;
        QTest::newRow("extra member") << "deckEdition" << QJsonValue("second") << true;
    }
    void decodingRules()
    {
        QFETCH(QString, key);
        QFETCH(QJsonValue, value);
        QFETCH(bool, decodes);
        QJsonObject mutated = cardObject("major_01", Arcana::major, {}, 1);
        if (value.isUndefined())
            mutated.remove(key);
        else
            mutated.insert(key, value);
        const QJsonArray file{cardObject("major_00", Arcana::major, {}, 0), mutated,
                              cardObject("major_02", Arcana::major, {}, 2)};
        const auto cards = CardJson::decodeCards(QJsonDocument(file).toJson());
        QCOMPARE(cards.has_value(), decodes);
        if (decodes) {
            QCOMPARE(cards->size(), 3);
            QCOMPARE(cards->at(1).id, "major_01");
            QCOMPARE(cards->at(2).id, "major_02");
            if (key == "suit")
                QVERIFY(!cards->at(1).suit);
        }
    }

    void numberLabel_data()
    {
        QTest::addColumn<Arcana>("arcana");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("label");
        QTest::newRow("Fool") << Arcana::major << qint64(0) << "0";
        QTest::newRow("major 21") << Arcana::major << qint64(21) << "XXI";
        QTest::newRow("major 22") << Arcana::major << qint64(22) << "22";
        QTest::newRow("minor 1") << Arcana::minor << qint64(1) << "Ace";
        QTest::newRow("minor 10") << Arcana::minor << qint64(10) << "10";
        QTest::newRow("minor 11") << Arcana::minor << qint64(11) << "Page";
        QTest::newRow("minor 14") << Arcana::minor << qint64(14) << "King";
        QTest::newRow("minor 0") << Arcana::minor << qint64(0) << "0";
    }
    void numberLabel()
    {
        QFETCH(Arcana, arcana);
        QFETCH(qint64, number);
        QFETCH(QString, label);
        QCOMPARE(card("x", arcana, {}, number).numberLabel(), label);
    }

    void suitLabel()
    {
        QCOMPARE(card("major_01", Arcana::major, Suit::cups).suitLabel(), "Major Arcana");
        QCOMPARE(card("pentacles_02", Arcana::minor, Suit::pentacles).suitLabel(), "Pentacles");
        QCOMPARE(card("nothing_02", Arcana::minor).suitLabel(), "");
    }

    void meaningForPosition()
    {
        TarotCard tower = card("major_16");
        QCOMPARE(tower.meaningForPosition("outcome", true), "Stalls");
        QCOMPARE(tower.meaningForPosition("outcome", false), "Ends well");
        QCOMPARE(tower.meaningForPosition("past", true), "Reversed meaning of major_16");
        QCOMPARE(tower.meaningForPosition("Outcome", false), "Upright meaning of major_16");
        tower.positionMeanings.clear();
        QCOMPARE(tower.meaningForPosition("outcome", true), "Reversed meaning of major_16");
    }
};

QTEST_GUILESS_MAIN(CatalogueCardsTest)
#include "tst_catalogue_cards.moc"
