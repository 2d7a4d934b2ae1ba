// Spreads of the user's design: the text they are kept as, the rules that keep a design from
// being saved, and the narrative read for any number of positions.
#include "CardFixtures.h"
#include "CustomSpread.h"
#include "ReadingEngine.h"

#include <QRegularExpression>
#include <QTest>

namespace {

SpreadPosition place(const QString &id, const QString &name, QPointF at, double rotation = 0)
{
    return {id, 0, name, QString(), at, rotation};
}

SpreadDefinition design(const QString &name, const QList<SpreadPosition> &positions)
{
    SpreadDefinition spread{QStringLiteral("custom_x"), name, QString(), int(positions.size()), positions, {}};
    for (int i = 0; i < spread.positions.size(); ++i)
        spread.positions[i].index = i;
    return spread;
}

PositionedCard dealt(const QString &id, const QString &name, const QStringList &keywords, const QString &position,
                     bool reversed = false, Arcana arcana = Arcana::major, std::optional<Suit> suit = {})
{
    TarotCard card = CardFixtures::card(id, arcana, suit, arcana == Arcana::major ? 0 : 3);
    card.name = name;
    (reversed ? card.reversedKeywords : card.uprightKeywords) = keywords;
    return {card, {position, 0, position, QString(), {}, 0}, reversed};
}

} // namespace

class CustomSpreadTest : public QObject
{
    Q_OBJECT

private slots:
    void aDesignSurvivesItsTextAndBadTextIsRefused()
    {
        const SpreadDefinition original =
            design(QStringLiteral("Horseshoe “arc”"),
                   {place("place_1", "Past", {-240.5, 60}), place("place_2", "Ñame with ✨", {0, -30}, 90)});
        const std::optional<SpreadDefinition> back =
            CustomSpread::decode(QStringLiteral("custom_x"), CustomSpread::encode(original));
        QVERIFY(back);
        QCOMPARE(back->name, original.name);
        QCOMPARE(back->cardCount, 2);
        QCOMPARE(back->positions.at(1).name, original.positions.at(1).name);
        QCOMPARE(back->positions.at(1).index, 1);
        QCOMPARE(back->positions.at(0).layoutOffset, QPointF(-240.5, 60));
        QCOMPARE(back->positions.at(1).layoutRotation, 90.0);

        QString sixteen = QStringLiteral("{\"name\":\"n\",\"positions\":[");
        for (int i = 0; i < 16; ++i)
            sixteen += QStringLiteral("%1{\"id\":\"p%2\",\"name\":\"p\",\"x\":0,\"y\":0}").arg(i ? "," : "").arg(i);
        sixteen += QStringLiteral("]}");
        const QStringList refused{
            QString(),
            "not json",
            "[]",
            "{\"name\":\"n\",\"positions\":[]}",
            "{\"name\":3,\"positions\":[{\"id\":\"a\",\"name\":\"a\",\"x\":0,\"y\":0}]}",
            "{\"name\":\"n\",\"positions\":[{\"id\":\"a\",\"name\":\"a\",\"x\":\"0\",\"y\":0}]}",
            "{\"name\":\"n\",\"positions\":[{\"id\":\"\",\"name\":\"a\",\"x\":0,\"y\":0}]}",
            "{\"name\":\"n\",\"positions\":[{\"id\":\"a\",\"name\":\"a\",\"x\":0,\"y\":0},"
            "{\"id\":\"a\",\"name\":\"b\",\"x\":9,\"y\":0}]}",
            "{\"name\":\"n\",\"positions\":[7]}",
            sixteen,
        };
        for (const QString &text : refused)
            QVERIFY2(!CustomSpread::decode(QStringLiteral("custom_x"), text), qPrintable(text));

        // A reading finds a built-in spread by its id whatever it keeps, and a designed one
        // only through the copy it keeps.
        QCOMPARE(CustomSpread::ofReading(QStringLiteral("celtic_cross"), QString())->cardCount, 10);
        QVERIFY(!CustomSpread::ofReading(QStringLiteral("custom_x"), QString()));
        QVERIFY(!CustomSpread::ofReading(QStringLiteral("mystery"), CustomSpread::encode(original)));
        QCOMPARE(CustomSpread::ofReading(QStringLiteral("custom_x"), CustomSpread::encode(original))->name,
                 original.name);
    }

