// Drives the yes/no reading and the reading history in the real main window: a question
// asked and answered, found again in the history, starred in its detail screen, deleted and
// brought back; and the history's screens over a store filled beforehand.
#include "CardDataStore.h"
#include "DrawnCard.h"
#include "FanSelection.h"
#include "ModelContext.h"
#include "QueuedRandomSource.h"
#include "Reading.h"
#include "ReadingHistoryModel.h"
#include "ReadingsViewSupport.h"
#include "Scheduler.h"
#include "SpreadDefinition.h"
#include "StoreTestSupport.h"
#include "Theme.h"
#include "WindowActions.h"
#include "YesNoReadingModel.h"

namespace {

// The first card of the catalogue that leans this way.
int cardLeaning(YesNoLeaning leaning)
{
    const QList<TarotCard> &all = CardDataStore::shared().allCards();
    for (int i = 0; i < all.size(); ++i)
        if (all.at(i).yesNoLeaning == leaning)
            return i;
    return -1;
}

QString sizeName(const AppUnderTest &app)
{
    return QStringLiteral("%1x%2").arg(app.window->width()).arg(app.window->height());
}

} // namespace

class HistoryViewTest : public QObject
{
    Q_OBJECT

    // The yes/no screens' time and chance; they outlive every window.
    ManualScheduler m_scheduler;
    QueuedRandomSource m_random;

    // Opens the yes/no screen from the menu and hands its model the test's time and chance.
    YesNoReadingModel *openYesNo(ReadingsApp &app)
    {
        app.go("spreadEntry_yes_no");
        auto *model = modelOf<YesNoReadingModel>(app.find("yesNoReadingView"), "model");
        if (model) {
            model->setScheduler(m_scheduler);
            model->setRandomSource(m_random);
        }
        return model;
    }

    // From "Shuffle the Deck" to the answer, drawing the card at `cardIndex` upright, with a
    // picture of every step named after `answer` and the window's size.
    void answer(ReadingsApp &app, YesNoReadingModel &model, int cardIndex, const QString &answer)
    {
        const QString suffix = answer.toLower() + QLatin1Char('-') + sizeName(app);
        saveScreenshot(app.window, "yes-no-question-" + suffix);
        click(app.window, app.find("shuffleDeckButton"));
        QCOMPARE(model.phase(), YesNoReadingModel::Shuffling);
        m_scheduler.advance(700);
        app.animation.advanceBy(150);
        saveScreenshot(app.window, "yes-no-shuffling-" + suffix);
        m_scheduler.advance(900);
        QCOMPARE(model.phase(), YesNoReadingModel::Fan);
        app.animation.advanceBy(100);
        QVERIFY(!model.fan()->isFanned());
        m_scheduler.advance(FanSelection::fanOutDelayMs);
        app.animation.advanceBy(1500);
        saveScreenshot(app.window, "yes-no-fan-" + suffix);

        m_random.queue({quint64(cardIndex), 0});
        click(app.window, app.find("fanCard6"));
        QVERIFY(model.fan()->selectedIndex() >= 0);
        app.animation.advanceBy(400);
        saveScreenshot(app.window, "yes-no-fan-picked-" + suffix);
        m_scheduler.advance(FanSelection::pickDelayMs);
        QCOMPARE(model.phase(), YesNoReadingModel::Reveal);
        QVERIFY(model.savedReading());
        app.animation.advanceBy(100);
        QVERIFY(app.shows("yesNoFlipCard"));
        QVERIFY(!app.shows("favoriteToggleButton"));
        saveScreenshot(app.window, "yes-no-reveal-" + suffix);

        QTest::keyClick(app.window, Qt::Key_Space); // the card has the focus
        QVERIFY(model.isCardRevealed());
        app.animation.advanceBy(250);
        saveScreenshot(app.window, "yes-no-turning-" + suffix);
        m_scheduler.advance(YesNoReadingModel::resultDelayMs);
        QCOMPARE(model.phase(), YesNoReadingModel::Result);
        app.animation.advanceBy(500);
        QCOMPARE(app.text("answerWord"), answer);
        QCOMPARE(app.find("answerWord")->property("color").value<QColor>(), Theme::answerColor(answer));
        QVERIFY(app.shows("favoriteToggleButton"));
        saveScreenshot(app.window, "yes-no-result-" + suffix);
    }

private slots:
    void initTestCase() { prepareGuiTests(); }

