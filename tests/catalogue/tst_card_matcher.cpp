// Naming a card from a few typed characters, against the real catalogue: by name, number,
// "3 cups", a major's numeral, another deck's suit words, with any case and accents, and the
// cards a reader most likely means first.
#include "CardDataStore.h"
#include "CardMatcher.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class CardMatcherTest : public QObject
{
    Q_OBJECT

    QStringList idsFor(const QString &typed, int first = -1) const
    {
        const QList<TarotCard> &cards = CardDataStore::shared().allCards();
        QStringList ids;
        for (int index : CardMatcher(cards).match(typed))
            ids.append(cards.at(index).id);
        return first < 0 ? ids : ids.mid(0, first);
    }

private slots:
    void typedTextFindsTheCard_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("best"); // the first ids, in order
        QTest::addColumn<int>("count");        // how many cards fit in all; -1: not checked

        const auto ids = [](std::initializer_list<const char *> list) {
            QStringList result;
            for (const char *id : list)
                result.append(QString::fromLatin1(id));
            return result;
        };
        QTest::newRow("a name") << u"tower"_s << ids({"major_16"}) << 1;
        QTest::newRow("the start of a name") << u"tow"_s << ids({"major_16"}) << 1;
        QTest::newRow("case and accents") << u"TÔWËR"_s << ids({"major_16"}) << 1;
        QTest::newRow("a whole name") << u"Three of Cups"_s << ids({"cups_03"}) << 1;
        QTest::newRow("number and suit") << u"3 cups"_s << ids({"cups_03"}) << 1;
        QTest::newRow("suit and number") << u"cups 3"_s << ids({"cups_03"}) << 1;
        QTest::newRow("court and the start of a suit") << u"queen sw"_s << ids({"swords_13"}) << 1;
        QTest::newRow("another deck's suit") << u"5 coins"_s << ids({"pentacles_05"}) << 1;
        QTest::newRow("a suit alone") << u"chalices"_s << ids({"cups_01", "cups_02"}) << 14;
        QTest::newRow("a roman numeral, whole") << u"xvi "_s << ids({"major_16"}) << 1;
        QTest::newRow("a roman numeral, typing") << u"xvi"_s << ids({"major_16", "major_17", "major_18"}) << 3;
        QTest::newRow("a numeral being typed") << u"xv"_s << ids({"major_15", "major_16", "major_17", "major_18"}) << 4;
        QTest::newRow("the fool's zero") << u"0"_s << ids({"major_00"}) << 1;
        QTest::newRow("a major's number") << u"16"_s << ids({"major_16"}) << 1;
        QTest::newRow("a number shared by suits and a major")
            << u"3 "_s << ids({"major_03", "wands_03", "cups_03", "swords_03", "pentacles_03"}) << 5;
        QTest::newRow("a number being typed: whole ones first")
            << u"1"_s << ids({"major_01", "wands_01", "cups_01", "swords_01", "pentacles_01", "major_10"}) << -1;
        QTest::newRow("a whole number is not a start") << u"1 cups"_s << ids({"cups_01"}) << 1;
        QTest::newRow("ace by its number word") << u"one of wands"_s << ids({"wands_01"}) << 1;
        QTest::newRow("aces") << u"ace"_s << ids({"wands_01", "cups_01", "swords_01", "pentacles_01"}) << 4;
        QTest::newRow("the majors") << u"major"_s << ids({"major_00", "major_01"}) << 22;
        QTest::newRow("nothing typed: the deck") << u""_s << ids({"major_00", "major_01"}) << 78;
        QTest::newRow("only signs") << u"  -- "_s << ids({"major_00"}) << 78;
        QTest::newRow("no such card") << u"xyzzy"_s << QStringList() << 0;
        QTest::newRow("a word of another card") << u"tower cups"_s << QStringList() << 0;
    }
    void typedTextFindsTheCard()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, best);
        QFETCH(int, count);
        const QStringList found = idsFor(typed);
        QCOMPARE(found.mid(0, best.size()), best);
        if (count >= 0)
            QCOMPARE(found.size(), count);
    }
};

QTEST_GUILESS_MAIN(CardMatcherTest)
#include "tst_card_matcher.moc"
