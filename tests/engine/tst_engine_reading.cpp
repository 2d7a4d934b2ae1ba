#include "CardFixtures.h"
#include "Clock.h"
#include "ReadingEngine.h"
#include "ScriptedRandomSource.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

PositionedCard placed(const QString &id, const QString &name, const QStringList &upright,
                      const QStringList &reversed = {}, bool isReversed = false)
{
    TarotCard card = CardFixtures::card(id);
    card.name = name;
    card.uprightKeywords = upright;
    card.reversedKeywords = reversed;
    return {card, {}, isReversed};
}

QList<PositionedCard> pastPresentFuture(const QString &futureId)
{
    return {placed("major_00", "The Fool", {"Beginnings", "Spontaneity", "Faith"}, {"Recklessness", "Delay"}),
            placed("major_01", "The Magician", {"Power", "Skill"}, {"Trickery"}),
            placed(futureId, "The Wheel", {"Change"}, {})};
}

} // namespace

class EngineReadingTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::reset(); }

    // The catalogue is shuffled first, then a coin is tossed for each position in order; with
    // reversals off there are no coins. Shuffle values 77, 76, ... each move the last card
    // forward, so the deck becomes the last card followed by the rest in order.
    void aReadingShufflesThenTossesACoinPerPosition_data()
    {
        QTest::addColumn<bool>("allowReversed");
        QTest::addColumn<QList<quint64>>("coins");
        QTest::newRow("reversals allowed") << true << QList<quint64>{1, 0, 1, 1, 0, 0, 1, 0, 0, 3};
        QTest::newRow("reversals off") << false << QList<quint64>{};
    }
    void aReadingShufflesThenTossesACoinPerPosition()
    {
        QFETCH(bool, allowReversed);
        QFETCH(QList<quint64>, coins);
        QTemporaryDir dir;
        CardFixtures::writeCatalogue(dir.path());
        CardDataStore store{ResourceLocation(dir.path())};
        store.loadCards();
        const QDateTime now(QDate(2026, 12, 5), QTime(21, 30));
        Clock::pin(now);
        QList<quint64> script;
        for (int i = 0; i < 77; ++i)
            script.append(quint64(77 - i));
        ScriptedRandomSource scripted(script + coins);
        const SpreadDefinition &spread = SpreadDefinition::celticCross();
        const auto result = ReadingEngine(store, scripted).performReading(spread, allowReversed);
        QVERIFY(result);
        QVERIFY(scripted.usedExactly());
        QCOMPARE(result->spread.id, "celtic_cross");
        QCOMPARE(result->date, now);
        QCOMPARE(result->cards.size(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(result->cards.at(i).card, store.allCards().at(i == 0 ? 77 : i - 1));
            QCOMPARE(result->cards.at(i).position, spread.positions.at(i));
            QCOMPARE(result->cards.at(i).isReversed, allowReversed && coins.at(i) % 2 == 1);
        }
    }

    // Ids ending in 02, 03 and 04 put the id sums at 0, 1 and 2 modulo 3.
    void threeCardNarrativeVariants_data()
    {
        QTest::addColumn<QString>("futureId");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("closing");
        QTest::newRow("0") << "major_02"
                           << "Your reading reveals a journey from Beginnings through Power toward Change."
                           << "Together, these cards invite you to honor what has been, engage fully with what is, "
                              "and trust in what is coming.";
        QTest::newRow("1") << "major_03"
                           << "The cards trace a path: what was shaped by Beginnings meets the present energy of "
                              "Power, pointing toward Change."
                           << "Consider how the themes of Beginnings, Power, and Change weave together in your life "
                              "right now.";
        QTest::newRow("2") << "major_04"
                           << "From Beginnings in your past to Power in your present, the cards suggest Change lies "
                              "ahead."
                           << "Let these three energies guide your reflection \u2014 the wisdom of the past, the truth "
                              "of now, and the promise of what awaits.";
    }
    void threeCardNarrativeVariants()
    {
        QFETCH(QString, futureId);
        QFETCH(QString, opening);
        QFETCH(QString, closing);
        const QStringList expected{
            opening,
            "In the past position, The Fool speaks of Beginnings and Spontaneity. This energy has been shaping "
            "your journey up to this point.",
            "At the center of your reading, The Magician brings the energy of Power. This is the force most "
            "active in your life right now.",
            "Looking ahead, The Wheel suggests Change. This is the direction your current path is leading.",
            closing,
        };
        QCOMPARE(ReadingEngine::threeCardNarrative(pastPresentFuture(futureId)), expected);
    }

    void orientationChangesWordsButNotTheVariant()
    {
        QList<PositionedCard> cards = pastPresentFuture("major_03");
        cards[0].isReversed = true;
        cards[1].isReversed = true;
        cards[2].isReversed = true;
        const QStringList narrative = ReadingEngine::threeCardNarrative(cards);
        QCOMPARE(narrative.at(0), "The cards trace a path: what was shaped by Recklessness meets the present energy "
                                  "of Trickery, pointing toward transformation.");
        QCOMPARE(narrative.at(1), "In the past position, The Fool reversed speaks of Recklessness and Delay. This "
                                  "energy has been shaping your journey up to this point.");
        QCOMPARE(narrative.at(3), "Looking ahead, The Wheel reversed suggests change. This is the direction your "
                                  "current path is leading.");

        std::swap(cards[0], cards[2]);
        QCOMPARE(ReadingEngine::variantIndex(cards), 1);
    }

    void narrativesNeedTheirExactCardCount()
    {
        QList<PositionedCard> cards;
        for (int i = 0; i < 11; ++i)
            cards.append(placed(QString("major_%1").arg(i), "Card", {"k"}));
        for (int count : {0, 2, 4, 9, 11}) {
            QVERIFY(ReadingEngine::threeCardNarrative(cards.mid(0, count)).isEmpty());
            if (count != 10)
                QVERIFY(ReadingEngine::celticCrossNarrative(cards.mid(0, count)).isEmpty());
        }
        QCOMPARE(ReadingEngine::celticCrossNarrative(cards.mid(0, 10)).size(), 5);
    }

    void celticCrossNarrative()
    {
        QList<PositionedCard> cards;
        const QStringList keywords{"Clarity",  "Courage",  "Roots",   "Letting go", "Vision",
                                   "Movement", "Patience", "Harmony", "Longing",    "Fulfilment"};
        for (int i = 0; i < 10; ++i)
            cards.append(placed(QString("major_%1").arg(i), QString("Card %1").arg(i), {keywords.at(i), "More"}));
        cards[1].card.uprightKeywords = {};
        cards[2] = placed("major_16", "The Tower", {"Upheaval"}, {"Averted disaster", "Fear"}, true);
        cards[5].isReversed = true;
        cards[9].card.uprightKeywords = {};
        const QStringList expected{
            "This Celtic Cross reading paints a rich picture of your situation, revealing both visible and hidden "
            "forces at work.",
            "At the heart of the matter, Card 0 reveals the energy of Clarity and More. Crossing this is Card 1, "
            "bringing the tension of change. Together, these two cards define the central dynamic of your "
            "situation.",
            "Your situation is rooted in The Tower reversed's energy of Averted disaster, with Card 3 showing "
            "Letting go as a recent influence. The best possible outcome points toward Vision, while Card 5 "
            "reversed suggests transformation approaching in the near term.",
            "You see yourself through the lens of Patience, while those around you reflect the energy of "
            "Harmony. Your hopes and fears center on Longing. Given all of this, the likely outcome carries the "
            "energy of Card 9: transformation.",
            "Remember that the outcome is not fixed. The Celtic Cross shows the most probable path given current "
            "energies. Your awareness and choices can shift the trajectory.",
        };
        QCOMPARE(ReadingEngine::celticCrossNarrative(cards), expected);
    }

    // The answer turns with the card, the explanation names it and adds its general meaning.
    void yesNoAnswer_data()
    {
        QTest::addColumn<QString>("leaning");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("verdict");
        const QString yes = "affirms your question.";
        const QString no = "suggests caution or a negative answer.";
        const QString maybe = "is ambiguous \u2014 the answer may depend on factors not yet revealed.";
        QTest::newRow("yes upright") << "yes" << false << "Yes" << yes;
        QTest::newRow("yes reversed") << "yes" << true << "No" << no;
        QTest::newRow("no upright") << "no" << false << "No" << no;
        QTest::newRow("no reversed") << "no" << true << "Yes" << yes;
        QTest::newRow("maybe upright") << "maybe" << false << "Maybe" << maybe;
        QTest::newRow("maybe reversed") << "maybe" << true << "Maybe" << maybe;
    }
    void yesNoAnswer()
    {
        QFETCH(QString, leaning);
        QFETCH(bool, reversed);
        QFETCH(QString, answer);
        QFETCH(QString, verdict);
        TarotCard star = CardFixtures::card("major_17");
        star.name = "The Star";
        star.yesNoLeaning = *yesNoLeaningFromRawValue(leaning);
        star.uprightMeaning = "Hope returns.";
        star.reversedMeaning = "Hope dims.";
        // A position meaning never takes the general meaning's place here.
        star.positionMeanings.insert("answer", {"Position upright.", "Position reversed."});
        const QString explanation =
            QString("The energy of The Star%1 %2 %3")
                .arg(reversed ? " reversed" : "", verdict, reversed ? "Hope dims." : "Hope returns.");
        QCOMPARE(ReadingEngine::yesNoAnswer(star, reversed), (YesNoAnswer{answer, explanation}));
    }

    // Positions are equal by id alone; a spread is found by its exact id.
    void spreadsAndTheirPositions()
    {
        const SpreadPosition threeCardPresent = SpreadDefinition::threeCard().positions.at(1);
        const SpreadPosition crossPresent = SpreadDefinition::celticCross().positions.at(0);
        QCOMPARE(threeCardPresent, crossPresent);
        QCOMPARE(qHash(threeCardPresent), qHash(crossPresent));
        QVERIFY(threeCardPresent.name != crossPresent.name);
        QVERIFY(threeCardPresent != SpreadDefinition::threeCard().positions.at(0));
        QCOMPARE(SpreadDefinition::withID("celtic_cross")->name, "Celtic Cross");
        QVERIFY(!SpreadDefinition::withID("CELTIC_CROSS") && !SpreadDefinition::withID(""));
    }
};

QTEST_GUILESS_MAIN(EngineReadingTest)
#include "tst_engine_reading.moc"