    // The road the user takes: a typed question answered, the answer in the history with the
    // question under it, a star from the detail screen that the menu then lists, a deletion
    // taken back with Ctrl+Z, and a deletion from the row's menu that removes it everywhere.
    void aQuestionAnsweredFoundStarredAndDeleted()
    {
        ReadingsApp app({1000, 700});
        YesNoReadingModel *model = openYesNo(app);
        QVERIFY(model);
        QCOMPARE(app.text("navigationTitle"), "Yes or No");
        const QString question = QStringLiteral("Will the garden bloom this spring?");
        click(app.window, app.find("questionTextArea"));
        typeText(app.window, question);
        QCOMPARE(model->questionText(), question);
        // Tab leaves the field for the button; Space would shuffle.
        QTest::keyClick(app.window, Qt::Key_Tab);
        QCOMPARE(focusedName(app.window), "shuffleDeckButton");
        answer(app, *model, cardLeaning(YesNoLeaning::yes), "Yes");
        QCOMPARE(app.text("quotedQuestion"), u'"' + question + u'"');
        app.window->resize(1400, 900);
        QTRY_VERIFY(app.find("yesNoResult")->width() > 1100);
        app.animation.advanceBy(100);
        saveScreenshot(app.window, "yes-no-result-yes-1400x900");
        app.window->resize(1000, 700);
        Reading *reading = model->savedReading();
        QCOMPARE(reading->notes(), question);

        // The history lists it with its answer and the question.
        app.press(Qt::Key_Escape);
        app.go("readingHistoryEntry");
        QCOMPARE(app.text("navigationTitle"), "Reading History");
        QQuickItem *row = app.find("historyRow0");
        QVERIFY(row);
        QCOMPARE(textOf(findItem(row, "rowSpreadName")), "Yes or No");
        QCOMPARE(textOf(findItem(row, "rowAnswer")), "Yes");
        QCOMPARE(textOf(findItem(row, "rowNotes")), question);
        QVERIFY(!findItem(row, "rowStar")->isVisible());

        // Starred in its detail screen, it shows the star in the history and in the menu.
        app.go("historyRow0");
        QVERIFY(app.shows("readingDetailView"));
        QCOMPARE(app.text("detailNotes"), question);
        QCOMPARE(visibleCount(app.find("readingDetailView"), "readingSummary"), 0);
        click(app.window, app.find("favoriteToggleButton"));
        QVERIFY(reading->isFavorite());
        QVERIFY(!app.state.context()->hasChanges());
        app.press(Qt::Key_Escape);
        QTRY_VERIFY(findItem(app.find("historyRow0"), "rowStar")->isVisible());
        app.press(Qt::Key_Escape);
        QTRY_VERIFY(app.shows("savedReadingsPanel"));
        QCOMPARE(app.text("savedReadingName"), "Yes or No");

        // The Delete key deletes the selected row without asking; Ctrl+Z brings it back (whole:
        // tst_reading_history).
        QVERIFY(tabTo(app.window, "readingHistoryEntry"));
        app.press(Qt::Key_Return);
        QTest::keyClick(app.window, Qt::Key_Delete);
        QCoreApplication::processEvents();
        QVERIFY(app.shows("historyEmptyState"));
        QCOMPARE(app.text("emptyTitle"), "No readings yet");
        QVERIFY(app.shows("undoDeleteBar"));
        QCOMPARE(app.state.context()->fetch<Reading>().size(), 0);
        QTest::keyClick(app.window, Qt::Key_Z, Qt::ControlModifier);
        QTRY_VERIFY(app.shows("historyRow0"));
        QVERIFY(!app.shows("undoDeleteBar"));
        QCOMPARE(app.state.context()->fetch<Reading>().size(), 1);

        // The row's menu deletes it for good: gone from the history, the menu and the store.
        click(app.window, app.find("historyRow0"), {-1, -1}, Qt::RightButton);
        app.animation.advanceBy(300);
        QTRY_VERIFY(app.shows("deleteReadingItem"));
        QVERIFY(popupHasEdge(app.find("readingHistoryView")->findChild<QObject *>(QStringLiteral("historyRowMenu"))));
        saveScreenshot(app.window, "history-row-menu");
        click(app.window, app.find("deleteReadingItem"));
        app.animation.advanceBy(300);
        QTRY_VERIFY(app.shows("historyEmptyState"));
        app.press(Qt::Key_Escape);
        QTRY_VERIFY(!app.shows("savedReadingsPanel"));
        QVERIFY(!app.state.context()->hasChanges());
        QString error;
        auto reopened = ModelContext::open(app.filePath("default.store"), &error);
        QVERIFY2(reopened, qPrintable(error));
        QCOMPARE(reopened->fetch<Reading>().size(), 0);
        QCOMPARE(reopened->fetch<DrawnCard>().size(), 0);
    }

