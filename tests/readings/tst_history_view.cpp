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

private:
    // Opens the yes/no screen from the menu and hands its model the test's time and chance.
    static YesNoReadingModel *openYesNo(AppUnderTest &app, ManualAnimationDriver &animation, ManualScheduler &scheduler,
                                        RandomSource &random)
    {
        click(app.window, app.find(QStringLiteral("spreadEntry_yes_no")));
        settle(app, animation);
        QQuickItem *view = app.find(QStringLiteral("yesNoReadingView"));
        auto *model = view ? view->property("model").value<YesNoReadingModel *>() : nullptr;
        if (model) {
            model->setScheduler(scheduler);
            model->setRandomSource(random);
        }
        return model;
    }

    // From "Shuffle the Deck" to the answer, drawing the card at `cardIndex` upright, with a
    // picture of every step named after `answer` and the window's size.
    static void answer(AppUnderTest &app, ManualAnimationDriver &animation, ManualScheduler &scheduler,
                       QueuedRandomSource &random, YesNoReadingModel &model, int cardIndex, const QString &answer)
    {
        const QString suffix = answer.toLower() + QLatin1Char('-') + sizeName(app);
        saveScreenshot(app.window, QStringLiteral("yes-no-question-") + suffix);
        click(app.window, app.find(QStringLiteral("shuffleDeckButton")));
        QCOMPARE(model.phase(), YesNoReadingModel::Shuffling);
        scheduler.advance(700);
        animation.advanceBy(150);
        saveScreenshot(app.window, QStringLiteral("yes-no-shuffling-") + suffix);
        scheduler.advance(900);
        QCOMPARE(model.phase(), YesNoReadingModel::Fan);
        animation.advanceBy(100);
        QVERIFY(!model.fan()->isFanned());
        scheduler.advance(FanSelection::fanOutDelayMs);
        animation.advanceBy(1500);
        saveScreenshot(app.window, QStringLiteral("yes-no-fan-") + suffix);

        random.queue({quint64(cardIndex), 0});
        click(app.window, app.find(QStringLiteral("fanCard6")));
        QVERIFY(model.fan()->selectedIndex() >= 0);
        animation.advanceBy(400);
        saveScreenshot(app.window, QStringLiteral("yes-no-fan-picked-") + suffix);
        scheduler.advance(FanSelection::pickDelayMs);
        QCOMPARE(model.phase(), YesNoReadingModel::Reveal);
        QVERIFY(model.savedReading());
        animation.advanceBy(100);
        QVERIFY(shown(app, QStringLiteral("yesNoFlipCard")));
        QVERIFY(!shown(app, QStringLiteral("favoriteToggleButton")));
        saveScreenshot(app.window, QStringLiteral("yes-no-reveal-") + suffix);

        QTest::keyClick(app.window, Qt::Key_Space); // the card has the focus
        QVERIFY(model.isCardRevealed());
        animation.advanceBy(250);
        saveScreenshot(app.window, QStringLiteral("yes-no-turning-") + suffix);
        scheduler.advance(YesNoReadingModel::resultDelayMs);
        QCOMPARE(model.phase(), YesNoReadingModel::Result);
        animation.advanceBy(500);
        QCOMPARE(text(app, QStringLiteral("answerWord")), answer);
        QCOMPARE(app.find(QStringLiteral("answerWord"))->property("color").value<QColor>(),
                 YesNoReadingModel::answerColor(answer));
        QVERIFY(shown(app, QStringLiteral("favoriteToggleButton")));
        saveScreenshot(app.window, QStringLiteral("yes-no-result-") + suffix);
    }

