// The Library section in the real main window: searching, the grid at its three sizes, the
// detail pager with the arrow keys and swipes, and notes found again by the search.
#include "AppDriving.h"
#include "CardDataStore.h"
#include "CardDetailModel.h"
#include "CardDetailPagerModel.h"
#include "CardLibraryModel.h"
#include "CardSize.h"
#include "CardStyle.h"
#include "ManualAnimationDriver.h"
#include "ModelContext.h"
#include "UserCardNote.h"

#include <QWheelEvent>

namespace {

// Longer than the stack's push and pop (400 ms) and the pager's slide (250 ms), so each
// transition has ended.
constexpr int kPushMs = 600;
constexpr int kPageMs = 400;

// The main window with the Library section open, its animations on driven time.
struct LibraryApp : ScratchApp
{
    LibraryApp()
    {
        click(window, find("sectionRow3"));
        QTRY_COMPARE(text("navigationTitle"), "Card Library");
        QVERIFY(library());
        settle(kPushMs);
    }

    CardLibraryModel *library() const { return modelOf<CardLibraryModel>(find("cardLibraryView"), "library"); }
    // The detail screen on top of the pager's own stack (the old one may still be leaving).
    QQuickItem *detailScreen() const { return modelOf<QQuickItem>(find("cardDetailPages"), "currentItem"); }
    CardDetailModel *detail() const { return modelOf<CardDetailModel>(detailScreen(), "detail"); }
    QQuickItem *inDetail(const QString &name) const { return findItem(detailScreen(), name); }
    int pagerIndex() const
    {
        return modelOf<CardDetailPagerModel>(find("cardDetailPagerView"), "pager")->currentIndex();
    }

    void search(const QString &text)
    {
        QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(find("librarySearchField")->hasActiveFocus());
        QTest::keyClick(window, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window, Qt::Key_Backspace);
        typeText(window, text);
        QCOMPARE(library()->searchText(), text);
    }

    // Lets the stacks' transitions run to their end. Their time moves only with `animations`;
    // a slide starts with the window's next frame, which the event loop delivers, so time is
    // moved on frame by frame until both stacks are at rest.
    void settle(int ms)
    {
        animations.advanceBy(ms);
        const auto busy = [this] {
            return find("stackView")->property("busy").toBool() ||
                   (find("cardDetailPages") && find("cardDetailPages")->property("busy").toBool());
        };
        QTRY_VERIFY((animations.advanceBy(16), !busy()));
    }

    // Scrolls the grid to a card's cell and opens it.
    void openCell(const QString &cardId)
    {
        const int index = int(library()->cardIds().indexOf(cardId));
        QVERIFY(index >= 0);
        QMetaObject::invokeMethod(find("libraryGrid"), "positionViewAtIndex", Q_ARG(int, index),
                                  Q_ARG(int, 4 /* GridView.Contain */));
        QQuickItem *cell = nullptr;
        QTRY_VERIFY(shown(cell = find("libraryCell_" + cardId)));
        click(window, cell);
        settle(kPushMs);
    }
    void back()
    {
        click(window, find("backButton"));
        settle(kPushMs);
    }

    ManualAnimationDriver animations;
};

// A two-finger swipe on a touchpad, sent as three wheel events.
void swipe(QQuickWindow *window, double dx)
{
    const QPointF at(window->width() / 2.0, window->height() / 2.0);
    for (int i = 0; i < 3; ++i) {
        QWheelEvent event(at, window->mapToGlobal(at), QPoint(int(dx), 0), QPoint(int(dx * 4), 0), Qt::NoButton,
                          Qt::NoModifier, Qt::ScrollUpdate, false);
        QGuiApplication::sendEvent(window, &event);
    }
}

} // namespace

class LibraryWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    // Search, open a card, page with the arrow keys, write a note, go back, and find the card
    // again by a word of the note.
    void searchOpenPageWriteAndFindByNote()
    {
        LibraryApp app;
        app.search("INTUITION");
        const QStringList shown = app.library()->cardIds();
        QVERIFY(shown.size() >= 3 && shown.contains("major_02"));
        QCOMPARE(app.find("libraryGrid")->property("count").toInt(), shown.size());

        app.openCell(shown.at(1));
        const CardDataStore &cards = CardDataStore::shared();
        QCOMPARE(app.text("navigationTitle"), cards.cardByID(shown.at(1))->name);
        QCOMPARE(app.text("cardPosition"), QStringLiteral("2 of %1").arg(shown.size()));

        // The arrow keys page within the search result, and stop at its start.
        QTest::keyClick(app.window, Qt::Key_Right);
        app.settle(kPageMs);
        QCOMPARE(app.text("navigationTitle"), cards.cardByID(shown.at(2))->name);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(app.window, Qt::Key_Left);
        app.settle(kPageMs);
        QCOMPARE(app.text("navigationTitle"), cards.cardByID(shown.at(0))->name);
        QVERIFY(!app.find("previousCardButton")->isEnabled());
        QVERIFY(app.find("nextCardButton")->isEnabled());

        // Write a note; the arrow keys then move the cursor, not the card.
        auto *editorArea = app.inDetail("noteEditorArea");
        auto *scroller = app.inDetail("cardDetailScroller");
        scroller->setProperty("contentY", scroller->property("contentHeight").toDouble() - scroller->height());
        click(app.window, editorArea);
        QTRY_VERIFY(editorArea->hasActiveFocus());
        typeText(app.window, "amberlight at dusk");
        QTest::keyClick(app.window, Qt::Key_Left);
        QTest::keyClick(app.window, Qt::Key_Right);
        QTest::keyClick(app.window, Qt::Key_Right);
        app.settle(kPageMs);
        QCOMPARE(app.pagerIndex(), 0);
        ModelContext *context = app.state.context();
        const auto notes = context->fetch<UserCardNote>();
        QCOMPARE(notes.size(), 1);
        QCOMPARE(notes.first()->cardId(), shown.at(0));
        QCOMPARE(notes.first()->noteText(), "amberlight at dusk");
        QCOMPARE(textOf(editorArea), "amberlight at dusk");

        // Back in the library the search is as it was; a word of the note finds the card. The
        // detail screen went away, and with it the save it still owed was made.
        QPointer<CardDetailModel> detail = app.detail();
        app.back();
        QTRY_VERIFY(detail.isNull());
        QVERIFY(!context->hasChanges());
        QTRY_COMPARE(app.text("navigationTitle"), "Card Library");
        QCOMPARE(app.library()->cardIds(), shown);
        app.search("amberLight");
        QCOMPARE(app.library()->cardIds(), QStringList{shown.at(0)});
        QVERIFY(app.shows("libraryCell_" + shown.at(0)));
    }

    // At a small and a large window: the three card sizes, small cards in columns 120 to 160
    // wide, medium in 160 to 200, large in 240 to 280, all inside the grid's padding. Then the
    // detail of a "yes" card with a note, upright and reversed: the keyboard reaches the grid,
    // a swipe pages, and the first card cannot go back. In the small window a search without a
    // match last shows the notice and keeps the control row.
    void gridAndDetailAtEachSize_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("1000x700") << QSize(1000, 700);
        QTest::newRow("1400x900") << QSize(1400, 900);
    }
    void gridAndDetailAtEachSize()
    {
        QFETCH(QSize, window);
        const QString note = "Drew this on the morning of the move. Trust the open road, pack lightly.";
        const QString size = QStringLiteral("%1x%2").arg(window.width()).arg(window.height());
        LibraryApp app;
        app.state.context()->insert(new UserCardNote("major_00", note));
        QVERIFY(app.state.context()->save());
        app.window->resize(window);
        QTRY_COMPARE(app.window->contentItem()->size(), QSizeF(window));

        app.find("cardSizeSlider")->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(app.window, Qt::Key_Left);
        const QList<std::tuple<QString, int, double>> steps{
            {"small", CardSize::Small, 120}, {"medium", CardSize::Medium, 160}, {"large", CardSize::Large, 240}};
        auto *grid = app.find("libraryGrid");
        for (const auto &[name, cardSize, basis] : steps) {
            QCOMPARE(app.library()->cardSize(), cardSize);
            const double column = grid->property("cellWidth").toDouble() - 16;
            QVERIFY2(column >= basis && column <= basis + 40, qPrintable(QString::number(column)));
            QQuickItem *cell = nullptr;
            QTRY_VERIFY(shown(cell = app.find("libraryCell_major_00")));
            QQuickItem *face = findItem(cell, QStringLiteral("libraryCardFace"));
            QCOMPARE(face->width(), CardMetrics::forSize(CardSize::Size(cardSize)).width);
            // The first column starts at the padding or further in, and the last ends inside.
            QVERIFY(face->mapToItem(grid, QPointF(0, 0)).x() >= 16);
            const int columns = int((grid->width() - 32 + 16) / (column + 16));
            QVERIFY(columns * (column + 16) - 16 <= grid->width() - 32 + 0.5);
            saveScreenshot(app.window, "library-" + name + "-" + size);
            QTest::keyClick(app.window, Qt::Key_Right);
        }

        // Return opens the grid's current card, the first.
        grid->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(app.window, Qt::Key_Return);
        app.settle(kPushMs);
        QCOMPARE(app.text("navigationTitle"), "The Fool");
        QCOMPARE(app.text("cardPosition"), "1 of 78");
        QVERIFY(!app.find("previousCardButton")->isEnabled());
        QCOMPARE(textOf(app.inDetail("noteEditorArea")), note);
        QCOMPARE(textOf(app.inDetail("detailLine")), "0 \u2014 Major Arcana");
        QCOMPARE(textOf(app.inDetail("leaningChip")), "Yes");
        saveScreenshot(app.window, "library-detail-upright-" + size);

        click(app.window, app.inDetail("reversedButton"));
        QVERIFY(app.detail()->showReversed());
        QCOMPARE(textOf(app.inDetail("leaningChip")), "No");
        app.settle(kPageMs);
        saveScreenshot(app.window, "library-detail-reversed-" + size);

        // A left swipe shows the next card, upright again and with its own (empty) note.
        swipe(app.window, -30);
        app.settle(kPageMs);
        QCOMPARE(app.text("navigationTitle"), "The Magician");
        QVERIFY(!app.detail()->showReversed());
        QCOMPARE(textOf(app.inDetail("noteEditorArea")), "");
        if (window.width() > 1000)
            return;

        app.back();
        click(app.window, app.find("filterChipMajor"));
        QCOMPARE(app.library()->count(), 22);
        app.search("quartz");
        app.animations.advanceBy(300);
        QCOMPARE(app.library()->count(), 0);
        QVERIFY(app.shows("libraryEmptyNotice") && !app.shows("libraryGrid"));
        QVERIFY(app.shows("filterChips") && app.shows("cardSizeSlider"));
        saveScreenshot(app.window, "library-no-match");
        // Escape in the field clears the search.
        QTest::keyClick(app.window, Qt::Key_Escape);
        QCOMPARE(app.library()->count(), 22);
    }

    // For every card, the name, the number line, the keyword chips, the meaning's heading and
    // the meaning stack top to bottom without touching, inside the panel, at both widths.
    void detailHeaderStacksForEveryCard_data() { gridAndDetailAtEachSize_data(); }
    void detailHeaderStacksForEveryCard()
    {
        QFETCH(QSize, window);
        LibraryApp app;
        app.window->resize(window);
        QTRY_COMPARE(app.window->contentItem()->size(), QSizeF(window));
        app.openCell("major_00");
        const QStringList order{"detailName", "detailLine", "detailKeywords", "detailMeaningTitle", "detailMeaning"};
        const int cards = int(app.library()->cardIds().size());
        for (int card = 0; card < cards; ++card) {
            QCOMPARE(app.pagerIndex(), card);
            const QString name = app.text("navigationTitle");
            QRectF above;
            for (const QString &part : order) {
                QQuickItem *item = app.inDetail(part);
                QVERIFY2(item && item->isVisible(), qPrintable(name + ": " + part));
                // The arranged height of a wrapping row of chips is its implicit one.
                const QSizeF size(item->width(), std::max(item->height(), item->implicitHeight()));
                const QRectF rect(item->mapToScene(QPointF(0, 0)), size);
                QVERIFY2(rect.height() > 0, qPrintable(name + ": " + part));
                QVERIFY2(!above.isValid() || rect.top() >= above.bottom(),
                         qPrintable(QStringLiteral("%1: %2 starts at %3, above it ends at %4")
                                        .arg(name, part)
                                        .arg(rect.top())
                                        .arg(above.bottom())));
                QVERIFY2(rect.right() <= window.width() + 0.5, qPrintable(name + ": " + part));
                above = rect;
            }
            QTest::keyClick(app.window, Qt::Key_Right);
            app.settle(kPageMs);
        }
    }

    // A paste longer than the limit leaves the editor showing exactly what the note keeps.
    // On the last card a left swipe and the right arrow do nothing; a right swipe goes back.
    // (Each pager has its own swipe detector, so the second opening starts without a pause.)
    void pasteAndSwipesAtTheEnd()
    {
        LibraryApp app;
        app.openCell("major_00");
        auto *area = app.inDetail("noteEditorArea");
        area->forceActiveFocus();
        const QString pasted = QString(49'999, 'n') + "e\u0301" + QString(10'000, 'x');
        area->setProperty("text", pasted);
        QCOMPARE(textOf(area), pasted.left(50'001));
        QCOMPARE(app.detail()->note()->noteText(), pasted.left(50'001));
        app.back();

        click(app.window, app.find("filterChipCups"));
        QCOMPARE(app.library()->count(), 14);
        for (const double dx : {-30.0, 30.0}) {
            app.openCell("cups_14");
            QCOMPARE(app.text("navigationTitle"), "King of Cups");
            QVERIFY(!app.find("nextCardButton")->isEnabled());
            QTest::keyClick(app.window, Qt::Key_Right);
            swipe(app.window, dx);
            app.settle(kPageMs);
            QCOMPARE(app.pagerIndex(), dx < 0 ? 13 : 12);
            app.back();
            QTRY_COMPARE(app.text("navigationTitle"), "Card Library");
        }
    }
};

QTEST_MAIN(LibraryWindowTest)
#include "tst_library_window.moc"
