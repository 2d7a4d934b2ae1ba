// The Study section in the real main window: the menu, two articles with a card shown full
// screen, and a round of flashcards driven from the keyboard, a swipe and the filter menu.
#include "../app/AppTestSupport.h"
#include "FlashcardViewModel.h"
#include "ManualAnimationDriver.h"

#include <QWheelEvent>

namespace {

void click(QQuickWindow *window, QQuickItem *item)
{
    QVERIFY(item);
    QVERIFY(item->isVisible());
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

QString titleShown(const AppUnderTest &app)
{
    QQuickItem *title = app.find(QStringLiteral("navigationTitle"));
    return title ? title->property("text").toString() : QString();
}

QQuickItem *currentScreen(const AppUnderTest &app)
{
    return app.find(QStringLiteral("stackView"))->property("currentItem").value<QQuickItem *>();
}

QQuickItem *onScreen(const AppUnderTest &app, const QString &name)
{
    return findItem(currentScreen(app), name);
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
    QVERIFY(!app.find(QStringLiteral("stackView"))->property("busy").toBool());
}

// The window at the two sizes people look at, the minimum and a large one.
void screenshots(const AppUnderTest &app, ManualAnimationDriver &animation, const QString &name)
{
    app.window->resize(1000, 700);
    advance(app, animation, 32);
    saveScreenshot(app.window, name);
    app.window->resize(1400, 900);
    advance(app, animation, 32);
    saveScreenshot(app.window, name + QStringLiteral("-large"));
    app.window->resize(1000, 700);
    advance(app, animation, 32);
}

// Horizontally centred in `outer`, and no wider than 650.
void checkCentredColumn(QQuickItem *column, QQuickItem *outer)
{
    QVERIFY(column && outer);
    QVERIFY2(column->width() <= 650, qPrintable(QString::number(column->width())));
    const double centre = column->mapToItem(outer, QPointF(column->width() / 2, 0)).x();
    // The outer item includes the scroll bar's lane, which the column leaves out.
    QVERIFY2(std::abs(centre - outer->width() / 2) <= 8, qPrintable(QString::number(centre)));
}

} // namespace

class StudyViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void readArticlesThenPractiseTenCards()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(app.window);
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        ManualAnimationDriver animation;
        app.window->resize(1000, 700);

        click(app.window, app.find(QStringLiteral("sectionRow2")));
        QTRY_VERIFY(app.find(QStringLiteral("studyMenuView")));
        QCOMPARE(titleShown(app), QStringLiteral("Study"));
        // The menu's own row titles, even though the article is called "History".
        QCOMPARE(app.find(QStringLiteral("articleRow_history"))->property("title").toString(),
                 QStringLiteral("History of Tarot"));
        screenshots(app, animation, QStringLiteral("study-menu"));
        app.window->resize(1400, 900);
        advance(app, animation, 32);
        checkCentredColumn(app.find(QStringLiteral("studyMenuColumn")), app.find(QStringLiteral("studyMenuView")));
        app.window->resize(1000, 700);
        advance(app, animation, 32);

        // An article under its own title, with cards beside some sections.
        click(app.window, app.find(QStringLiteral("articleRow_history")));
        advance(app, animation, 600);
        QCOMPARE(titleShown(app), QStringLiteral("History"));
        QCOMPARE(onScreen(app, QStringLiteral("articleTitle"))->property("text").toString(), QStringLiteral("History"));
        screenshots(app, animation, QStringLiteral("study-article-history"));
        click(app.window, app.find(QStringLiteral("backButton")));
        advance(app, animation, 600);
        QCOMPARE(titleShown(app), QStringLiteral("Study"));

        click(app.window, app.find(QStringLiteral("articleRow_getting_started")));
        advance(app, animation, 600);
        QCOMPARE(titleShown(app), QStringLiteral("Getting Started"));
        QQuickItem *article = currentScreen(app);
        // A section with a card starts its text right of the card, one without at the padding.
        QQuickItem *withCard = findItem(article, QStringLiteral("sectionText_0"));
        QQuickItem *withoutCard = findItem(article, QStringLiteral("sectionText_1"));
        QVERIFY(withCard && withoutCard);
        QVERIFY(!findItem(article, QStringLiteral("sectionCard_1"))->isVisible());
        QCOMPARE(withoutCard->x(), 16.0);
        QCOMPARE(withCard->x(), 16.0 + 80 + 16);
        screenshots(app, animation, QStringLiteral("study-article-getting-started"));
        app.window->resize(1400, 900);
        advance(app, animation, 32);
        checkCentredColumn(findItem(article, QStringLiteral("articleColumn")), article);
        app.window->resize(1000, 700);
        advance(app, animation, 32);

        // Its card full screen, closed with a click, then back to the menu.
        click(app.window, findItem(article, QStringLiteral("sectionCard_0")));
        QObject *sheet =
            findItem(article, QStringLiteral("sectionCard_0"))->findChild<QObject *>(QStringLiteral("fullScreenSheet"));
        QVERIFY(sheet);
        advance(app, animation, 300);
        QVERIFY(sheet->property("opened").toBool());
        saveScreenshot(app.window, QStringLiteral("study-article-card-full-screen"));
        QTest::mouseClick(app.window, Qt::LeftButton, Qt::NoModifier, QPoint(500, 350));
        advance(app, animation, 300);
        QVERIFY(!sheet->property("visible").toBool());
        click(app.window, app.find(QStringLiteral("backButton")));
        advance(app, animation, 600);
        QCOMPARE(titleShown(app), QStringLiteral("Study"));

