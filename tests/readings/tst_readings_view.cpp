// Drives the real Readings section in the main window over a temporary store: both spreads
// from the menu to their results, the card sequence, the star and the menu's shortcuts.
#include "DrawnCard.h"
#include "ModelContext.h"
#include "PositionedCardList.h"
#include "Reading.h"
#include "ReadingFlowModel.h"
#include "ReadingsViewSupport.h"
#include "Scheduler.h"
#include "SpreadDefinition.h"

#include <QAccessible>

namespace {

// One scroll event of a touchpad, as a two-finger gesture sends them.
void horizontalScroll(QQuickWindow *window, int dx)
{
    const QPointF at(window->width() * 0.7, window->height() / 2.0);
    QWheelEvent event(at, window->mapToGlobal(at), QPoint(dx, 0), QPoint(dx * 4, 0), Qt::NoButton, Qt::NoModifier,
                      Qt::ScrollUpdate, false);
    QGuiApplication::sendEvent(window, &event);
}

// What a screen reader announces for an item.
QString accessibleName(QQuickItem *item)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(item);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// A text on the page the card sequence shows now.
QString pageText(const AppUnderTest &app, const QString &name)
{
    auto *page = app.find(QStringLiteral("sequencePages"))->property("currentItem").value<QQuickItem *>();
    QQuickItem *item = findItem(page, name);
    return item ? item->property("text").toString() : QString();
}

ReadingFlowModel *flowOf(const AppUnderTest &app, const QString &view)
{
    QQuickItem *item = app.find(view);
    return item ? item->property("model").value<ReadingFlowModel *>() : nullptr;
}

QStringList positionIds(const Reading *reading)
{
    QStringList ids;
    for (const DrawnCard *card : reading->drawnCards())
        ids.append(card->positionId());
    return ids;
}

QStringList positionIds(const SpreadDefinition &spread)
{
    QStringList ids;
    for (const SpreadPosition &position : spread.positions)
        ids.append(position.id);
    return ids;
}

} // namespace

class ReadingsViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void aThreeCardReadingFromTheMenuToTheStarredShortcut()
    {
        QTemporaryDir dir;
        ManualScheduler scheduler;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        ManualAnimationDriver animation;
        openReadings(app, animation);
        QVERIFY(!shown(app, QStringLiteral("savedReadingsPanel")));
        QVERIFY(shown(app, QStringLiteral("readingHistoryEntry")));
        saveScreenshot(app.window, QStringLiteral("readings-menu"));

        // The other entries open their screens; Escape and Alt+Left come back.
        click(app.window, app.find(QStringLiteral("spreadEntry_yes_no")));
        settle(app, animation);
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("Yes or No"));
        QTest::keyClick(app.window, Qt::Key_Escape);
        settle(app, animation);
        click(app.window, app.find(QStringLiteral("readingHistoryEntry")));
        settle(app, animation);
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("Reading History"));
        QTest::keyClick(app.window, Qt::Key_Left, Qt::AltModifier);
        settle(app, animation);
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("Readings"));

        click(app.window, app.find(QStringLiteral("spreadEntry_three_card")));
        settle(app, animation);
        ReadingFlowModel *flow = flowOf(app, QStringLiteral("threeCardReadingView"));
        QVERIFY(flow);
        flow->setScheduler(scheduler);
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("Past, Present, Future"));
        QVERIFY(!shown(app, QStringLiteral("favoriteToggleButton")));
        saveScreenshot(app.window, QStringLiteral("three-card-intro"));

        // The keyboard begins the reading.
        QTest::keyClick(app.window, Qt::Key_Tab);
        QCOMPARE(app.window->activeFocusItem()->objectName(), QStringLiteral("beginReadingButton"));
        QTest::keyClick(app.window, Qt::Key_Space);
        QCOMPARE(flow->phase(), ReadingFlowModel::Shuffling);
        QVERIFY(shown(app, QStringLiteral("readingShuffle")));
        scheduler.advance(700);
        animation.advanceBy(150);
        QVERIFY(!shown(app, QStringLiteral("favoriteToggleButton")));
        saveScreenshot(app.window, QStringLiteral("three-card-shuffling"));

        scheduler.advance(900);
        animation.advanceBy(400);
        QCOMPARE(flow->phase(), ReadingFlowModel::Results);
        QVERIFY(shown(app, QStringLiteral("threeCardResults")));
        // The meaning rows follow the first frame of the results.
        QTRY_VERIFY(app.find(QStringLiteral("threeCardResults"))->property("firstFrameShown").toBool());
        QVERIFY(shown(app, QStringLiteral("favoriteToggleButton")));
        saveScreenshot(app.window, QStringLiteral("three-card-results"));
        QQuickItem *results = app.find(QStringLiteral("threeCardResults"));
        QCOMPARE(visibleCount(results, QStringLiteral("arrowConnector")), 2);
        QCOMPARE(visibleCount(results, QStringLiteral("summaryParagraph")), 5);
        int reversed = 0;
        for (const PositionedCard &card : flow->drawnCards()->cards())
            reversed += card.isReversed ? 1 : 0;
        QCOMPARE(visibleCount(results, QStringLiteral("reversedBadge")), reversed);
        const PositionedCard present = flow->drawnCards()->at(1);
        QCOMPARE(accessibleName(app.find(QStringLiteral("resultCard1"))),
                 QStringLiteral("Present: ") + present.card.name +
                     (present.isReversed ? QStringLiteral(", reversed") : QString()));

        // A card opens the sequence at itself; the arrow keys page and stop at the ends.
        click(app.window, app.find(QStringLiteral("resultCard1")));
        settle(app, animation);
        QVERIFY(shown(app, QStringLiteral("cardSequenceView")));
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("Present"));
        QCOMPARE(text(app, QStringLiteral("cardCounter")), QStringLiteral("Card 2 of 3"));
        QCOMPARE(pageText(app, QStringLiteral("sequenceCardName")), present.card.name);
        QCOMPARE(pageText(app, QStringLiteral("sequenceMeaningTitle")),
                 present.isReversed ? QStringLiteral("Reversed Meaning") : QStringLiteral("Upright Meaning"));
        QCOMPARE(pageText(app, QStringLiteral("sequenceMeaning")), PositionedCardList::meaning(present));
        QTest::keyClick(app.window, Qt::Key_Right);
        animation.advanceBy(300);
        QCOMPARE(text(app, QStringLiteral("cardCounter")), QStringLiteral("Card 3 of 3"));
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("Future"));
        QCOMPARE(pageText(app, QStringLiteral("sequenceCardName")), flow->drawnCards()->at(2).card.name);
        QVERIFY(!app.find(QStringLiteral("nextCardButton"))->isEnabled());
        saveScreenshot(app.window, QStringLiteral("card-sequence"));
        QTest::keyClick(app.window, Qt::Key_Right);
        QCOMPARE(text(app, QStringLiteral("cardCounter")), QStringLiteral("Card 3 of 3"));
        click(app.window, app.find(QStringLiteral("previousCardButton")));
        QTest::keyClick(app.window, Qt::Key_Left);
        QTest::keyClick(app.window, Qt::Key_Left);
        animation.advanceBy(300);
        QCOMPARE(text(app, QStringLiteral("cardCounter")), QStringLiteral("Card 1 of 3"));
        QVERIFY(!app.find(QStringLiteral("previousCardButton"))->isEnabled());
        // A sideways two-finger swipe pages too: three scrolls of 30 points to the left.
        for (int i = 0; i < 3; ++i)
            horizontalScroll(app.window, -30);
        animation.advanceBy(300);
        QCOMPARE(text(app, QStringLiteral("cardCounter")), QStringLiteral("Card 2 of 3"));

        // Back on the results no card is selected, and the same card opens again.
        QTest::keyClick(app.window, Qt::Key_Escape);
        settle(app, animation);
        QVERIFY(!shown(app, QStringLiteral("cardSequenceView")));
        QCOMPARE(flow->selectedCardIndex(), -1);
        click(app.window, app.find(QStringLiteral("resultCard1")));
        settle(app, animation);
        QCOMPARE(text(app, QStringLiteral("cardCounter")), QStringLiteral("Card 2 of 3"));
        QTest::keyClick(app.window, Qt::Key_Left, Qt::AltModifier);
        settle(app, animation);

        // "Skip to Summary" brings the narrative up.
        auto *scroll = qobject_cast<QQuickItem *>(results);
        click(app.window, app.find(QStringLiteral("skipToSummaryButton")));
        animation.advanceBy(400);
        QVERIFY(scroll->property("contentY").toDouble() > 300);
        saveScreenshot(app.window, QStringLiteral("three-card-summary"));

        // The star stores the favourite at once; the menu lists it.
        click(app.window, app.find(QStringLiteral("favoriteToggleButton")));
        QVERIFY(flow->savedReading()->isFavorite());
        animation.advanceBy(300);
        QCOMPARE(app.find(QStringLiteral("favoriteSymbol"))->property("name").toString(), QStringLiteral("star.fill"));
        QVERIFY(!app.state.context()->hasChanges());
        QTest::keyClick(app.window, Qt::Key_Escape);
        settle(app, animation);
        QTRY_VERIFY(shown(app, QStringLiteral("savedReadingsPanel")));
        QCOMPARE(text(app, QStringLiteral("savedReadingName")), QStringLiteral("Past, Present, Future"));
        saveScreenshot(app.window, QStringLiteral("readings-menu-starred"));

        const QList<Reading *> readings = app.state.context()->fetch<Reading>();
        QCOMPARE(readings.size(), 1);
        QCOMPARE(readings.first()->spreadType(), QStringLiteral("three_card"));
        QVERIFY(readings.first()->isFavorite());
        QCOMPARE(positionIds(readings.first()), positionIds(SpreadDefinition::threeCard()));
    }

    void aCelticCrossReadingLaysOutTheCrossAndStarsIt()
    {
        QTemporaryDir dir;
        ManualScheduler scheduler;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        app.window->resize(1000, 700);
        ManualAnimationDriver animation;
        openReadings(app, animation);

        click(app.window, app.find(QStringLiteral("spreadEntry_celtic_cross")));
        settle(app, animation);
        ReadingFlowModel *flow = flowOf(app, QStringLiteral("celticCrossReadingView"));
        QVERIFY(flow);
        flow->setScheduler(scheduler);
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("Celtic Cross"));
        saveScreenshot(app.window, QStringLiteral("celtic-cross-intro"));

        click(app.window, app.find(QStringLiteral("beginReadingButton")));
        scheduler.advance(700);
        animation.advanceBy(150);
        saveScreenshot(app.window, QStringLiteral("celtic-cross-shuffling"));
        scheduler.advance(900);
        animation.advanceBy(400);
        QCOMPARE(flow->phase(), ReadingFlowModel::Results);
        QQuickItem *results = app.find(QStringLiteral("celticCrossResults"));
        QTRY_VERIFY(results->property("firstFrameShown").toBool());
        saveScreenshot(app.window, QStringLiteral("celtic-cross-results-1000x700"));
        QCOMPARE(visibleCount(results, QStringLiteral("rowPositionDescription")), 10);
        QCOMPARE(visibleCount(results, QStringLiteral("arrowConnector")), 0);
        QCOMPARE(visibleCount(results, QStringLiteral("summaryParagraph")), 5);

        // The crossing card lies over the centre card: its own click opens it, a click on the
        // uncovered top of the centre card opens the centre card.
        QQuickItem *centre = app.find(QStringLiteral("crossCard0"));
        QQuickItem *crossing = app.find(QStringLiteral("crossCard1"));
        QCOMPARE(crossing->mapToScene(QPointF(crossing->width() / 2, crossing->height() / 2)),
                 centre->mapToScene(QPointF(centre->width() / 2, centre->height() / 2)));
        click(app.window, crossing);
        settle(app, animation);
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("The Challenge"));
        QCOMPARE(text(app, QStringLiteral("cardCounter")), QStringLiteral("Card 2 of 10"));
        QTest::keyClick(app.window, Qt::Key_Escape);
        settle(app, animation);
        click(app.window, centre, QPointF(centre->width() / 2, 8));
        settle(app, animation);
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("The Present"));
        QTest::keyClick(app.window, Qt::Key_Escape);
        settle(app, animation);

        app.window->resize(1400, 900);
        QTRY_COMPARE(results->width(), app.find(QStringLiteral("celticCrossReadingView"))->width());
        animation.advanceBy(100);
        saveScreenshot(app.window, QStringLiteral("celtic-cross-results-1400x900"));
        click(app.window, app.find(QStringLiteral("skipToSummaryButton")));
        animation.advanceBy(400);
        saveScreenshot(app.window, QStringLiteral("celtic-cross-summary"));

        click(app.window, app.find(QStringLiteral("favoriteToggleButton")));
        QTest::keyClick(app.window, Qt::Key_Escape);

        settle(app, animation);
        QTRY_VERIFY(shown(app, QStringLiteral("savedReadingsPanel")));
        QCOMPARE(text(app, QStringLiteral("savedReadingName")), QStringLiteral("Celtic Cross"));

        const QList<Reading *> readings = app.state.context()->fetch<Reading>();
        QCOMPARE(readings.size(), 1);
        QCOMPARE(readings.first()->spreadType(), QStringLiteral("celtic_cross"));
        QVERIFY(readings.first()->isFavorite());
        QCOMPARE(positionIds(readings.first()), positionIds(SpreadDefinition::celticCross()));
        QVERIFY(!app.state.context()->hasChanges());

        // The shortcut opens its reading.
        click(app.window, app.find(QStringLiteral("savedReadingRow0")));
        settle(app, animation);
        QVERIFY(shown(app, QStringLiteral("readingDetailView")));
        QCOMPARE(app.find(QStringLiteral("readingDetailView"))->property("reading").value<Reading *>(),
                 readings.first());
    }
};

QTEST_MAIN(ReadingsViewTest)
#include "tst_readings_view.moc"
