#include "CardFixtures.h"

#include <QTest>

using namespace CardFixtures;

class CatalogueCardsTest : public QObject
{
    Q_OBJECT

private slots:
    // One member of the middle card of three is replaced (or removed, for an undefined value);
    // either the whole file decodes or none of it does.
    void decodingRules_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<bool>("decodes");
        const QJsonValue removed(QJsonValue::Undefined);
        QTest::newRow("arcana Major") << "arcana" << QJsonValue("Major") << false;
        QTest::newRow("unknown suit") << "suit" << QJsonValue("coins") << false;
        QTest::newRow("suit Cups") << "suit" << QJsonValue("Cups") << false;
        QTest::newRow("suit number") << "suit" << QJsonValue(2) << false;
        QTest::newRow("suit null") << "suit" << QJsonValue(QJsonValue::Null) << true;
        QTest::newRow("suit missing") << "suit" << removed << true;
        QTest::newRow("leaning Yes") << "yesNoLeaning" << QJsonValue("Yes") << false;
        QTest::newRow("no journalPrompt") << "journalPrompt" << removed << false;
        QTest::newRow("no imageName") << "imageName" << removed << false;
        QTest::newRow("null name") << "name" << QJsonValue(QJsonValue::Null) << false;
        QTest::newRow("number as text") << "number" << QJsonValue("3") << false;
        QTest::newRow("id as number") << "id" << QJsonValue(7) << false;
        QTest::newRow("keywords as text") << "uprightKeywords" << QJsonValue("Rise") << false;
        QTest::newRow("keyword not text") << "reversedKeywords" << QJsonValue(QJsonArray{"Fall", 1}) << false;
        QTest::newRow("no questions") << "reflectionQuestions" << QJsonValue(QJsonArray()) << true;
        QTest::newRow("positionMeanings {}") << "positionMeanings" << QJsonValue(QJsonObject()) << true;
        QTest::newRow("positionMeanings []") << "positionMeanings" << QJsonValue(QJsonArray()) << false;
        QTest::newRow("meaning lacks reversed")
            << "positionMeanings" << QJsonValue(QJsonObject{{"past", QJsonObject{{"upright", "Then"}}}}) << false;
        QTest::newRow("extra member") << "deckEdition" << QJsonValue("second") << true;
        QTest::newRow("Id spelled in capitals") << "ID" << QJsonValue("major_01") << true;
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