    void aDesignWithAProblemIsTold_data()
    {
        QTest::addColumn<SpreadDefinition>("spread");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("positions");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("layout");

        const QPointF left(-120, 0), right(120, 0);
        QTest::newRow("fine") << design("Two", {place("a", "One", left), place("b", "Two", right)}) << ""
                              << QStringList{"", ""} << ""
                              << "";
        QTest::newRow("blank name") << design("  ", {place("a", "One", left)}) << "Give the spread a name."
                                    << QStringList{""} << ""
                                    << "";
        QTest::newRow("no positions") << design("Empty", {}) << "" << QStringList{} << "Add at least one position."
                                      << "";
        QTest::newRow("position without a name") << design("Two", {place("a", "One", left), place("b", " ", right)})
                                                 << "" << QStringList{"", "Give this position a name."} << ""
                                                 << "";
        QTest::newRow("two positions named alike, by case and spacing")
            << design("Three",
                      {place("a", "The Root", left), place("b", "Sky", right), place("c", " the  root", {0, 200})})
            << "" << QStringList{"", "", "Position 1 already has this name."} << ""
            << "";
        QList<SpreadPosition> sixteen;
        QStringList fine;
        for (int i = 0; i < 16; ++i) {
            sixteen.append(place(QString::number(i), QString::number(i), {i * 100.0, 0}));
            fine.append(QString());
        }
        QTest::newRow("sixteen positions")
            << design("Big", sixteen) << "" << fine << "A spread holds at most 15 positions; remove 1 to save it."
            << "";
        QTest::newRow("every card on one spot")
            << design("Pile", {place("a", "A", left), place("b", "B", left, 90), place("c", "C", left)}) << ""
            << QStringList{"", "", ""} << ""
            << "Every card lies on the same spot. Move them apart so each one can be seen.";
        // One card across another, as the Celtic Cross has it, is a design, not a pile.
        QTest::newRow("two of three on one spot")
            << design("Cross", {place("a", "A", left), place("b", "B", left, 90), place("c", "C", right)}) << ""
            << QStringList{"", "", ""} << ""
            << "";
        QTest::newRow("one card alone") << design("Solo", {place("a", "A", left)}) << "" << QStringList{""} << ""
                                        << "";
    }

    void aDesignWithAProblemIsTold()
    {
        QFETCH(SpreadDefinition, spread);
        const CustomSpread::Problems problems = CustomSpread::check(spread);
        QTEST(problems.name, "name");
        QTEST(problems.positions, "positions");
        QTEST(problems.count, "count");
        QTEST(problems.layout, "layout");
        const bool fine = QString(QTest::currentDataTag()) == "fine" ||
                          QString(QTest::currentDataTag()).startsWith("two of three") ||
                          QString(QTest::currentDataTag()) == "one card alone";
        QCOMPARE(problems.any(), !fine);
    }

    void aStartingPointKeepsItsCardsApart()
    {
        for (const SpreadDefinition &builtIn : SpreadDefinition::allSpreads()) {
            const SpreadDefinition start = CustomSpread::startingFrom(builtIn);
            QCOMPARE(start.positions.size(), builtIn.positions.size());
            QVERIFY(!CustomSpread::check(start).any());
            // Only the challenge, laid across the present card, may touch another card.
            for (int i = 0; i < start.positions.size(); ++i)
                for (int j = i + 1; j < start.positions.size(); ++j)
                    if (start.positions.at(j).id != QLatin1String("crossing"))
                        QVERIFY2(
                            !CustomSpread::overlap(start.positions.at(i), start.positions.at(j)),
                            qPrintable(builtIn.id + ": " + start.positions.at(i).id + "/" + start.positions.at(j).id));
        }
    }

    void oneCardReadsAsOneAnswer()
    {
        const QStringList paragraphs = ReadingEngine::generalNarrative(
            "Morning Light", {dealt("cups_03", "Three of Cups", {"Excess", "Gossip", "Isolation"}, "Guidance", true,
                                    Arcana::minor, Suit::cups)});
        QCOMPARE(paragraphs,
                 QStringList({"\u201cMorning Light\u201d asks one thing, and one card answers it: Three of Cups "
                              "reversed in the place of \u201cGuidance\u201d.",
                              "It speaks of Excess and Gossip. Let Excess be the thread you follow as you reflect on "
                              "your question."}));
        QVERIFY(ReadingEngine::generalNarrative("Nothing", {}).isEmpty());
    }