private slots:
    void initTestCase() { prepareGuiTests(); }

    // The road the user takes: a typed question answered, the answer in the history with the
    // question under it, a star from the detail screen that the menu then lists, a deletion
    // taken back with Ctrl+Z, and a deletion from the row's menu that removes it everywhere.
    void aQuestionAnsweredFoundStarredAndDeleted()
    {
        QTemporaryDir dir;
        ManualScheduler scheduler;
        QueuedRandomSource random;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        app.window->resize(1000, 700);
        ManualAnimationDriver animation;
        openReadings(app, animation);

        YesNoReadingModel *model = openYesNo(app, animation, scheduler, random);
        QVERIFY(model);
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("Yes or No"));
        const QString question = QStringLiteral("Will the garden bloom this spring?");
        click(app.window, app.find(QStringLiteral("questionTextArea")));
        for (const QChar c : question)
            QTest::keyClick(app.window, c.toLatin1());
        QCOMPARE(model->questionText(), question);
        // Tab leaves the field for the button; Space would shuffle.
        QTest::keyClick(app.window, Qt::Key_Tab);
        QCOMPARE(app.window->activeFocusItem()->objectName(), QStringLiteral("shuffleDeckButton"));
        answer(app, animation, scheduler, random, *model, cardLeaning(YesNoLeaning::yes), QStringLiteral("Yes"));
        QCOMPARE(text(app, QStringLiteral("quotedQuestion")), QLatin1Char('"') + question + QLatin1Char('"'));
        app.window->resize(1400, 900);
        QTRY_VERIFY(app.find(QStringLiteral("yesNoResult"))->width() > 1100);
        animation.advanceBy(100);
        saveScreenshot(app.window, QStringLiteral("yes-no-result-yes-1400x900"));
        app.window->resize(1000, 700);
        Reading *reading = model->savedReading();
        QCOMPARE(reading->notes(), question);

        // The history lists it with its answer and the question.
        QTest::keyClick(app.window, Qt::Key_Escape);
        settle(app, animation);
        click(app.window, app.find(QStringLiteral("readingHistoryEntry")));
        settle(app, animation);
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("Reading History"));
        QQuickItem *row = app.find(QStringLiteral("historyRow0"));
        QVERIFY(row);
        QCOMPARE(textIn(row, QStringLiteral("rowSpreadName")), QStringLiteral("Yes or No"));
        QCOMPARE(textIn(row, QStringLiteral("rowAnswer")), QStringLiteral("Yes"));
        QCOMPARE(textIn(row, QStringLiteral("rowNotes")), question);
        QVERIFY(!findItem(row, QStringLiteral("rowStar"))->isVisible());

        // Starred in its detail screen, it shows the star in the history and in the menu.
        click(app.window, row);
        settle(app, animation);
        QVERIFY(shown(app, QStringLiteral("readingDetailView")));
        QCOMPARE(text(app, QStringLiteral("detailNotes")), question);
        QCOMPARE(visibleCount(app.find(QStringLiteral("readingDetailView")), QStringLiteral("readingSummary")), 0);
        click(app.window, app.find(QStringLiteral("favoriteToggleButton")));
        QVERIFY(reading->isFavorite());
        QVERIFY(!app.state.context()->hasChanges());
        QTest::keyClick(app.window, Qt::Key_Escape);
        settle(app, animation);
        QTRY_VERIFY(findItem(app.find(QStringLiteral("historyRow0")), QStringLiteral("rowStar"))->isVisible());
        QTest::keyClick(app.window, Qt::Key_Escape);
        settle(app, animation);
        QTRY_VERIFY(shown(app, QStringLiteral("savedReadingsPanel")));
        QCOMPARE(text(app, QStringLiteral("savedReadingName")), QStringLiteral("Yes or No"));

        // The Delete key deletes the selected row without asking; Ctrl+Z brings it back.
        click(app.window, app.find(QStringLiteral("readingHistoryEntry")));
        settle(app, animation);
        QTest::keyClick(app.window, Qt::Key_Delete);
        QCoreApplication::processEvents();
        QVERIFY(shown(app, QStringLiteral("historyEmptyState")));
        QCOMPARE(text(app, QStringLiteral("emptyTitle")), QStringLiteral("No readings yet"));
        QVERIFY(shown(app, QStringLiteral("undoDeleteBar")));
        QCOMPARE(app.state.context()->fetch<Reading>().size(), 0);
        QTest::keyClick(app.window, Qt::Key_Z, Qt::ControlModifier);
        QTRY_VERIFY(shown(app, QStringLiteral("historyRow0")));
        QVERIFY(!shown(app, QStringLiteral("undoDeleteBar")));
        QCOMPARE(app.state.context()->fetch<Reading>().size(), 1);
        reading = app.state.context()->fetch<Reading>().first();
        QVERIFY(reading->isFavorite());
        QCOMPARE(reading->notes(), question);

        // The row's menu deletes it for good: gone from the history, the menu and the store.
        click(app.window, app.find(QStringLiteral("historyRow0")), {-1, -1}, Qt::RightButton);
        animation.advanceBy(300);
        QTRY_VERIFY(shown(app, QStringLiteral("deleteReadingItem")));
        saveScreenshot(app.window, QStringLiteral("history-row-menu"));
        click(app.window, app.find(QStringLiteral("deleteReadingItem")));
        animation.advanceBy(300);
        QTRY_VERIFY(shown(app, QStringLiteral("historyEmptyState")));
        QTest::keyClick(app.window, Qt::Key_Escape);
        settle(app, animation);
        QTRY_VERIFY(!shown(app, QStringLiteral("savedReadingsPanel")));
        QVERIFY(!app.state.context()->hasChanges());
        QString error;
        auto reopened = ModelContext::open(dir.filePath(QStringLiteral("default.store")), &error);
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
        QTemporaryDir dir;
        ManualScheduler scheduler;
        QueuedRandomSource random;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        app.window->resize(size);
        ManualAnimationDriver animation;
        openReadings(app, animation);
        YesNoReadingModel *model = openYesNo(app, animation, scheduler, random);
        QVERIFY(model);
        HistoryViewTest::answer(app, animation, scheduler, random, *model, cardLeaning(YesNoLeaning(leaning)), answer);
        QVERIFY(!shown(app, QStringLiteral("quotedQuestion")));
    }

    // The history's three faces over a store filled beforehand, and a Celtic Cross shown again.
    void theHistoryScreens_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1000x700") << QSize(1000, 700);
        QTest::newRow("1400x900") << QSize(1400, 900);
    }
    void theHistoryScreens()
    {
        QFETCH(QSize, size);
        const QString suffix = QStringLiteral("-%1x%2").arg(size.width()).arg(size.height());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("default.store"));
        {
            AppUnderTest app(path);
            QVERIFY(QTest::qWaitForWindowExposed(app.window));
            app.window->resize(size);
            ManualAnimationDriver animation;
            openReadings(app, animation);
            click(app.window, app.find(QStringLiteral("readingHistoryEntry")));
            settle(app, animation);
            QCOMPARE(text(app, QStringLiteral("emptyTitle")), QStringLiteral("No readings yet"));
            saveScreenshot(app.window, QStringLiteral("history-empty") + suffix);
        }

        // Readings of every kind, none starred at first.
        const QList<TarotCard> &cards = CardDataStore::shared().allCards();
        {
            QString error;
            auto context = ModelContext::open(path, &error);
            QVERIFY2(context, qPrintable(error));
            const QDateTime start(QDate(2026, 3, 2), QTime(9, 30));
            const QStringList questions{QStringLiteral("Should I take the new job?"), QString(),
                                        QStringLiteral("Is this the right week to travel?")};
            for (int i = 0; i < 14; ++i) {
                const SpreadDefinition spread = i % 3 == 0   ? SpreadDefinition::yesNo()
                                                : i % 3 == 1 ? SpreadDefinition::threeCard()
                                                             : SpreadDefinition::celticCross();
                auto *reading = new Reading(spread.id);
                reading->setDate(start.addDays(-i * 3).addSecs(i * 600));
                context->insert(reading);
                for (const SpreadPosition &position : spread.positions) {
                    auto *card = new DrawnCard(cards.at((i * 11 + position.index * 7) % 78).id, position.id,
                                               (i + position.index) % 3 == 0);
                    context->insert(card);
                    reading->addDrawnCard(card);
                }
                if (spread.id == QLatin1String("yes_no"))
                    reading->setNotes(questions.at(i / 3 % 3));
            }
            QVERIFY(context->save(&error));
        }

        AppUnderTest app(path);
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        app.window->resize(size);
        ManualAnimationDriver animation;
        openReadings(app, animation);
        click(app.window, app.find(QStringLiteral("readingHistoryEntry")));
        settle(app, animation);
        QVERIFY(shown(app, QStringLiteral("historyList")));
        saveScreenshot(app.window, QStringLiteral("history-full") + suffix);
        QCOMPARE(textIn(app.find(QStringLiteral("historyRow1")), QStringLiteral("rowCardCount")),
                 QStringLiteral("3 cards"));

        // The filter: its title and empty screen, then the starred reading alone.
        click(app.window, app.find(QStringLiteral("favoritesFilterButton")));
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("Saved Readings"));
        QVERIFY(shown(app, QStringLiteral("historyEmptyState")));
        QCOMPARE(text(app, QStringLiteral("emptyTitle")), QStringLiteral("No saved readings"));
        saveScreenshot(app.window, QStringLiteral("history-filtered-empty") + suffix);
        app.state.context()
            ->fetch<Reading>(
                ModelContext::RowQuery{
                    QStringLiteral("spreadType = 'celtic_cross'"), {}, QStringLiteral("date DESC"), 1},
                [](const Reading *r) { return r->spreadType() == QLatin1String("celtic_cross"); },
                [](const Reading *a, const Reading *b) { return a->date() > b->date(); })
            .first()
            ->setIsFavorite(true);
        QTRY_VERIFY(shown(app, QStringLiteral("historyRow0")));
        QCOMPARE(textIn(app.find(QStringLiteral("historyRow0")), QStringLiteral("rowSpreadName")),
                 QStringLiteral("Celtic Cross"));
        QCOMPARE(textIn(app.find(QStringLiteral("historyRow0")), QStringLiteral("rowCardCount")),
                 QStringLiteral("10 cards"));
        saveScreenshot(app.window, QStringLiteral("history-filtered") + suffix);

        // The Celtic Cross again: the cross above its ten rows and the summary.
        click(app.window, app.find(QStringLiteral("historyRow0")));
        settle(app, animation);
        QQuickItem *detail = app.find(QStringLiteral("readingDetailView"));
        QCOMPARE(text(app, QStringLiteral("detailSpreadName")), QStringLiteral("Celtic Cross"));
        QVERIFY(shown(app, QStringLiteral("celticCrossLayout")));
        QCOMPARE(visibleCount(detail, QStringLiteral("summaryParagraph")), 5);
        animation.advanceBy(400);
        saveScreenshot(app.window, QStringLiteral("history-detail-celtic-cross") + suffix);
        // A card of the cross opens the sequence at itself.
        click(app.window, app.find(QStringLiteral("crossCard1")));
        settle(app, animation);
        QCOMPARE(text(app, QStringLiteral("navigationTitle")), QStringLiteral("The Challenge"));
        QCOMPARE(text(app, QStringLiteral("cardCounter")), QStringLiteral("Card 2 of 10"));
        QTest::keyClick(app.window, Qt::Key_Escape);
        settle(app, animation);
        QCOMPARE(detail->property("detail").value<QObject *>()->property("selectedCardIndex").toInt(), -1);
        auto *scroll = app.find(QStringLiteral("readingDetailScroll"));
        auto *flickable = scroll->property("contentItem").value<QQuickItem *>();
        flickable->setProperty("contentY", flickable->property("contentHeight").toReal() - scroll->height());
        animation.advanceBy(100);
        saveScreenshot(app.window, QStringLiteral("history-detail-celtic-cross-end") + suffix);
    }
};

QTEST_MAIN(HistoryViewTest)
#include "tst_history_view.moc"
