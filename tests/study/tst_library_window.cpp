// The Library section in the real main window: searching, the grid at its three sizes, the
// detail pager with the arrow keys and swipes, and notes found again by the search.
#include "../app/AppTestSupport.h"
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

void click(QQuickWindow *window, QQuickItem *item)
{
    QVERIFY(item);
    QVERIFY(item->isVisible());
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

void typeText(QQuickWindow *window, const QString &text)
{
    for (QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

QString titleShown(const AppUnderTest &app)
{
    QQuickItem *title = app.find(QStringLiteral("navigationTitle"));
    return title ? title->property("text").toString() : QString();
}

CardLibraryModel *libraryModel(const AppUnderTest &app)
{
    QQuickItem *view = app.find(QStringLiteral("cardLibraryView"));
    return view ? view->property("library").value<CardLibraryModel *>() : nullptr;
}

CardDetailPagerModel *pagerModel(const AppUnderTest &app)
{
    QQuickItem *view = app.find(QStringLiteral("cardDetailPagerView"));
    return view ? view->property("pager").value<CardDetailPagerModel *>() : nullptr;
}

// The detail screen on top of the pager's own stack (the old one may still be leaving).
QQuickItem *currentDetail(const AppUnderTest &app)
{
    QQuickItem *pages = app.find(QStringLiteral("cardDetailPages"));
    return pages ? pages->property("currentItem").value<QQuickItem *>() : nullptr;
}

CardDetailModel *detailModel(const AppUnderTest &app)
{
    QQuickItem *detail = currentDetail(app);
    return detail ? detail->property("detail").value<CardDetailModel *>() : nullptr;
}

QQuickItem *inCurrentDetail(const AppUnderTest &app, const QString &name)
{
    return findItem(currentDetail(app), name);
}

void openLibrary(AppUnderTest &app)
{
    QVERIFY(app.window);
    QVERIFY(QTest::qWaitForWindowExposed(app.window));
    click(app.window, app.find(QStringLiteral("sectionRow3")));
    QTRY_COMPARE(titleShown(app), QStringLiteral("Card Library"));
    QVERIFY(libraryModel(app));
}

void search(AppUnderTest &app, const QString &text)
{
    QTest::keyClick(app.window, Qt::Key_F, Qt::ControlModifier);
    auto *field = app.find(QStringLiteral("librarySearchField"));
    QVERIFY(field);
    QTRY_VERIFY(field->hasActiveFocus());
    QTest::keyClick(app.window, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(app.window, Qt::Key_Backspace);
    typeText(app.window, text);
    QCOMPARE(libraryModel(app)->searchText(), text);
}

// Lets the stacks' transitions run to their end. Their time moves only with `animations`; a
// slide starts with the window's next frame, which the event loop delivers, so time is moved
// on frame by frame until both stacks are at rest.
void settle(AppUnderTest &app, ManualAnimationDriver &animations, int ms)
{
    animations.advanceBy(ms);
    const auto busy = [&app] {
        for (const QString &name : {QStringLiteral("stackView"), QStringLiteral("cardDetailPages")}) {
            QQuickItem *stack = app.find(name);
            if (stack && stack->property("busy").toBool())
                return true;
        }
        return false;
    };
    QTRY_VERIFY((animations.advanceBy(16), !busy()));
}

// Scrolls the grid to a card's cell and clicks it.
void openCell(AppUnderTest &app, const QString &cardId)
{
    auto *grid = app.find(QStringLiteral("libraryGrid"));
    const int index = int(libraryModel(app)->cardIds().indexOf(cardId));
    QVERIFY(index >= 0);
    QMetaObject::invokeMethod(grid, "positionViewAtIndex", Q_ARG(int, index), Q_ARG(int, 4 /* GridView.Contain */));
    QQuickItem *cell = app.find(QStringLiteral("libraryCell_") + cardId);
    QTRY_VERIFY(cell && cell->isVisible());
    click(app.window, cell);
}

void sendSwipe(QQuickWindow *window, double dx)
{
    const QPointF at(window->width() / 2.0, window->height() / 2.0);
    QWheelEvent event(at, window->mapToGlobal(at), QPoint(int(dx), 0), QPoint(int(dx * 4), 0), Qt::NoButton,
                      Qt::NoModifier, Qt::ScrollUpdate, false);
    QGuiApplication::sendEvent(window, &event);
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
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        openLibrary(app);
        ManualAnimationDriver animations;

        search(app, QStringLiteral("INTUITION"));
        const QStringList shown = libraryModel(app)->cardIds();
        QVERIFY(shown.size() >= 3);
        QVERIFY(shown.contains(QStringLiteral("major_02")));
        auto *grid = app.find(QStringLiteral("libraryGrid"));
        QCOMPARE(grid->property("count").toInt(), shown.size());

        openCell(app, shown.at(1));
        settle(app, animations, kPushMs);
        QVERIFY(pagerModel(app));
        const CardDataStore &cards = CardDataStore::shared();
        QCOMPARE(titleShown(app), cards.cardByID(shown.at(1))->name);
        QCOMPARE(app.find(QStringLiteral("cardPosition"))->property("text").toString(),
                 QStringLiteral("2 of %1").arg(shown.size()));

        // The arrow keys page within the search result, and stop at its start.
        QTest::keyClick(app.window, Qt::Key_Right);
        settle(app, animations, kPageMs);
        QCOMPARE(titleShown(app), cards.cardByID(shown.at(2))->name);
        QTest::keyClick(app.window, Qt::Key_Left);
        QTest::keyClick(app.window, Qt::Key_Left);
        QTest::keyClick(app.window, Qt::Key_Left);
        settle(app, animations, kPageMs);
        QCOMPARE(titleShown(app), cards.cardByID(shown.at(0))->name);
        QVERIFY(!app.find(QStringLiteral("previousCardButton"))->isEnabled());
        QVERIFY(app.find(QStringLiteral("nextCardButton"))->isEnabled());

        // Write a note; the arrow keys then move the cursor, not the card.
        auto *editorArea = inCurrentDetail(app, QStringLiteral("noteEditorArea"));
        auto *scroller = inCurrentDetail(app, QStringLiteral("cardDetailScroller"));
        scroller->setProperty("contentY", scroller->property("contentHeight").toDouble() - scroller->height());
        click(app.window, editorArea);
        QTRY_VERIFY(editorArea->hasActiveFocus());
        typeText(app.window, QStringLiteral("amberlight at dusk"));
        QTest::keyClick(app.window, Qt::Key_Left);
        QTest::keyClick(app.window, Qt::Key_Right);
        QTest::keyClick(app.window, Qt::Key_Right);
        settle(app, animations, kPageMs);
        QCOMPARE(pagerModel(app)->currentIndex(), 0);
        ModelContext *context = app.state.context();
        const auto notes = context->fetch<UserCardNote>();
        QCOMPARE(notes.size(), 1);
        QCOMPARE(notes.first()->cardId(), shown.at(0));
        QCOMPARE(notes.first()->noteText(), QStringLiteral("amberlight at dusk"));
        QCOMPARE(editorArea->property("text").toString(), QStringLiteral("amberlight at dusk"));

        // Back in the library the search is as it was; a word of the note finds the card. The
        // detail screen went away, and with it the save it still owed was made.
        QPointer<CardDetailModel> detail = detailModel(app);
        click(app.window, app.find(QStringLiteral("backButton")));
        settle(app, animations, kPushMs);
        QTRY_VERIFY(detail.isNull());
        QVERIFY(!context->hasChanges());
        QTRY_COMPARE(titleShown(app), QStringLiteral("Card Library"));
        QCOMPARE(libraryModel(app)->cardIds(), shown);
        search(app, QStringLiteral("amberLight"));
        QCOMPARE(libraryModel(app)->cardIds(), QStringList{shown.at(0)});
        QVERIFY(app.find(QStringLiteral("libraryCell_") + shown.at(0))->isVisible());
    }

    // The three sizes in a small and a large window: small cards in columns 120 to 160 wide,
    // medium in 160 to 200, large in 240 to 280, all the columns inside the grid's padding.
    void gridAtEachSize_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("1000x700") << QSize(1000, 700);
        QTest::newRow("1400x900") << QSize(1400, 900);
    }
    void gridAtEachSize()
    {
        QFETCH(QSize, window);
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        openLibrary(app);
        app.window->resize(window);
        QTRY_COMPARE(app.window->contentItem()->size(), QSizeF(window));

        auto *slider = app.find(QStringLiteral("cardSizeSlider"));
        slider->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(app.window, Qt::Key_Left);
        const QList<std::tuple<QString, int, double>> steps{{QStringLiteral("small"), CardSize::Small, 120},
                                                            {QStringLiteral("medium"), CardSize::Medium, 160},
                                                            {QStringLiteral("large"), CardSize::Large, 240}};
        auto *grid = app.find(QStringLiteral("libraryGrid"));
        for (const auto &[name, size, basis] : steps) {
            QCOMPARE(libraryModel(app)->cardSize(), size);
            const double column = grid->property("cellWidth").toDouble() - 16;
            QVERIFY2(column >= basis && column <= basis + 40, qPrintable(QString::number(column)));
            QQuickItem *cell = app.find(QStringLiteral("libraryCell_major_00"));
            QTRY_VERIFY(cell && cell->isVisible());
            QQuickItem *face = findItem(cell, QStringLiteral("libraryCardFace"));
            QVERIFY(face);
            QCOMPARE(face->width(), CardMetrics::forSize(CardSize::Size(size)).width);
            // The first column starts at the padding or further in, and the last ends inside.
            const QPointF topLeft = face->mapToItem(grid, QPointF(0, 0));
            QVERIFY(topLeft.x() >= 16);
            const int columns = int((grid->width() - 32 + 16) / (column + 16));
            QVERIFY(columns * (column + 16) - 16 <= grid->width() - 32 + 0.5);
            saveScreenshot(app.window,
                           QStringLiteral("library-%1-%2x%3").arg(name).arg(window.width()).arg(window.height()));
            QTest::keyClick(app.window, Qt::Key_Right);
        }
    }

    // A search without a match shows the notice and keeps the control row.
    void noMatchShowsTheNotice()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        openLibrary(app);
        ManualAnimationDriver animations;
        click(app.window, app.find(QStringLiteral("filterChipMajor")));
        QCOMPARE(libraryModel(app)->selectedFilter(), CardLibraryModel::Major);
        QCOMPARE(libraryModel(app)->count(), 22);
        search(app, QStringLiteral("quartz"));
        animations.advanceBy(300);
        QCOMPARE(libraryModel(app)->count(), 0);
        QVERIFY(app.find(QStringLiteral("libraryEmptyNotice"))->isVisible());
        QVERIFY(!app.find(QStringLiteral("libraryGrid"))->isVisible());
        QVERIFY(app.find(QStringLiteral("filterChips"))->isVisible());
        QVERIFY(app.find(QStringLiteral("cardSizeSlider"))->isVisible());
        saveScreenshot(app.window, QStringLiteral("library-no-match"));

        // Escape in the field clears the search.
        QTest::keyClick(app.window, Qt::Key_Escape);
        QCOMPARE(libraryModel(app)->count(), 22);
    }

    // The detail of a "yes" card with a note, upright and reversed; the keyboard reaches the
    // grid, a swipe pages, and the first card cannot go back.
    void detailUprightAndReversed_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("1000x700") << QSize(1000, 700);
        QTest::newRow("1400x900") << QSize(1400, 900);
    }
    void detailUprightAndReversed()
    {
        QFETCH(QSize, window);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("default.store"));
        {
            QString error;
            auto context = ModelContext::open(path, &error);
            QVERIFY(context);
            context->insert(new UserCardNote(
                QStringLiteral("major_00"),
                QStringLiteral("Drew this on the morning of the move. Trust the open road, pack lightly.")));
            QVERIFY(context->save());
        }
        AppUnderTest app(path);
        openLibrary(app);
        app.window->resize(window);
        QTRY_COMPARE(app.window->contentItem()->size(), QSizeF(window));
        ManualAnimationDriver animations;

        // Return opens the grid's current card, the first.
        auto *grid = app.find(QStringLiteral("libraryGrid"));
        grid->forceActiveFocus(Qt::TabFocusReason);
        QTest::keyClick(app.window, Qt::Key_Return);
        settle(app, animations, kPushMs);
        QCOMPARE(titleShown(app), QStringLiteral("The Fool"));
        QCOMPARE(app.find(QStringLiteral("cardPosition"))->property("text").toString(), QStringLiteral("1 of 78"));
        QVERIFY(!app.find(QStringLiteral("previousCardButton"))->isEnabled());
        QCOMPARE(inCurrentDetail(app, QStringLiteral("noteEditorArea"))->property("text").toString(),
                 QStringLiteral("Drew this on the morning of the move. Trust the open road, pack lightly."));
        QCOMPARE(inCurrentDetail(app, QStringLiteral("detailLine"))->property("text").toString(),
                 QStringLiteral("0 \u2014 Major Arcana"));
        QCOMPARE(inCurrentDetail(app, QStringLiteral("leaningChip"))->property("text").toString(),
                 QStringLiteral("Yes"));
        saveScreenshot(app.window,
                       QStringLiteral("library-detail-upright-%1x%2").arg(window.width()).arg(window.height()));

        click(app.window, inCurrentDetail(app, QStringLiteral("reversedButton")));
        QVERIFY(detailModel(app)->showReversed());
        QCOMPARE(inCurrentDetail(app, QStringLiteral("leaningChip"))->property("text").toString(),
                 QStringLiteral("No"));
        QCOMPARE(inCurrentDetail(app, QStringLiteral("detailMeaningTitle"))->property("text").toString(),
                 QStringLiteral("Reversed Meaning"));
        settle(app, animations, kPageMs);
        saveScreenshot(app.window,
                       QStringLiteral("library-detail-reversed-%1x%2").arg(window.width()).arg(window.height()));

        // A left swipe shows the next card, upright again and with its own (empty) note.
        for (int i = 0; i < 3; ++i)
            sendSwipe(app.window, -30);
        settle(app, animations, kPageMs);
        QCOMPARE(titleShown(app), QStringLiteral("The Magician"));
        QVERIFY(!detailModel(app)->showReversed());
        QCOMPARE(inCurrentDetail(app, QStringLiteral("noteEditorArea"))->property("text").toString(), QString());
    }

    // A paste longer than the limit leaves the editor showing exactly what the note keeps.
    void pastingPastTheLimit()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        openLibrary(app);
        ManualAnimationDriver animations;
        openCell(app, QStringLiteral("major_00"));
        settle(app, animations, kPushMs);
        auto *area = inCurrentDetail(app, QStringLiteral("noteEditorArea"));
        area->forceActiveFocus();
        const QString pasted =
            QString(49999, QLatin1Char('n')) + QStringLiteral("e\u0301") + QString(10000, QLatin1Char('x'));
        area->setProperty("text", pasted);
        QCOMPARE(area->property("text").toString(), pasted.left(50001));
        QCOMPARE(detailModel(app)->note()->noteText(), pasted.left(50001));
    }

    // On the last card a left swipe and the right arrow do nothing; a right swipe goes back.
    // (Each pager has its own swipe detector, so the second opening starts without a pause.)
    void swipesAtTheEnd()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        openLibrary(app);
        ManualAnimationDriver animations;
        click(app.window, app.find(QStringLiteral("filterChipCups")));
        QCOMPARE(libraryModel(app)->count(), 14);
        for (const double dx : {-30.0, 30.0}) {
            openCell(app, QStringLiteral("cups_14"));
            settle(app, animations, kPushMs);
            QCOMPARE(titleShown(app), QStringLiteral("King of Cups"));
            QVERIFY(!app.find(QStringLiteral("nextCardButton"))->isEnabled());
            QTest::keyClick(app.window, Qt::Key_Right);
            for (int i = 0; i < 3; ++i)
                sendSwipe(app.window, dx);
            settle(app, animations, kPageMs);
            QCOMPARE(pagerModel(app)->currentIndex(), dx < 0 ? 13 : 12);
            click(app.window, app.find(QStringLiteral("backButton")));
            settle(app, animations, kPushMs);
            QTRY_COMPARE(titleShown(app), QStringLiteral("Card Library"));
        }
    }
};

QTEST_MAIN(LibraryWindowTest)
#include "tst_library_window.moc"