        // Flashcards, reached with Tab and opened with Return: the deck is dealt as the screen
        // arrives, with the first card counted.
        QQuickItem *flashcardRow = app.find(QStringLiteral("flashcardRow"));
        for (int tab = 0; tab < 20 && !flashcardRow->hasActiveFocus(); ++tab)
            QTest::keyClick(app.window, Qt::Key_Tab);
        QVERIFY(flashcardRow->hasActiveFocus());
        QVERIFY(flashcardRow->property("visualFocus").toBool());
        saveScreenshot(app.window, QStringLiteral("study-menu-keyboard-focus"));
        QTest::keyClick(app.window, Qt::Key_Return);
        advance(app, animation, 600);
        QCOMPARE(titleShown(app), QStringLiteral("Flashcard Practice"));
        auto *model = currentScreen(app)->property("model").value<FlashcardViewModel *>();
        QVERIFY(model);
        QCOMPARE(onScreen(app, QStringLiteral("progressText"))->property("text").toString(),
                 QStringLiteral("1 of 78 studied"));
        QCOMPARE(onScreen(app, QStringLiteral("cardCounter"))->property("text").toString(),
                 QStringLiteral("Card 1 of 78"));
        QVERIFY(!onScreen(app, QStringLiteral("previousCardButton"))->isEnabled());
        screenshots(app, animation, QStringLiteral("flashcards-hidden"));

        // Ten cards from the keyboard: Space reveals each, the right arrow moves on.
        for (int card = 0; card < 10; ++card) {
            if (card > 0)
                QTest::keyClick(app.window, Qt::Key_Right);
            QCOMPARE(model->currentIndex(), card);
            QVERIFY(onScreen(app, QStringLiteral("revealHint"))->isVisible());
            QTest::keyClick(app.window, Qt::Key_Space);
            advance(app, animation, 320);
            QQuickItem *meaning = onScreen(app, QStringLiteral("flashcardMeaning"));
            QVERIFY(meaning->isVisible());
            QCOMPARE(meaning->opacity(), 1.0);
            QCOMPARE(findItem(meaning, QStringLiteral("meaningCardName"))->property("text").toString(),
                     model->currentCard()->name);
            if (card == 0)
                screenshots(app, animation, QStringLiteral("flashcards-meaning"));
        }
        QCOMPARE(onScreen(app, QStringLiteral("progressText"))->property("text").toString(),
                 QStringLiteral("10 of 78 studied"));
        QCOMPARE(onScreen(app, QStringLiteral("cardCounter"))->property("text").toString(),
                 QStringLiteral("Card 10 of 78"));
        // Back one: hidden again, and the count stays.
        QTest::keyClick(app.window, Qt::Key_Left);
        QCOMPARE(model->currentIndex(), 8);
        QVERIFY(!onScreen(app, QStringLiteral("flashcardMeaning"))->isVisible());
        QCOMPARE(model->studiedCount(), 10);

        // Far enough into the deck, the sidebar keeps the current row in its middle.
        for (int i = 0; i < 31; ++i)
            QTest::keyClick(app.window, Qt::Key_Right);
        QCOMPARE(model->currentIndex(), 39);
        auto *list = qobject_cast<QQuickItem *>(onScreen(app, QStringLiteral("flashcardList")));
        QQuickItem *row = nullptr;
        QMetaObject::invokeMethod(list, "itemAtIndex", Q_RETURN_ARG(QQuickItem *, row), Q_ARG(int, 39));
        QVERIFY(row);
        const double rowCentre = row->mapToItem(list, QPointF(0, row->height() / 2)).y();
        QVERIFY2(std::abs(rowCentre - list->height() / 2) <= row->height(), qPrintable(QString::number(rowCentre)));

        // A two-finger swipe to the left pages on; one to the right pages back.
        const QPointF inside(600, 400);
        QWheelEvent swipe(inside, app.window->mapToGlobal(inside), QPoint(-90, 0), QPoint(-360, 0), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(app.window, &swipe);
        QCOMPARE(model->currentIndex(), 40);

        // The filter menu: Wands deals fourteen cards afresh.
        click(app.window, app.find(QStringLiteral("flashcardFilter")));
        advance(app, animation, 300);
        QTest::keyClick(app.window, Qt::Key_Down);
        QTest::keyClick(app.window, Qt::Key_Down);
        saveScreenshot(app.window, QStringLiteral("flashcards-filter-menu"));
        QTest::keyClick(app.window, Qt::Key_Return);
        advance(app, animation, 300);
        QCOMPARE(model->filter(), FlashcardViewModel::Wands);
        QCOMPARE(onScreen(app, QStringLiteral("cardCounter"))->property("text").toString(),
                 QStringLiteral("Card 1 of 14"));
        QCOMPARE(onScreen(app, QStringLiteral("progressText"))->property("text").toString(),
                 QStringLiteral("0 of 14 studied"));
        for (const TarotCard &card : model->shuffledCards())
            QVERIFY(card.id.startsWith(QStringLiteral("wands_")));
        screenshots(app, animation, QStringLiteral("flashcards-wands"));

        // A row of the sidebar shows its card.
        QQuickItem *third = nullptr;
        list = qobject_cast<QQuickItem *>(onScreen(app, QStringLiteral("flashcardList")));
        QMetaObject::invokeMethod(list, "itemAtIndex", Q_RETURN_ARG(QQuickItem *, third), Q_ARG(int, 2));
        click(app.window, third);
        QCOMPARE(model->currentIndex(), 2);
        QCOMPARE(model->studiedCount(), 1);
    }
};

QTEST_MAIN(StudyViewTest)
#include "tst_study_view.moc"
