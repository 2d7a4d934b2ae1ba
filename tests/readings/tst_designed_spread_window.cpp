// A spread of one's own design in the real window, by keyboard alone: made with five positions,
// a card moved and turned on the layout, a change undone, a missing name refused, then drawn,
// starred, found in the history, the spread deleted and the reading opened again whole.
#include "CustomSpread.h"
#include "DesignedSpreadList.h"
#include "PositionedCardList.h"
#include "Reading.h"
#include "ReadingFlowModel.h"
#include "ReadingHistoryModel.h"
#include "ReadingsViewSupport.h"
#include "Scheduler.h"
#include "SpreadEditorModel.h"
#include "WindowActions.h"

#include <QAccessible>

namespace {

// What a screen reader announces for an item.
QString accessibleName(QQuickItem *item)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(item);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

// The rectangles of the items called `prefix` 0 to count - 1, in the window's coordinates.
QList<QRectF> rectsOf(ReadingsApp &app, const QString &prefix, int count)
{
    QList<QRectF> rects;
    for (int i = 0; i < count; ++i) {
        QQuickItem *item = app.find(prefix + QString::number(i));
        if (!item)
            return {};
        rects.append(item->mapRectToScene(QRectF(0, 0, item->width(), item->height())));
    }
    return rects;
}

} // namespace

class DesignedSpreadWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void aFiveCardSpreadIsDesignedDrawnAndOutlived_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1000x700") << QSize(1000, 700);
        QTest::newRow("1600x1000") << QSize(1600, 1000);
    }

    void aFiveCardSpreadIsDesignedDrawnAndOutlived()
    {
        QFETCH(QSize, size);
        const QString suffix = QString::fromLatin1(QTest::currentDataTag());
        ManualScheduler scheduler;
        ReadingsApp app(size, true);
        QVERIFY(tabTo(app.window, "newSpreadEntry"));
        app.press(Qt::Key_Return);
        QCOMPARE(app.text("navigationTitle"), "New Spread");
        auto *editor = modelOf<SpreadEditorModel>(app.find("spreadEditorView"), "editor");
        QVERIFY(editor);
        QCOMPARE(focusedName(app.window), "designNameField");
        typeText(app.window, "Horseshoe");
        // Going back with the work unsaved asks first; Escape keeps the editor open.
        app.press(Qt::Key_Escape);
        QVERIFY(app.shows("leaveEditorText"));
        QCOMPARE(app.text("navigationTitle"), "New Spread");
        app.press(Qt::Key_Escape);
        QVERIFY(!app.shows("leaveEditorText"));
        QCOMPARE(app.text("navigationTitle"), "New Spread");
        QVERIFY(tabTo(app.window, "designNameField"));

        const QStringList names{"Past", "Present", "Hidden", "Advice", "Outcome"};
        for (int i = 0; i < 5; ++i) {
            QVERIFY(tabTo(app.window, "designAdd", i > 0));
            app.press(Qt::Key_Space);
            QCOMPARE(focusedName(app.window), QStringLiteral("designPositionName%1Field").arg(i));
            if (i < 4)
                typeText(app.window, names.at(i));
        }
        QCOMPARE(editor->count(), 5);

        // Saving with the last position unnamed is refused, with the reason at its field.
        QVERIFY(tabTo(app.window, "designSave"));
        app.press(Qt::Key_Return);
        QCOMPARE(app.text("navigationTitle"), "New Spread");
        QCOMPARE(app.text("designPositionName4Problem"), "Give this position a name.");
        QVERIFY(tabTo(app.window, "designPositionName4Field", true));
        typeText(app.window, names.at(4));
        QVERIFY(!app.shows("designPositionName4Problem"));

        // On the layout: the middle card up two grid steps and one fine step right, the third
        // turned across, and the turn undone and redone.
        QVERIFY(tabTo(app.window, "designCard2", true));
        const QPointF start = editor->design().positions.at(2).layoutOffset;
        QTest::keyClick(app.window, Qt::Key_Up);
        QTest::keyClick(app.window, Qt::Key_Up);
        QTest::keyClick(app.window, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(editor->design().positions.at(2).layoutOffset, start + QPointF(5, -60));
        QVERIFY(tabTo(app.window, "designCard3"));
        QTest::keyClick(app.window, Qt::Key_R);
        QCOMPARE(editor->design().positions.at(3).layoutRotation, 90.0);
        QTest::keyClick(app.window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor->design().positions.at(3).layoutRotation, 0.0);
        QTest::keyClick(app.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(editor->design().positions.at(3).layoutRotation, 90.0);
        // Turned, it reaches its neighbours; five steps down it lies clear below them.
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(app.window, Qt::Key_Down);
        for (int i = 0; i < 5; ++i)
            for (int j = i + 1; j < 5; ++j)
                QVERIFY(!CustomSpread::overlap(editor->design().positions.at(i), editor->design().positions.at(j)));
        app.settle();
        saveScreenshot(app.window, "spread-editor-" + suffix);
        // The outlines lie inside the canvas.
        const QRectF canvas = [&] {
            QQuickItem *item = app.find("spreadDesignCanvas");
            return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
        }();
        for (const QRectF &outline : rectsOf(app, "designCard", 5))
            QVERIFY(canvas.contains(outline));

        QVERIFY(tabTo(app.window, "designSave"));
        app.press(Qt::Key_Return);
        QCOMPARE(app.text("navigationTitle"), "Readings");
        auto *designed = qobject_cast<DesignedSpreadList *>(
            app.find("readingMenuView")->property("designedSpreads").value<QObject *>());
        QVERIFY(designed);
        QCOMPARE(designed->count(), 1);
        QVERIFY(app.shows("designedSpread0Draw"));
        saveScreenshot(app.window, "readings-menu-designed-" + suffix);

        // Drawn like any spread.
        QVERIFY(tabTo(app.window, "designedSpread0Draw"));
        app.press(Qt::Key_Return);
        QCOMPARE(app.text("navigationTitle"), "Horseshoe");
        auto *flow = modelOf<ReadingFlowModel>(app.find("designedSpreadReadingView"), "model");
        QVERIFY(flow);
        flow->setScheduler(scheduler);
        QVERIFY(tabTo(app.window, "beginReadingButton"));
        QTest::keyClick(app.window, Qt::Key_Space);
        QCOMPARE(flow->phase(), ReadingFlowModel::Shuffling);
        scheduler.advance(1600);
        app.animation.advanceBy(400);
        QCOMPARE(flow->phase(), ReadingFlowModel::Results);
        QQuickItem *results = app.find("designedSpreadResults");
        QTRY_VERIFY(results->property("firstFrameShown").toBool());
        app.settle();
        saveScreenshot(app.window, "designed-spread-results-" + suffix);
        // Five cards as designed, inside the window, none on another (none was designed so).
        const QList<QRectF> cards = rectsOf(app, "designedCard", 5);
        QCOMPARE(cards.size(), 5);
        const QRectF window(0, 0, app.window->width(), app.window->height());
        for (int i = 0; i < 5; ++i) {
            QVERIFY2(window.contains(cards.at(i)), qPrintable(QString::number(i)));
            for (int j = i + 1; j < 5; ++j)
                QVERIFY(!cards.at(i).intersects(cards.at(j)));
        }
        QCOMPARE(accessibleName(app.find("designedCard2")),
                 "Hidden: " + flow->drawnCards()->at(2).card.name +
                     (flow->drawnCards()->at(2).isReversed ? ", reversed" : ""));
        QVERIFY(visibleCount(results, "summaryParagraph") >= 3);

        QVERIFY(tabTo(app.window, "favoriteToggleButton"));
        QTest::keyClick(app.window, Qt::Key_Space);
        QPointer<Reading> reading = flow->savedReading();
        QVERIFY(reading && reading->isFavorite());
        app.press(Qt::Key_Escape);
        QCOMPARE(app.text("navigationTitle"), "Readings");

        // In the history under its spread's name.
        QVERIFY(tabTo(app.window, "readingHistoryEntry"));
        app.press(Qt::Key_Return);
        auto *history = modelOf<ReadingHistoryModel>(app.find("readingHistoryView"), "history");
        QTRY_COMPARE(history->rowCount(), 1);
        QCOMPARE(history->data(history->index(0), ReadingHistoryModel::SpreadNameRole).toString(), "Horseshoe");
        app.press(Qt::Key_Escape);

        // Deleted after asking, the spread leaves the reading as it was.
        QVERIFY(tabTo(app.window, "designedSpread0Delete"));
        app.press(Qt::Key_Space);
        QVERIFY(app.shows("deleteSpreadQuestion"));
        QVERIFY(app.text("deleteSpreadQuestion")
                    .startsWith("Delete \u201cHorseshoe\u201d? One reading was made "
                                "with it."));
        saveScreenshot(app.window, "delete-spread-confirmation-" + suffix);
        QVERIFY(tabTo(app.window, "deleteSpreadConfirm"));
        app.press(Qt::Key_Space);
        QCOMPARE(designed->count(), 0);
        QVERIFY(!app.shows("designedSpread0Draw"));
        QVERIFY(!app.state.context()->hasChanges());

        QVERIFY(tabTo(app.window, "readingHistoryEntry"));
        app.press(Qt::Key_Return);
        history = modelOf<ReadingHistoryModel>(app.find("readingHistoryView"), "history");
        QTRY_COMPARE(history->rowCount(), 1);
        QVERIFY(tabTo(app.window, "historyRow0"));
        app.press(Qt::Key_Return);
        QVERIFY(app.text("navigationTitle").startsWith("Horseshoe, "));
        QVERIFY(app.shows("designedSpreadLayout"));
        QCOMPARE(visibleCount(app.find("readingDetailView"), "designedCard4"), 1);
        QCOMPARE(app.text("detailSpreadName"), "Horseshoe");
        QVERIFY(visibleCount(app.find("readingDetailView"), "summaryParagraph") >= 3);
        saveScreenshot(app.window, "designed-spread-detail-" + suffix);
    }
};

QTEST_MAIN(DesignedSpreadWindowTest)
#include "tst_designed_spread_window.moc"
