// The rules under the reading screens: the Celtic Cross placement, paging, the menu's starred
// readings, the star itself, the summary's choice of narrative and the rows' meanings.
#include "CardPager.h"
#include "CardStyle.h"
#include "CelticCrossLayout.h"
#include "DrawnCard.h"
#include "FavoriteToggle.h"
#include "OtherConnection.h"
#include "PositionedCardList.h"
#include "Reading.h"
#include "ReadingSummary.h"
#include "SpreadDefinition.h"
#include "SpreadMenu.h"
#include "StarredReadings.h"
#include "StoreTestSupport.h"

namespace {

QList<PositionedCard> cardsFor(const SpreadDefinition &spread)
{
    QList<PositionedCard> cards;
    for (const SpreadPosition &position : spread.positions) {
        TarotCard card;
        card.id = QStringLiteral("card_%1").arg(position.index);
        card.name = QStringLiteral("Card %1").arg(position.index);
        cards.append({card, position, false});
    }
    return cards;
}

QPointF centreOf(const CelticCrossLayout &layout, int row)
{
    const QModelIndex index = layout.index(row);
    return {layout.data(index, CelticCrossLayout::CentreXRole).toDouble(),
            layout.data(index, CelticCrossLayout::CentreYRole).toDouble()};
}

QStringList rowNames(const StarredReadings &starred, int role)
{
    QStringList names;
    for (int row = 0; row < starred.rowCount(); ++row)
        names.append(starred.data(starred.index(row), role).toString());
    return names;
}

const QDateTime monday(QDate(2026, 1, 5), QTime(10, 0));

} // namespace

