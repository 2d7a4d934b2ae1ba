// Drives the real Daily Card screen in the main window over a temporary store.
#include "../app/AppTestSupport.h"
#include "Clock.h"
#include "DailyCardViewModel.h"
#include "DateFormat.h"
#include "JournalEntry.h"
#include "ManualAnimationDriver.h"
#include "ModelContext.h"
#include "PictureSharer.h"
#include "Scheduler.h"
#include "TarotCard.h"

namespace {

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

bool shown(const AppUnderTest &app, const QString &name)
{
    QQuickItem *item = app.find(name);
    return item && item->isVisible();
}

DailyCardViewModel *dailyModel(const AppUnderTest &app)
{
    QQuickItem *view = app.find(QStringLiteral("dailyCardView"));
    return view ? view->property("model").value<DailyCardViewModel *>() : nullptr;
}

TarotCard todaysCard(const AppUnderTest &app)
{
    return dailyModel(app)->property("todaysCard").value<TarotCard>();
}

} // namespace

class DailyViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void shuffleDrawRevealAndReflectSurviveARestart()
    {
        QTemporaryDir dir;
        const QString storePath = dir.filePath(QStringLiteral("default.store"));
        QString cardId;
        bool reversed = false;
        {
            // The scheduler outlives the window whose model it times.
            ManualScheduler scheduler;
            AppUnderTest app(storePath);
            QVERIFY(app.window);
            QVERIFY(QTest::qWaitForWindowExposed(app.window));
            ManualAnimationDriver animation;
            dailyModel(app)->setScheduler(scheduler);
            QVERIFY(shown(app, QStringLiteral("dailyInvitation")));
            saveScreenshot(app.window, QStringLiteral("daily-invitation"));

            click(app.window, app.find(QStringLiteral("deckButton")));
            QVERIFY(shown(app, QStringLiteral("pileShuffle")));
            // The wash shuffle cannot start while the pile shuffle runs.
            click(app.window, app.find(QStringLiteral("washShuffleButton")));
            QVERIFY(!dailyModel(app)->isWashShuffling());
            scheduler.advance(700);
            animation.advanceBy(150);
            saveScreenshot(app.window, QStringLiteral("daily-shuffling"));

            scheduler.advance(900);
            QVERIFY(shown(app, QStringLiteral("dailyFaceDown")));
            saveScreenshot(app.window, QStringLiteral("daily-face-down"));
            cardId = todaysCard(app).id;
            reversed = dailyModel(app)->isReversed();
            QVERIFY(!cardId.isEmpty());

            click(app.window, app.find(QStringLiteral("dailyFlipCard")));
            animation.advanceBy(DailyCardViewModel::revealDelayMs);
            scheduler.advance(DailyCardViewModel::revealDelayMs);
            QVERIFY(shown(app, QStringLiteral("dailyRevealed")));

            // The chips are placed by the flow layout once the reading is on screen.
            QTRY_VERIFY(app.find(QStringLiteral("moodChip_Grateful"))->x() > 0);
            click(app.window, app.find(QStringLiteral("moodChip_Grateful")));
            QQuickItem *reflection = app.find(QStringLiteral("dailyReflectionArea"));
            click(app.window, reflection);
            QTRY_VERIFY(reflection->hasActiveFocus());
            typeText(app.window, QStringLiteral("Calm and clear"));
            animation.advanceBy(500);
            saveScreenshot(app.window, QStringLiteral("daily-revealed"));

            // Every change was saved as it happened.
            QVERIFY(!app.state.context()->hasChanges());
        }

        AppUnderTest again(storePath);
        QVERIFY(again.window);
        QVERIFY(QTest::qWaitForWindowExposed(again.window));
        QVERIFY(shown(again, QStringLiteral("dailyRevealed")));
        QCOMPARE(todaysCard(again).id, cardId);
        QCOMPARE(dailyModel(again)->property("isReversed").toBool(), reversed);
        const QList<JournalEntry *> entries = again.state.context()->fetch<JournalEntry>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->mood(), QStringLiteral("Grateful"));
        QCOMPARE(entries.first()->reflectionText(), QStringLiteral("Calm and clear"));
        QCOMPARE(again.find(QStringLiteral("dailyReflectionArea"))->property("text").toString(),
                 QStringLiteral("Calm and clear"));

        // The full journal page edits the same entry and saves on "Done".
        click(again.window, again.find(QStringLiteral("openFullJournal")));
        QTRY_VERIFY(shown(again, QStringLiteral("journalEditorView")));
        QTRY_VERIFY(!again.find(QStringLiteral("stackView"))->property("busy").toBool());
        QQuickItem *editor = again.find(QStringLiteral("journalReflectionArea"));
        click(again.window, editor);
        QTest::keyClick(again.window, Qt::Key_End, Qt::ControlModifier);
        typeText(again.window, QStringLiteral(", and grateful."));
        QQuickItem *editorChip =
            findItem(again.find(QStringLiteral("journalEditorView")), QStringLiteral("moodChip_Grateful"));
        QVERIFY(editorChip);
        QTRY_VERIFY(editorChip->x() > 0);
        click(again.window, editorChip); // the mood already chosen: clears it
        saveScreenshot(again.window, QStringLiteral("journal-editor"));
        click(again.window, again.find(QStringLiteral("journalDoneButton")));
        QTRY_VERIFY(!shown(again, QStringLiteral("journalEditorView")));
        QVERIFY(!again.state.context()->hasChanges());
        QCOMPARE(entries.first()->reflectionText(), QStringLiteral("Calm and clear, and grateful."));
        QVERIFY(entries.first()->mood().isNull());
    }

    void theSharePictureIs1044PixelsWide()
    {
        QTemporaryDir dir;
        ManualScheduler scheduler;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(app.window);
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        DailyCardViewModel *model = dailyModel(app);
        model->setScheduler(scheduler);
        model->shuffle();
        scheduler.advance(1600);
        model->reveal();
        scheduler.advance(DailyCardViewModel::revealDelayMs);
        QVERIFY(shown(app, QStringLiteral("dailyRevealed")));

        click(app.window, app.find(QStringLiteral("shareCardButton")));
        QObject *menu = app.find(QStringLiteral("dailyRevealed"))->findChild<QObject *>(QStringLiteral("shareMenu"));
        QVERIFY(menu);
        QTRY_VERIFY(menu->property("visible").toBool());

        PictureSharer sharer;
        sharer.render(app.find(QStringLiteral("shareCardImage")));
        QTRY_VERIFY(sharer.hasPicture());
        const QImage picture = sharer.picture();
        QCOMPARE(picture.width(), 1044);
        QVERIFY(picture.height() > 1044 / 2);
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 7)
            for (int x = 0; x < picture.width(); x += 7)
                colours.insert(picture.pixel(x, y));
        QVERIFY2(colours.size() > 50, "the picture must show text, not one flat colour");

        const QString folder = QStringLiteral(QUILLMOOR_BINARY_DIR "/screenshots");
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/share-picture.png");
        QVERIFY(sharer.saveTo(QUrl::fromLocalFile(path)));
        QCOMPARE(QImage(path).width(), 1044);
        QVERIFY(!sharer.saveTo(QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing/folder/x.png")))));
        QVERIFY(!sharer.lastError().isEmpty());
    }

    // A window left open overnight greets the new day instead of showing yesterday's card.
    void anOpenWindowMovesToTheNewDayAtMidnight()
    {
        const QDateTime start(QDate(2026, 12, 6), QTime(23, 59, 50));
        ManualScheduler scheduler;
        Clock::follow([&] { return start.addMSecs(scheduler.elapsed()); });
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        DailyCardViewModel *model = dailyModel(app);
        model->setScheduler(scheduler);
        model->shuffle();
        scheduler.advance(1600);
        model->reveal();
        scheduler.advance(DailyCardViewModel::revealDelayMs);
        QVERIFY(shown(app, QStringLiteral("dailyRevealed")));

        scheduler.advance(10'000);
        QVERIFY(shown(app, QStringLiteral("dailyInvitation")));
        QVERIFY(!shown(app, QStringLiteral("dailyRevealed")));
        QCOMPARE(app.find(QStringLiteral("todayDate"))->property("text").toString(),
                 DateFormat::longDate(QDate(2026, 12, 7)));
        Clock::reset();
    }
};

QTEST_MAIN(DailyViewTest)
#include "tst_daily_view.moc"
