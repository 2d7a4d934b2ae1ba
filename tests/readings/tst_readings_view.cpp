// Drives the real Readings section in the main window over a temporary store: both spreads
// from the menu to their results, the card sequence, the star and the menu's shortcuts.
#include "ModelContext.h"
#include "PositionedCardList.h"
#include "Reading.h"
#include "ReadingFlowModel.h"
#include "ReadingsViewSupport.h"
#include "Scheduler.h"

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
    return textOf(findItem(modelOf<QQuickItem>(app.find("sequencePages"), "currentItem"), name));
}

} // namespace

class ReadingsViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void aThreeCardReadingFromTheMenuToTheStarredShortcut()
    {
        ManualScheduler scheduler;
        ReadingsApp app;
        QVERIFY(!app.shows("savedReadingsPanel"));
        QVERIFY(app.shows("readingHistoryEntry"));
        saveScreenshot(app.window, "readings-menu");

        // The other entries open their screens; Escape and Alt+Left come back.
        app.go("spreadEntry_yes_no");
        QCOMPARE(app.text("navigationTitle"), "Yes or No");
        app.press(Qt::Key_Escape);
        app.go("readingHistoryEntry");
        QCOMPARE(app.text("navigationTitle"), "Reading History");
        app.press(Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(app.text("navigationTitle"), "Readings");

        app.go("spreadEntry_three_card");
        auto *flow = modelOf<ReadingFlowModel>(app.find("threeCardReadingView"), "model");
        QVERIFY(flow);
        flow->setScheduler(scheduler);
        QCOMPARE(app.text("navigationTitle"), "Past, Present, Future");
        QVERIFY(!app.shows("favoriteToggleButton"));
        saveScreenshot(app.window, "three-card-intro");

        // The keyboard begins the reading.
        QTest::keyClick(app.window, Qt::Key_Tab);
        QCOMPARE(focusedName(app.window), "beginReadingButton");
        QTest::keyClick(app.window, Qt::Key_Space);
        QCOMPARE(flow->phase(), ReadingFlowModel::Shuffling);
        QVERIFY(app.shows("readingShuffle"));
        scheduler.advance(700);
        app.animation.advanceBy(150);
        QVERIFY(!app.shows("favoriteToggleButton"));
        saveScreenshot(app.window, "three-card-shuffling");

        scheduler.advance(900);
        app.animation.advanceBy(400);
        QCOMPARE(flow->phase(), ReadingFlowModel::Results);
        QQuickItem *results = app.find("threeCardResults");
        QVERIFY(shown(results));
        // The meaning rows follow the first frame of the results.
        QTRY_VERIFY(results->property("firstFrameShown").toBool());
        QVERIFY(app.shows("favoriteToggleButton"));
        saveScreenshot(app.window, "three-card-results");
        QCOMPARE(visibleCount(results, "arrowConnector"), 2);
        QCOMPARE(visibleCount(results, "summaryParagraph"), 5);
        int reversed = 0;
        for (const PositionedCard &card : flow->drawnCards()->cards())
            reversed += card.isReversed ? 1 : 0;
        QCOMPARE(visibleCount(results, "reversedBadge"), reversed);
        const PositionedCard present = flow->drawnCards()->at(1);
        QCOMPARE(accessibleName(app.find("resultCard1")),
                 "Present: " + present.card.name + (present.isReversed ? ", reversed" : ""));

        // A card opens the sequence at itself; the arrow keys page and stop at the ends.
        app.go("resultCard1");
        QVERIFY(app.shows("cardSequenceView"));
        QCOMPARE(app.text("navigationTitle"), "Present");
        QCOMPARE(app.text("cardCounter"), "Card 2 of 3");
        QCOMPARE(pageText(app, "sequenceCardName"), present.card.name);
        QCOMPARE(pageText(app, "sequenceMeaningTitle"), present.isReversed ? "Reversed Meaning" : "Upright Meaning");
        QCOMPARE(pageText(app, "sequenceMeaning"), PositionedCardList::meaning(present));
        QTest::keyClick(app.window, Qt::Key_Right);
        app.animation.advanceBy(300);
        QCOMPARE(app.text("cardCounter"), "Card 3 of 3");
        QCOMPARE(app.text("navigationTitle"), "Future");
        QCOMPARE(pageText(app, "sequenceCardName"), flow->drawnCards()->at(2).card.name);
        QVERIFY(!app.find("nextCardButton")->isEnabled());
        saveScreenshot(app.window, "card-sequence");
        QTest::keyClick(app.window, Qt::Key_Right);
        QCOMPARE(app.text("cardCounter"), "Card 3 of 3");
        click(app.window, app.find("previousCardButton"));
        QTest::keyClick(app.window, Qt::Key_Left);
        QTest::keyClick(app.window, Qt::Key_Left);
        app.animation.advanceBy(300);
        QCOMPARE(app.text("cardCounter"), "Card 1 of 3");
        QVERIFY(!app.find("previousCardButton")->isEnabled());
        // A sideways two-finger swipe pages too: three scrolls of 30 points to the left.
        for (int i = 0; i < 3; ++i)
            horizontalScroll(app.window, -30);
        app.animation.advanceBy(300);
        QCOMPARE(app.text("cardCounter"), "Card 2 of 3");

        // Back on the results no card is selected, and the same card opens again.
        app.press(Qt::Key_Escape);
        QVERIFY(!app.shows("cardSequenceView"));
        QCOMPARE(flow->selectedCardIndex(), -1);
        app.go("resultCard1");
        QCOMPARE(app.text("cardCounter"), "Card 2 of 3");
        app.press(Qt::Key_Left, Qt::AltModifier);

        // "Skip to Summary" brings the narrative up.
        click(app.window, app.find("skipToSummaryButton"));
        app.animation.advanceBy(400);
        QVERIFY(results->property("contentY").toDouble() > 300);
        saveScreenshot(app.window, "three-card-summary");

        // The star stores the favourite at once; the menu lists it, the one reading stored.
        click(app.window, app.find("favoriteToggleButton"));
        QVERIFY(flow->savedReading()->isFavorite());
        app.animation.advanceBy(300);
        QCOMPARE(app.find("favoriteSymbol")->property("name").toString(), "star.fill");
        QVERIFY(!app.state.context()->hasChanges());
        app.press(Qt::Key_Escape);
        QTRY_VERIFY(app.shows("savedReadingsPanel"));
        QCOMPARE(app.text("savedReadingName"), "Past, Present, Future");
        saveScreenshot(app.window, "readings-menu-starred");
        QCOMPARE(app.state.context()->fetch<Reading>().size(), 1);
    }

    // Without a mouse: a Celtic Cross from the menu, a card of it and back, then the history
    // and the stored reading. Each screen takes the focus as it opens and each phase is named
    // on the screen that holds it, which is what a screen reader reads.
    void aCelticCrossAndTheHistoryByKeyboardOnly()
    {
        ManualScheduler scheduler;
        ReadingsApp app({1000, 700}, true);
        const auto focusedIn = [&app](const QString &name) {
            for (QQuickItem *item = app.window->activeFocusItem(); item; item = item->parentItem())
                if (item->objectName() == name)
                    return true;
            return false;
        };
        QVERIFY(tabTo(app.window, QStringLiteral("spreadEntry_celtic_cross")));
        app.press(Qt::Key_Space);
        QCOMPARE(app.text("navigationTitle"), "Celtic Cross");
        QVERIFY(focusedIn(QStringLiteral("celticCrossReadingView")));
        QQuickItem *screen = app.find("celticCrossReadingView");
        auto *flow = modelOf<ReadingFlowModel>(screen, "model");
        flow->setScheduler(scheduler);
        QCOMPARE(accessibleName(screen), "Celtic Cross");

        QVERIFY(tabTo(app.window, QStringLiteral("beginReadingButton")));
        app.press(Qt::Key_Return);
        QCOMPARE(accessibleName(screen), "Shuffling the cards…");
        QCOMPARE(app.window->activeFocusItem(), screen);
        scheduler.advance(1600);
        app.settle();
        QCOMPARE(flow->phase(), ReadingFlowModel::Results);
        QCOMPARE(accessibleName(screen), "Celtic Cross: your 10 cards are laid out.");
        QCOMPARE(app.window->activeFocusItem(), screen);

        QVERIFY(tabTo(app.window, QStringLiteral("crossCard1")));
        const PositionedCard challenge = flow->drawnCards()->at(1);
        QCOMPARE(accessibleName(app.find("crossCard1")),
                 "The Challenge: " + challenge.card.name + (challenge.isReversed ? ", reversed" : ""));
        app.press(Qt::Key_Return);
        QCOMPARE(app.text("navigationTitle"), "The Challenge");
        app.press(Qt::Key_Escape);
        QCOMPARE(app.text("navigationTitle"), "Celtic Cross");
        QCOMPARE(focusedName(app.window), QStringLiteral("crossCard1"));
        app.press(Qt::Key_Escape);
        QCOMPARE(app.text("navigationTitle"), "Readings");

        QVERIFY(tabTo(app.window, QStringLiteral("readingHistoryEntry")));
        app.press(Qt::Key_Space);
        QCOMPARE(app.text("navigationTitle"), "Reading History");
        QVERIFY(focusedIn(QStringLiteral("historyList")));
        app.press(Qt::Key_Return);
        QVERIFY(app.text("navigationTitle").startsWith(QStringLiteral("Celtic Cross, ")));
        QVERIFY(focusedIn(QStringLiteral("readingDetailView")));
        app.press(Qt::Key_Escape);
        QCOMPARE(app.text("navigationTitle"), "Reading History");
        app.press(Qt::Key_Escape);
        QCOMPARE(app.text("navigationTitle"), "Readings");
        QCOMPARE(app.state.context()->fetch<Reading>().size(), 1);
    }

    void aCelticCrossReadingLaysOutTheCrossAndStarsIt()
    {
        ManualScheduler scheduler;
        ReadingsApp app({1000, 700});
        app.go("spreadEntry_celtic_cross");
        auto *flow = modelOf<ReadingFlowModel>(app.find("celticCrossReadingView"), "model");
        QVERIFY(flow);
        flow->setScheduler(scheduler);
        QCOMPARE(app.text("navigationTitle"), "Celtic Cross");
        saveScreenshot(app.window, "celtic-cross-intro");

        click(app.window, app.find("beginReadingButton"));
        scheduler.advance(700);
        app.animation.advanceBy(150);
        saveScreenshot(app.window, "celtic-cross-shuffling");
        scheduler.advance(900);
        app.animation.advanceBy(400);
        QCOMPARE(flow->phase(), ReadingFlowModel::Results);
        QQuickItem *results = app.find("celticCrossResults");
        QTRY_VERIFY(results->property("firstFrameShown").toBool());
        saveScreenshot(app.window, "celtic-cross-results-1000x700");
        // Wide enough for the cross to keep its gaps (the layout's own test covers 430 and up).
        const double drawingWidth = app.find("celticCrossLayout")->width();
        QVERIFY2(drawingWidth >= 430, qPrintable(QString::number(drawingWidth)));
        QCOMPARE(visibleCount(results, "rowPositionDescription"), 10);
        QCOMPARE(visibleCount(results, "arrowConnector"), 0);
        QCOMPARE(visibleCount(results, "summaryParagraph"), 5);

        // The crossing card lies over the centre card: its own click opens it, a click on the
        // uncovered top of the centre card opens the centre card.
        QQuickItem *centre = app.find("crossCard0");
        QQuickItem *crossing = app.find("crossCard1");
        QCOMPARE(crossing->mapToScene(QPointF(crossing->width() / 2, crossing->height() / 2)),
                 centre->mapToScene(QPointF(centre->width() / 2, centre->height() / 2)));
        app.go("crossCard1");
        QCOMPARE(app.text("navigationTitle"), "The Challenge");
        QCOMPARE(app.text("cardCounter"), "Card 2 of 10");
        app.press(Qt::Key_Escape);
        click(app.window, centre, QPointF(centre->width() / 2, 8));
        app.settle();
        QCOMPARE(app.text("navigationTitle"), "The Present");
        app.press(Qt::Key_Escape);

        app.window->resize(1400, 900);
        QTRY_COMPARE(results->width(), app.find("celticCrossReadingView")->width());
        app.animation.advanceBy(100);
        saveScreenshot(app.window, "celtic-cross-results-1400x900");
        click(app.window, app.find("skipToSummaryButton"));
        app.animation.advanceBy(400);
        saveScreenshot(app.window, "celtic-cross-summary");

        // Starred, it is listed in the menu and stored, and the shortcut opens it.
        click(app.window, app.find("favoriteToggleButton"));
        Reading *saved = flow->savedReading();
        app.press(Qt::Key_Escape);
        QTRY_VERIFY(app.shows("savedReadingsPanel"));
        QCOMPARE(app.text("savedReadingName"), "Celtic Cross");
        QCOMPARE(app.state.context()->fetch<Reading>(), QList<Reading *>{saved});
        QVERIFY(!app.state.context()->hasChanges());
        app.go("savedReadingRow0");
        QVERIFY(app.shows("readingDetailView"));
        QCOMPARE(app.find("readingDetailView")->property("reading").value<Reading *>(), saved);
    }
};

QTEST_MAIN(ReadingsViewTest)
#include "tst_readings_view.moc"