class ReadingsRulesTest : public QObject
{
    Q_OBJECT

private slots:
    // At every width the results column has from the smallest window up, the ten cards stack with a clear gap (the
    // crossing card apart, which lies on the centre card), the pattern stays centred inside the
    // drawing, and each number sits on its own card, clear of every other card.
    void theCrossLeavesGapsAndShowsEveryNumber_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("scale");
        QTest::newRow("430: natural size") << 430.0 << 1.0;
        QTest::newRow("520") << 520.0 << 520 / 430.0;
        QTest::newRow("602: largest") << 602.0 << 1.4;
        QTest::newRow("1100: no larger") << 1100.0 << 1.4;
    }
    void theCrossLeavesGapsAndShowsEveryNumber()
    {
        QFETCH(double, width);
        QFETCH(double, scale);
        PositionedCardList cards;
        cards.setCards(cardsFor(SpreadDefinition::celticCross()));
        CelticCrossLayout layout;
        layout.setCards(&cards);
        layout.setRevealedCount(10);
        layout.setWidth(width);
        QCOMPARE(layout.scale(), scale);

        const CardMetrics metrics = CardStyle::metrics(int(CardSize::Small));
        QList<QRectF> cardRects, badgeRects;
        QRectF pattern;
        for (int row = 0; row < 10; ++row) {
            const QModelIndex index = layout.index(row);
            const QPointF centre = centreOf(layout, row);
            const bool across = layout.data(index, CelticCrossLayout::RotationRole).toDouble() == 90;
            const QSizeF size = across ? QSizeF(metrics.height, metrics.width) : QSizeF(metrics.width, metrics.height);
            cardRects.append(QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size));
            const QPointF badge = centre + QPointF(layout.data(index, CelticCrossLayout::BadgeXRole).toDouble(),
                                                   layout.data(index, CelticCrossLayout::BadgeYRole).toDouble());
            const double radius = CelticCrossLayout::badgeDiameter / 2;
            badgeRects.append(QRectF(badge - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)));
            pattern |= cardRects.last();
        }
        QCOMPARE(centreOf(layout, 1), centreOf(layout, 0));
        QVERIFY(centreOf(layout, 9).y() < centreOf(layout, 6).y()); // the staff rises to the outcome
        QVERIFY2(pattern.left() >= 0 && pattern.right() <= width && pattern.top() >= 0,
                 qPrintable(QString::number(pattern.left())));
        QVERIFY(qAbs(pattern.left() - (width - pattern.right())) < 0.5);
        QVERIFY(layout.drawnHeight() >= pattern.bottom());
        for (int a = 0; a < 10; ++a) {
            QVERIFY2(cardRects[a].contains(badgeRects[a]), qPrintable(QString::number(a + 1)));
            for (int b = 0; b < 10; ++b) {
                if (a == b)
                    continue;
                const QString pair = QStringLiteral("%1 and %2").arg(a + 1).arg(b + 1);
                QVERIFY2(!badgeRects[a].intersects(cardRects[b]), qPrintable("badge " + pair));
                if (a + b == 1) // the crossing card and the centre card
                    continue;
                QVERIFY2(!cardRects[a].adjusted(-8, -8, 8, 8).intersects(cardRects[b]), qPrintable("cards " + pair));
            }
        }
    }

    void onlyTheRevealedCardsAreDrawnAndTheCrossingCardLiesOnTop()
    {
        PositionedCardList cards;
        cards.setCards(cardsFor(SpreadDefinition::celticCross()));
        CelticCrossLayout layout;
        layout.setWidth(430);
        layout.setCards(&cards);
        QCOMPARE(layout.rowCount(), 0);
        layout.setRevealedCount(3);
        QCOMPARE(layout.rowCount(), 3);
        layout.setRevealedCount(25);
        QCOMPARE(layout.rowCount(), 10);
        layout.setRevealedCount(-2);
        QCOMPARE(layout.rowCount(), 0);
        layout.setRevealedCount(10);
        for (int row = 0; row < 10; ++row) {
            const QModelIndex index = layout.index(row);
            QCOMPARE(layout.data(index, CelticCrossLayout::StackingRole).toInt(), row == 1 ? 1 : 0);
            QCOMPARE(layout.data(index, CelticCrossLayout::RotationRole).toDouble(), row == 1 ? 90.0 : 0.0);
        }
        // A reading with fewer cards draws what it has.
        QList<PositionedCard> nine = cardsFor(SpreadDefinition::celticCross());
        nine.removeLast();
        cards.setCards(nine);
        QCOMPARE(layout.rowCount(), 9);
        QCOMPARE(layout.count(), 9);
    }

    // Paging stops at both ends; the arrow keys are handled there all the same.
    void pagingStopsAtBothEnds_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("steps"); // n: next, p: previous, l/r: arrow keys
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("forward");
        QTest::newRow("forward to the end and past it") << 3 << 0 << "nnnn" << 2 << true;
        QTest::newRow("back to the start and past it") << 3 << 2 << "ppp" << 0 << false;
        QTest::newRow("keys past the end") << 10 << 8 << "rrr" << 9 << true;
        QTest::newRow("keys past the start") << 10 << 1 << "lll" << 0 << false;
        QTest::newRow("back then forward") << 10 << 4 << "pn" << 4 << true;
        QTest::newRow("forward then back") << 10 << 4 << "np" << 4 << false;
        QTest::newRow("single card") << 1 << 0 << "nlrp" << 0 << true;
    }
    void pagingStopsAtBothEnds()
    {
        QFETCH(int, count);
        QFETCH(int, start);
        QFETCH(QString, steps);
        QFETCH(int, index);
        QFETCH(bool, forward);
        CardPager pager;
        pager.setCount(count);
        pager.setStartIndex(start);
        QCOMPARE(pager.currentIndex(), start);
        QVERIFY(pager.navigatingForward());
        for (QChar step : steps) {
            if (step == u'n')
                pager.next();
            else if (step == u'p')
                pager.previous();
            else
                QVERIFY(pager.handleKey(step == u'r' ? Qt::Key_Right : Qt::Key_Left));
        }
        QCOMPARE(pager.currentIndex(), index);
        QCOMPARE(pager.navigatingForward(), forward);
        QCOMPARE(pager.canGoBack(), index > 0);
        QCOMPARE(pager.canGoForward(), index < count - 1);
        QCOMPARE(pager.counterText(), QStringLiteral("Card %1 of %2").arg(index + 1).arg(count));
        QVERIFY(!pager.handleKey(Qt::Key_Up));
        QVERIFY(!pager.handleKey(Qt::Key_Space));
    }

    // One card is "card", more are "cards". (Unknown spreads' names and icons: the starred
    // readings below and the history's rows.)
    void theMenuCountsCards()
    {
        QStringList counts;
        for (const SpreadMenuItem &item : SpreadMenu::items())
            counts.append(item.cardCountText());
        QCOMPARE(counts,
                 (QStringList{QStringLiteral("1 card"), QStringLiteral("3 cards"), QStringLiteral("10 cards")}));
    }

    // The menu lists the three newest starred readings and follows the store as readings are
    // starred, unstarred and added.
    void theMenuShowsTheThreeNewestStarredReadings()
    {
        TempStore store;
        auto context = store.open();
        for (int day = 0; day < 5; ++day)
            addReading(*context, QStringLiteral("three_card"), monday.addDays(day), true);
        Reading *plain = addReading(*context, QStringLiteral("celtic_cross"), monday.addDays(10), false);
        addReading(*context, QStringLiteral("tarot_wheel"), monday.addDays(-3), true);
        StarredReadings starred;
        starred.setModelContext(context.get());
        QCOMPARE(
            rowNames(starred, StarredReadings::DateTextRole),
            (QStringList{QStringLiteral("Jan 9, 2026"), QStringLiteral("Jan 8, 2026"), QStringLiteral("Jan 7, 2026")}));

        plain->setIsFavorite(true);
        QCoreApplication::processEvents(); // the context reports changes once per event-loop turn
        QCOMPARE(rowNames(starred, StarredReadings::DateTextRole).first(), QStringLiteral("Jan 15, 2026"));
        QCOMPARE(rowNames(starred, StarredReadings::SpreadNameRole),
                 (QStringList{QStringLiteral("Celtic Cross"), QStringLiteral("Past, Present, Future"),
                              QStringLiteral("Past, Present, Future")}));
        QCOMPARE(rowNames(starred, StarredReadings::IconNameRole).first(),
                 QStringLiteral("plus.rectangle.on.rectangle"));

        // Unstarring all but the oldest brings the unknown spread in, under its own text.
        for (Reading *reading : starred.readings())
            reading->setIsFavorite(false);
        QCoreApplication::processEvents();
        for (Reading *reading : starred.readings())
            reading->setIsFavorite(false);
        QCoreApplication::processEvents();
        QCOMPARE(starred.count(), 1);
        QCOMPARE(rowNames(starred, StarredReadings::SpreadNameRole), QStringList{QStringLiteral("tarot_wheel")});
        QCOMPARE(rowNames(starred, StarredReadings::IconNameRole), QStringList{QStringLiteral("rectangle.portrait")});
    }

    // The star flips and is saved at once; a refused save keeps it in memory for the next one.
    void theStarIsSavedAtOnce()
    {
        TempStore store;
        auto context = store.open();
        Reading *reading = addReading(*context, QStringLiteral("three_card"), monday, false);
        QVERIFY(context->save());
        FavoriteToggle toggle;
        toggle.setReading(reading);
        QCOMPARE(toggle.symbolName(), QStringLiteral("star"));
        toggle.toggle();
        QCOMPARE(toggle.symbolName(), QStringLiteral("star.fill"));
        QVERIFY(!context->hasChanges());
        QVERIFY(store.open()->fetch<Reading>().first()->isFavorite());

        QVERIFY(OtherConnection(store.path())
                    .exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Reading "
                                         "BEGIN SELECT RAISE(ABORT, 'read-only disk'); END")));
        LogCapture log;
        toggle.toggle();
        QVERIFY(!reading->isFavorite());
        QVERIFY(context->hasChanges());
        QCOMPARE(log.lines(),
                 QStringList{QStringLiteral("com.quillmoor.tarot.SwiftData: SwiftData save error: read-only disk")});
    }

    // Only the three-card and Celtic Cross spreads have a narrative, and only with all their
    // cards.
    void theSummaryFollowsTheSpreadType_data()
    {
        QTest::addColumn<QString>("spreadType");
        QTest::addColumn<int>("cards");
        QTest::addColumn<int>("paragraphs");
        QTest::newRow("three cards") << "three_card" << 3 << 5;
        QTest::newRow("ten cards") << "celtic_cross" << 10 << 5;
        QTest::newRow("a card missing") << "celtic_cross" << 9 << 0;
        QTest::newRow("yes or no") << "yes_no" << 1 << 0;
        QTest::newRow("single card") << "single_card" << 1 << 0;
        QTest::newRow("three cards under an unknown spread") << "Three_Card" << 3 << 0;
    }
    void theSummaryFollowsTheSpreadType()
    {
        QFETCH(QString, spreadType);
        QFETCH(int, cards);
        QFETCH(int, paragraphs);
        const SpreadDefinition &spread = cards >= 9 ? SpreadDefinition::celticCross() : SpreadDefinition::threeCard();
        PositionedCardList list;
        list.setCards(cardsFor(spread).first(cards));
        ReadingSummary summary;
        summary.setCards(&list);
        summary.setSpreadType(spreadType);
        QCOMPARE(summary.paragraphs().size(), paragraphs);
    }

    // A row shows its card's text for the position it lies in and the way up it lies (the
    // choice between position and general texts is TarotCard's, tst_catalogue_cards), and is
    // named with its orientation.
    void rowsShowTheMeaningOfTheirPositionAndOrientation()
    {
        TarotCard cups;
        cups.id = QStringLiteral("cups_03");
        cups.name = QStringLiteral("Three of Cups");
        cups.uprightMeaning = QStringLiteral("Friends gather.");
        cups.positionMeanings.insert(QStringLiteral("past"),
                                     {QStringLiteral("Old friends."), QStringLiteral("Old rifts.")});
        const SpreadDefinition &spread = SpreadDefinition::threeCard();
        PositionedCardList list;
        list.setCards({{cups, spread.positions.at(0), true}, {cups, spread.positions.at(1), false}});
        const auto role = [&list](int row, int role) { return list.data(list.index(row), role).toString(); };
        QCOMPARE(role(0, PositionedCardList::MeaningRole), QStringLiteral("Old rifts."));
        QCOMPARE(role(1, PositionedCardList::MeaningRole), QStringLiteral("Friends gather."));
        // Read position first: "Past: Three of Cups, reversed"; a position without a name
        // leaves the card alone.
        QCOMPARE(role(0, PositionedCardList::AccessibleNameRole), QStringLiteral("Past: Three of Cups, reversed"));
        QCOMPARE(role(1, PositionedCardList::AccessibleNameRole), QStringLiteral("Present: Three of Cups"));
        list.setCards({{cups, SpreadPosition(), false}});
        QCOMPARE(role(0, PositionedCardList::AccessibleNameRole), QStringLiteral("Three of Cups"));
    }
};

QTEST_MAIN(ReadingsRulesTest)
#include "tst_readings_rules.moc"