    // The answers in their colours, and every step at both sizes.
    void everyAnswerAndStep_data()
    {
        QTest::addColumn<int>("leaning");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QSize>("size");
        QTest::newRow("No, large") << int(YesNoLeaning::no) << QStringLiteral("No") << QSize(1400, 900);
        QTest::newRow("Maybe") << int(YesNoLeaning::maybe) << QStringLiteral("Maybe") << QSize(1000, 700);
        QTest::newRow("Yes, large") << int(YesNoLeaning::yes) << QStringLiteral("Yes") << QSize(1400, 900);
    }
    void everyAnswerAndStep()
    {
        QFETCH(int, leaning);
        QFETCH(QString, answer);
        QFETCH(QSize, size);
        ReadingsApp app(size);
        YesNoReadingModel *model = openYesNo(app);
        QVERIFY(model);
        HistoryViewTest::answer(app, *model, cardLeaning(YesNoLeaning(leaning)), answer);
        QVERIFY(!app.shows("quotedQuestion"));
    }

    // Without a mouse: Return opens a spread as Space would, and "Shuffle the Deck", a card of
    // the fan and the Back button answer it too; going back gives the focus to the control that
    // opened the screen.
    void theKeyboardAloneReadsAndComesBack()
    {
        ReadingsApp app(QSize(1000, 700));
        QVERIFY(tabTo(app.window, "spreadEntry_yes_no"));
        app.press(Qt::Key_Return);
        QCOMPARE(app.text("navigationTitle"), "Yes or No");
        app.press(Qt::Key_Escape);
        QCOMPARE(app.text("navigationTitle"), "Readings");
        QCOMPARE(focusedName(app.window), "spreadEntry_yes_no");

        QVERIFY(tabTo(app.window, "readingHistoryEntry"));
        app.press(Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(app.text("navigationTitle"), "Reading History");
        QVERIFY(tabTo(app.window, "backButton", true));
        app.press(Qt::Key_Return);
        QCOMPARE(app.text("navigationTitle"), "Readings");
        QCOMPARE(focusedName(app.window), "readingHistoryEntry");

        YesNoReadingModel *model = nullptr;
        QVERIFY(tabTo(app.window, "spreadEntry_yes_no", true));
        app.press(Qt::Key_Return);
        QVERIFY(model = modelOf<YesNoReadingModel>(app.find("yesNoReadingView"), "model"));
        model->setScheduler(m_scheduler);
        model->setRandomSource(m_random);
        QVERIFY(tabTo(app.window, "shuffleDeckButton"));
        QTest::keyClick(app.window, Qt::Key_Return);
        QCOMPARE(model->phase(), YesNoReadingModel::Shuffling);
        m_scheduler.advance(1600);
        m_scheduler.advance(FanSelection::fanOutDelayMs);
        app.animation.advanceBy(1500);
        QCOMPARE(model->phase(), YesNoReadingModel::Fan);
        QVERIFY(tabTo(app.window, "fanCard3"));
        m_random.queue({0, 0});
        QTest::keyClick(app.window, Qt::Key_Return);
        QCOMPARE(model->fan()->selectedIndex(), 3);
        // Ctrl+W closes nothing here: no sheet or dialog is open, and the reading stays.
        QTest::keyClick(app.window, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(app.text("navigationTitle"), "Yes or No");
    }

    // Ten years of readings: the list knows all 20,000 rows from the first frame, so the scroll
    // bar's size is true and End reaches the oldest reading; the page keys move a screen; the
    // focus arriving does not move the list; a month is one choice away.
    void tenYearsOfReadingsAreBrowsable()
    {
        constexpr int readings = 20000;
        ReadingsApp app(QSize(1000, 700));
        const QDateTime newest(QDate(2026, 12, 6), QTime(9, 0));
        for (int i = 0; i < readings; ++i)
            addReading(*app.state.context(), QStringLiteral("three_card"), newest.addSecs(-i * 4 * 3600));
        QVERIFY(app.state.context()->save());
        const QString oldestDate =
            QLocale().toString(newest.addSecs(-(readings - 1) * 4 * 3600).date(), QStringLiteral("MMM d, yyyy"));

        app.go("readingHistoryEntry");
        auto *list = app.find("historyList");
        QVERIFY(list);
        QCOMPARE(list->property("count").toInt(), readings);
        auto *bar = app.find("historyScrollBar");
        QVERIFY(bar && bar->isVisible());
        // A screen of about seven rows out of 20,000.
        QVERIFY2(bar->property("size").toDouble() < 0.01, qPrintable(bar->property("size").toString()));

        // Focus arriving keeps the place; the first key starts from the rows in view.
        list->setProperty("contentY", 5000);
        app.settle();
        list->forceActiveFocus(Qt::TabFocusReason);
        QCOMPARE(list->property("contentY").toDouble(), 5000.0);
        app.press(Qt::Key_Down);
        QVERIFY(std::abs(list->property("contentY").toDouble() - 5000.0) < 200);

        app.press(Qt::Key_End);
        QCOMPARE(list->property("currentIndex").toInt(), readings - 1);
        QQuickItem *last = app.find(QStringLiteral("historyRow%1").arg(readings - 1));
        QVERIFY(last && shown(last));
        QCOMPARE(textOf(findItem(last, "rowDate")), oldestDate);
        app.press(Qt::Key_Home);
        QCOMPARE(list->property("currentIndex").toInt(), 0);
        app.press(Qt::Key_PageDown);
        const int pageDown = list->property("currentIndex").toInt();
        QVERIFY2(pageDown >= 4 && pageDown <= 10, qPrintable(QString::number(pageDown)));

        // Go to Month: the months, newest first, and a choice that shows that month's first row.
        click(app.window, app.find("goToMonthButton"));
        auto *months = app.find("monthList");
        QTRY_VERIFY(months && shown(months));
        QVERIFY(months->property("count").toInt() > 100);
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(app.window, Qt::Key_Down);
        QTest::keyClick(app.window, Qt::Key_Return);
        app.settle();
        const int first = list->property("currentIndex").toInt();
        QVERIFY(first > 0);
        auto *history = modelOf<ReadingHistoryModel>(app.find("readingHistoryView"), "history");
        QCOMPARE(history->data(history->index(first), ReadingHistoryModel::MonthRole).toString(), "December 2025");
        QVERIFY(history->data(history->index(first - 1), ReadingHistoryModel::MonthRole).toString() != "December 2025");
        // Only the pages shown were read.
        QVERIFY(history->rowsRead() < 400);
    }

    // The history's three faces, empty and over a store filled while it is shown, and a Celtic
    // Cross shown again.
    void theHistoryScreens_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1000x700") << QSize(1000, 700);
        QTest::newRow("1400x900") << QSize(1400, 900);
    }
    void theHistoryScreens()
    {
        QFETCH(QSize, size);
        const QString suffix = QLatin1Char('-') + QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        ReadingsApp app(size);
        app.go("readingHistoryEntry");
        QCOMPARE(app.text("emptyTitle"), "No readings yet");
        saveScreenshot(app.window, "history-empty" + suffix);

        // Readings of every kind, none starred at first.
        const QList<TarotCard> &cards = CardDataStore::shared().allCards();
        ModelContext *context = app.state.context();
        const QDateTime start(QDate(2026, 3, 2), QTime(9, 30));
        const QStringList questions{QStringLiteral("Should I take the new job?"), QString(),
                                    QStringLiteral("Is this the right week to travel?")};
        for (int i = 0; i < 14; ++i) {
            const SpreadDefinition spread = i % 3 == 0   ? SpreadDefinition::yesNo()
                                            : i % 3 == 1 ? SpreadDefinition::threeCard()
                                                         : SpreadDefinition::celticCross();
            QList<CardPlan> plans;
            for (const SpreadPosition &position : spread.positions)
                plans.append(
                    {cards.at((i * 11 + position.index * 7) % 78).id, position.id, (i + position.index) % 3 == 0});
            addReading(*context, spread.id, start.addDays(-i * 3).addSecs(i * 600), false, plans,
                       spread.id == QLatin1String("yes_no") ? questions.at(i / 3 % 3) : QString());
        }
        QVERIFY(context->save());
        QTRY_VERIFY(app.shows("historyList"));
        app.animation.advanceBy(100);
        saveScreenshot(app.window, "history-full" + suffix);
        QCOMPARE(textOf(findItem(app.find("historyRow1"), "rowCardCount")), "3 cards");

        // The filter: its title and empty screen, then the starred reading alone.
        click(app.window, app.find("favoritesFilterButton"));
        QCOMPARE(app.text("navigationTitle"), "Saved Readings");
        QVERIFY(app.shows("historyEmptyState"));
        QCOMPARE(app.text("emptyTitle"), "No saved readings");
        saveScreenshot(app.window, "history-filtered-empty" + suffix);
        context
            ->fetch<Reading>([](const Reading *r) { return r->spreadType() == QLatin1String("celtic_cross"); },
                             [](const Reading *a, const Reading *b) { return a->date() > b->date(); })
            .first()
            ->setIsFavorite(true);
        QTRY_VERIFY(app.shows("historyRow0"));
        QCOMPARE(textOf(findItem(app.find("historyRow0"), "rowSpreadName")), "Celtic Cross");
        QCOMPARE(textOf(findItem(app.find("historyRow0"), "rowCardCount")), "10 cards");
        saveScreenshot(app.window, "history-filtered" + suffix);

        // The Celtic Cross again: the cross above its ten rows and the summary.
        app.go("historyRow0");
        QQuickItem *detail = app.find("readingDetailView");
        QCOMPARE(app.text("detailSpreadName"), "Celtic Cross");
        QCOMPARE(app.text("navigationTitle"), "Celtic Cross, " + app.text("detailDate"));
        QVERIFY(app.shows("celticCrossLayout"));
        QCOMPARE(visibleCount(detail, "summaryParagraph"), 5);
        app.animation.advanceBy(400);
        saveScreenshot(app.window, "history-detail-celtic-cross" + suffix);
        // A card of the cross opens the sequence at itself.
        app.go("crossCard1");
        QCOMPARE(app.text("navigationTitle"), "The Challenge");
        QCOMPARE(app.text("cardCounter"), "Card 2 of 10");
        app.press(Qt::Key_Escape);
        QCOMPARE(detail->property("detail").value<QObject *>()->property("selectedCardIndex").toInt(), -1);
        auto *scroll = app.find("readingDetailScroll");
        auto *flickable = scroll->property("contentItem").value<QQuickItem *>();
        flickable->setProperty("contentY", flickable->property("contentHeight").toReal() - scroll->height());
        app.animation.advanceBy(100);
        saveScreenshot(app.window, "history-detail-celtic-cross-end" + suffix);
    }
};

QTEST_MAIN(HistoryViewTest)
#include "tst_history_view.moc"