    void documentShape_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("cards");
        QTest::newRow("empty array") << QByteArray("[]") << 0;
        QTest::newRow("object at top") << QByteArray(R"({"cards": []})") << -1;
        QTest::newRow("array of text") << QByteArray(R"(["major_00"])") << -1;
        QTest::newRow("truncated") << QByteArray(R"([{"id": "major_00")") << -1;
        QTest::newRow("not JSON") << QByteArray("\xff\xfe") << -1;
    }
    void documentShape()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, cards);
        const auto decoded = CardJson::decodeCards(json);
        QCOMPARE(decoded ? int(decoded->size()) : -1, cards);
    }

    // "number" as the file writes it. Integers beyond 2^53 must not pass through a double; a
    // fraction or a double beyond the 64-bit range fails.
    void numberForms_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("decodes");
        QTest::addColumn<qint64>("number");
        QTest::newRow("2^53 + 1") << QByteArray("9007199254740993") << true << qint64(9007199254740993);
        QTest::newRow("largest") << QByteArray("9223372036854775807") << true << std::numeric_limits<qint64>::max();
        QTest::newRow("smallest") << QByteArray("-9223372036854775808") << true << std::numeric_limits<qint64>::min();
        QTest::newRow("3.0") << QByteArray("3.0") << true << qint64(3);
        QTest::newRow("2e0") << QByteArray("2e0") << true << qint64(2);
        QTest::newRow("-0.0") << QByteArray("-0.0") << true << qint64(0);
        QTest::newRow("3.5") << QByteArray("3.5") << false << qint64(0);
        QTest::newRow("1e-300") << QByteArray("1e-300") << false << qint64(0);
        QTest::newRow("2^63") << QByteArray("9223372036854775808") << false << qint64(0);
        QTest::newRow("1e19") << QByteArray("1e19") << false << qint64(0);
        QTest::newRow("-1e19") << QByteArray("-1e19") << false << qint64(0);
    }
    void numberForms()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, decodes);
        QFETCH(qint64, number);
        const QByteArray json = QJsonDocument(QJsonArray{cardObject("major_99", Arcana::major, {}, 0)})
                                    .toJson(QJsonDocument::Compact)
                                    .replace("\"number\":0", "\"number\":" + text);
        const auto cards = CardJson::decodeCards(json);
        QCOMPARE(cards.has_value(), decodes);
        if (decodes) {
            QCOMPARE(cards->first().number, number);
            QCOMPARE(CardJson::decodeCards(CardJson::encodeCards(*cards).toJson())->first().number, number);
        }
    }

    void numberLabel_data()
    {
        QTest::addColumn<Arcana>("arcana");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("label");
        QTest::newRow("Fool") << Arcana::major << qint64(0) << "0";
        QTest::newRow("major 4") << Arcana::major << qint64(4) << "IV";
        QTest::newRow("major 21") << Arcana::major << qint64(21) << "XXI";
        QTest::newRow("major 22") << Arcana::major << qint64(22) << "22";
        QTest::newRow("major -1") << Arcana::major << qint64(-1) << "-1";
        QTest::newRow("minor 1") << Arcana::minor << qint64(1) << "Ace";
        QTest::newRow("minor 2") << Arcana::minor << qint64(2) << "2";
        QTest::newRow("minor 10") << Arcana::minor << qint64(10) << "10";
        QTest::newRow("minor 11") << Arcana::minor << qint64(11) << "Page";
        QTest::newRow("minor 12") << Arcana::minor << qint64(12) << "Knight";
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
        QCOMPARE(card("major_01", Arcana::major).suitLabel(), "Major Arcana");
        QCOMPARE(card("major_01", Arcana::major, Suit::cups).suitLabel(), "Major Arcana");
        QCOMPARE(card("cups_02", Arcana::minor, Suit::cups).suitLabel(), "Cups");
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

    void equalityCoversEveryField()
    {
        const TarotCard original = card("wands_03", Arcana::minor, Suit::wands, 3);
        QCOMPARE(card("wands_03", Arcana::minor, Suit::wands, 3), original);
        QCOMPARE(qHash(card("wands_03", Arcana::minor, Suit::wands, 3)), qHash(original));

        QList<TarotCard> variants(6, original);
        variants[0].uprightKeywords[2] = "Blossom";
        variants[1].suit.reset();
        variants[2].positionMeanings["outcome"].reversed = "Waits";
        variants[3].positionMeanings.insert("past", {"Then", "Not then"});
        variants[4].journalPrompt += " ";
        variants[5].reflectionQuestions.append("Why?");
        for (const TarotCard &variant : variants) {
            QVERIFY(variant != original);
            QVERIFY(qHash(variant) != qHash(original));
        }
    }

    void encodingRoundTrips()
    {
        const QList<TarotCard> cards{card("major_00"), card("swords_14", Arcana::minor, Suit::swords, 14),
                                     card("odd_05", Arcana::minor, {}, 5)};
        const QJsonDocument encoded = CardJson::encodeCards(cards);
        QVERIFY(!encoded.array().at(0).toObject().contains("suit"));
        QCOMPARE(encoded.array().at(1).toObject().value("suit"), "swords");
        QCOMPARE(CardJson::decodeCards(encoded.toJson()), cards);
        QCOMPARE(encoded.array().at(1).toObject(), cardObject("swords_14", Arcana::minor, Suit::swords, 14));
    }
};

QTEST_GUILESS_MAIN(CatalogueCardsTest)
#include "tst_catalogue_cards.moc"
