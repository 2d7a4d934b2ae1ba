// The Study section in the real main window: the menu, two articles with a card shown full
// screen, and a round of flashcards driven from the keyboard, a swipe and the filter menu.
#include "AppDriving.h"
#include "FlashcardViewModel.h"
#include "ManualAnimationDriver.h"

#include <QWheelEvent>

namespace {

QQuickItem *currentScreen(const AppUnderTest &app)
{
    return modelOf<QQuickItem>(app.find("stackView"), "currentItem");
}

QString textOnScreen(const AppUnderTest &app, const QString &name)
{
    return textOf(findItem(currentScreen(app), name));
}

// Moves animation time on frame by frame, rendering each frame: the stack's slide and the
// other animators only start and write back their values when a frame is synchronised.
void advance(const AppUnderTest &app, ManualAnimationDriver &animation, int ms)
{
    for (int done = 0; done < ms; done += 16) {
        (void)app.window->grabWindow();
        animation.advanceBy(16);
    }
    (void)app.window->grabWindow();
    QCoreApplication::processEvents();
    QVERIFY(!app.find("stackView")->property("busy").toBool());
}

void resize(const AppUnderTest &app, ManualAnimationDriver &animation, int width, int height)
{
    app.window->resize(width, height);
    advance(app, animation, 32);
}

// The window at the two sizes people look at, the minimum and a large one; at the large one
// `column` (when given) is horizontally centred in `outer` and no wider than 650.
void screenshots(const AppUnderTest &app, ManualAnimationDriver &animation, const QString &name,
                 QQuickItem *column = nullptr, QQuickItem *outer = nullptr)
{
    resize(app, animation, 1000, 700);
    saveScreenshot(app.window, name);
    resize(app, animation, 1400, 900);
    saveScreenshot(app.window, name + "-large");
    if (column) {
        QVERIFY2(column->width() <= 650, qPrintable(QString::number(column->width())));
        const double centre = column->mapToItem(outer, QPointF(column->width() / 2, 0)).x();
        // The outer item includes the scroll bar's lane, which the column leaves out.
        QVERIFY2(std::abs(centre - outer->width() / 2) <= 8, qPrintable(QString::number(centre)));
    }
    resize(app, animation, 1000, 700);
}

QQuickItem *listRow(const AppUnderTest &app, int index)
{
    QQuickItem *row = nullptr;
    QMetaObject::invokeMethod(findItem(currentScreen(app), QStringLiteral("flashcardList")), "itemAtIndex",
                              Q_RETURN_ARG(QQuickItem *, row), Q_ARG(int, index));
    return row;
}

} // namespace

class StudyViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void readArticlesThenPractiseTenCards()
    {
        ScratchApp app;
        ManualAnimationDriver animation;
        app.window->resize(1000, 700);

        click(app.window, app.find("sectionRow2"));
        QTRY_VERIFY(app.find("studyMenuView"));
        QCOMPARE(app.text("navigationTitle"), "Study");
        screenshots(app, animation, "study-menu", app.find("studyMenuColumn"), app.find("studyMenuView"));

        // An article under its own title, with cards beside some sections.
        click(app.window, app.find("articleRow_history"));
        advance(app, animation, 600);
        QCOMPARE(app.text("navigationTitle"), "History");
        screenshots(app, animation, "study-article-history");
        click(app.window, app.find("backButton"));
        advance(app, animation, 600);
        QCOMPARE(app.text("navigationTitle"), "Study");

        click(app.window, app.find("articleRow_getting_started"));
        advance(app, animation, 600);
        QCOMPARE(app.text("navigationTitle"), "Getting Started");
        QQuickItem *article = currentScreen(app);
        // A section with a card starts its text right of the card, one without at the padding.
        QVERIFY(!findItem(article, QStringLiteral("sectionCard_1"))->isVisible());
        QCOMPARE(findItem(article, QStringLiteral("sectionText_1"))->x(), 16.0);
        QCOMPARE(findItem(article, QStringLiteral("sectionText_0"))->x(), 16.0 + 80 + 16);
        screenshots(app, animation, "study-article-getting-started", findItem(article, QStringLiteral("articleColumn")),
                    article);

        // Its card full screen, closed with a click, then back to the menu.
        QQuickItem *card = findItem(article, QStringLiteral("sectionCard_0"));
        click(app.window, card);
        QObject *sheet = card->findChild<QObject *>(QStringLiteral("fullScreenSheet"));
        QVERIFY(sheet);
        advance(app, animation, 300);
        QVERIFY(sheet->property("opened").toBool());
        saveScreenshot(app.window, "study-article-card-full-screen");
        QTest::mouseClick(app.window, Qt::LeftButton, Qt::NoModifier, QPoint(500, 350));
        advance(app, animation, 300);
        QVERIFY(!sheet->property("visible").toBool());
        click(app.window, app.find("backButton"));
        advance(app, animation, 600);
        QCOMPARE(app.text("navigationTitle"), "Study");

        // Flashcards, reached with Tab and opened with Return: the deck is dealt as the screen
        // arrives, with the first card counted.
        QVERIFY(tabTo(app.window, "flashcardRow"));
        QVERIFY(app.window->activeFocusItem()->property("visualFocus").toBool());
        saveScreenshot(app.window, "study-menu-keyboard-focus");
        QTest::keyClick(app.window, Qt::Key_Return);
        advance(app, animation, 600);
        QCOMPARE(app.text("navigationTitle"), "Flashcard Practice");
        auto *model = modelOf<FlashcardViewModel>(currentScreen(app), "model");
        QVERIFY(model);
        QCOMPARE(textOnScreen(app, "progressText"), "1 of 78 studied");
        QCOMPARE(textOnScreen(app, "cardCounter"), "Card 1 of 78");
        QVERIFY(!findItem(currentScreen(app), QStringLiteral("previousCardButton"))->isEnabled());
        screenshots(app, animation, "flashcards-hidden");

        // Hiding names covers the printed name until the meaning shows.
        QQuickItem *cardFace = findItem(currentScreen(app), QStringLiteral("flashcardCard"));
        QQuickItem *cover = findItem(cardFace, QStringLiteral("captionCover"));
        QVERIFY(!cover->isVisible());
        click(app.window, app.find("hideNamesToggle"));
        QVERIFY(model->hidesNames());
        QTRY_VERIFY(cover->isVisible());
        QQuickItem *toggle = app.find("hideNamesToggle");
        const QRectF toggleRect = toggle->mapRectToScene(QRectF(0, 0, toggle->width(), toggle->height()));
        QVERIFY(QRectF(0, 0, 1000, 700).contains(toggleRect));
        QVERIFY(!toggleRect.intersects(app.find("flashcardFilter")->mapRectToScene(QRectF(0, 0, 150, 30))));
        screenshots(app, animation, "flashcards-names-hidden");
        QTest::keyClick(app.window, Qt::Key_Space);
        advance(app, animation, 320);
        QVERIFY(!cover->isVisible());
        QTest::keyClick(app.window, Qt::Key_Space);
        click(app.window, app.find("hideNamesToggle"));
        QVERIFY(!model->hidesNames() && !cover->isVisible());
        // The toggle keeps the focus (Space would press it again): back to the practice.
        currentScreen(app)->forceActiveFocus();

        // Ten cards from the keyboard: Space reveals each, the right arrow moves on.
        for (int card = 0; card < 10; ++card) {
            if (card > 0)
                QTest::keyClick(app.window, Qt::Key_Right);
            QCOMPARE(model->currentIndex(), card);
            QVERIFY(shown(findItem(currentScreen(app), QStringLiteral("revealHint"))));
            QTest::keyClick(app.window, Qt::Key_Space);
            advance(app, animation, 320);
            QQuickItem *meaning = findItem(currentScreen(app), QStringLiteral("flashcardMeaning"));
            QVERIFY(meaning->isVisible());
            QCOMPARE(meaning->opacity(), 1.0);
            QCOMPARE(textOf(findItem(meaning, QStringLiteral("meaningCardName"))), model->currentCard()->name);
            if (card == 0)
                screenshots(app, animation, "flashcards-meaning");
        }

        // Far enough into the deck, the sidebar keeps the current row in its middle.
        for (int i = 0; i < 30; ++i)
            QTest::keyClick(app.window, Qt::Key_Right);
        QCOMPARE(model->currentIndex(), 39);
        QQuickItem *row = listRow(app, 39);
        QVERIFY(row);
        QQuickItem *list = findItem(currentScreen(app), QStringLiteral("flashcardList"));
        const double rowCentre = row->mapToItem(list, QPointF(0, row->height() / 2)).y();
        QVERIFY2(std::abs(rowCentre - list->height() / 2) <= row->height(), qPrintable(QString::number(rowCentre)));

        // A two-finger swipe to the left pages on.
        const QPointF inside(600, 400);
        QWheelEvent swipe(inside, app.window->mapToGlobal(inside), QPoint(-90, 0), QPoint(-360, 0), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(app.window, &swipe);
        QCOMPARE(model->currentIndex(), 40);

        // The filter menu: Wands deals fourteen cards afresh.
        click(app.window, app.find("flashcardFilter"));
        advance(app, animation, 300);
        QTest::keyClick(app.window, Qt::Key_Down);
        QTest::keyClick(app.window, Qt::Key_Down);
        saveScreenshot(app.window, "flashcards-filter-menu");
        QTest::keyClick(app.window, Qt::Key_Return);
        advance(app, animation, 300);
        QCOMPARE(model->filter(), DeckFilter::Wands);
        QCOMPARE(textOnScreen(app, "cardCounter"), "Card 1 of 14");
        screenshots(app, animation, "flashcards-wands");

        // A row of the sidebar shows its card.
        click(app.window, listRow(app, 2));
        QCOMPARE(model->currentIndex(), 2);
    }
};

QTEST_MAIN(StudyViewTest)
#include "tst_study_view.moc"