    void threeCardsReadInTurn()
    {
        // The ids sum to 2 modulo 3, so the first position takes the third way of saying it.
        const QStringList paragraphs = ReadingEngine::generalNarrative(
            "Crossroads", {dealt("major_00", "The Fool", {"Beginnings", "Faith"}, "Situation"),
                           dealt("major_01", "The Magician", {"Trickery"}, "Obstacle", true),
                           dealt("major_10", "The Wheel", {}, "Advice")});
        QCOMPARE(paragraphs,
                 QStringList({"Your \u201cCrossroads\u201d reading lays out three cards, moving from Beginnings at "
                              "the start toward transformation at the end.",
                              "In the place of \u201cSituation\u201d lies The Fool, with the energy of Beginnings. "
                              "For \u201cObstacle\u201d, The Magician reversed speaks of Trickery. \u201cAdvice\u201d "
                              "is answered by The Wheel, bringing change.",
                              "Hold the themes of Beginnings, Trickery, and transformation together, and notice "
                              "where they meet in your life right now."}));
    }

    void fifteenCardsReadInThreeParagraphsOfFive()
    {
        QList<PositionedCard> cards;
        QStringList names;
        for (int i = 0; i < 15; ++i) {
            const QString position = QStringLiteral("Place %1").arg(QChar(u'A' + i));
            names.append(position);
            const bool major = i < 9;
            cards.append(dealt(major ? QStringLiteral("major_%1").arg(i, 2, 10, QChar(u'0'))
                                     : QStringLiteral("cups_%1").arg(i, 2, 10, QChar(u'0')),
                               QStringLiteral("Card %1").arg(i), {QStringLiteral("Theme%1").arg(i), "More"}, position,
                               false, major ? Arcana::major : Arcana::minor,
                               major ? std::nullopt : std::optional<Suit>(Suit::cups)));
        }
        const QStringList paragraphs = ReadingEngine::generalNarrative("Year Ahead", cards);
        QCOMPARE(paragraphs.size(), 6);
        QCOMPARE(paragraphs.at(0), "Your \u201cYear Ahead\u201d reading lays out fifteen cards, moving from Theme0 at "
                                   "the start toward Theme14 at the end.");
        // Every position is named once, in reading order, five to a paragraph, and no two
        // positions in a row are said the same way.
        const QString body = paragraphs.mid(1, 3).join(' ');
        qsizetype at = 0;
        for (const QString &name : names) {
            const qsizetype found = body.indexOf(QStringLiteral("\u201c%1\u201d").arg(name), at);
            QVERIFY2(found >= at, qPrintable(name));
            QCOMPARE(body.count(QStringLiteral("\u201c%1\u201d").arg(name)), 1);
            at = found;
        }
        const QRegularExpression sentenceEnd(QStringLiteral("\\.( |$)"));
        QString previousStart;
        for (int p = 1; p <= 3; ++p) {
            const QStringList sentences = paragraphs.at(p).split(sentenceEnd, Qt::SkipEmptyParts);
            QCOMPARE(sentences.size(), 5);
            for (const QString &sentence : sentences) {
                const QString start = sentence.section(' ', 0, 0);
                QVERIFY2(start != previousStart, qPrintable(sentence));
                previousStart = start;
            }
        }
        QCOMPARE(paragraphs.at(4), "Nine of the fifteen cards are Major Arcana, so the forces at work here reach "
                                   "beyond the everyday.");
        QCOMPARE(paragraphs.at(5), "Hold the themes of Theme0, Theme7, and Theme14 together, and notice where they "
                                   "meet in your life right now.");
    }

    void aSuitOrReversalsThatStandOutAreSaid()
    {
        QList<PositionedCard> cards;
        for (int i = 0; i < 6; ++i)
            cards.append(dealt(QStringLiteral("swords_%1").arg(i + 1), "S", {"Cut"}, QString::number(i), i < 4,
                               i < 3 ? Arcana::minor : Arcana::major,
                               i < 3 ? std::optional<Suit>(Suit::swords) : std::nullopt));
        QVERIFY(ReadingEngine::generalNarrative("Six", cards)
                    .contains("Many of the cards are Swords, and thoughts, words and decisions carry the weight."));
        // The same theme throughout is named once.
        QCOMPARE(ReadingEngine::generalNarrative("Six", cards).constLast(),
                 "One theme, Cut, runs through the whole spread; notice where it meets you in your life right now.");
        // Four of five reversed, no suit or arcana to speak of.
        QList<PositionedCard> turned;
        for (int i = 0; i < 5; ++i)
            turned.append(dealt(QStringLiteral("x%1").arg(i), "X", {"Y"}, QString::number(i), i > 0,
                                i < 2 ? Arcana::major : Arcana::minor,
                                i < 2 ? std::nullopt : std::optional<Suit>(allSuitCases.at(i - 2))));
        QVERIFY(ReadingEngine::generalNarrative("Five", turned)
                    .contains("More than half the cards lie reversed, which can point to energy held back or turned "
                              "inward."));
    }
};

QTEST_GUILESS_MAIN(CustomSpreadTest)
#include "tst_custom_spread.moc"
