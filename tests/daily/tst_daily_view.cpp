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

#include <QScopeGuard>

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

// The enabled button showing `text`, anywhere below `item`.
QQuickItem *findButton(QQuickItem *item, const QString &text)
{
    if (!item)
        return nullptr;
    if (item->inherits("QQuickAbstractButton") && item->property("text").toString() == text && item->isVisible())
        return item;
    for (QQuickItem *child : item->childItems())
        if (QQuickItem *found = findButton(child, text))
            return found;
    return nullptr;
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
            // At a large size the reading keeps to a comfortable line length, centred.
            app.window->resize(1400, 900);
            QTRY_COMPARE(app.find(QStringLiteral("contentView"))->height(), 900.0 - 28);
            QQuickItem *meaning = app.find(QStringLiteral("meaningPanel"));
            QTRY_VERIFY(meaning->width() < 640);
            saveScreenshot(app.window, QStringLiteral("daily-revealed-1400x900"));

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

    // "Share Card" renders the picture, offers it in a menu just below the button, and "Save
    // Picture…" saves it from a dialog that starts in the user's Pictures folder.
    void theSharePictureIsSavedFromTheSaveDialog()
    {
        QTemporaryDir dir;
        const QString pictures = dir.filePath(QStringLiteral("My Pictures"));
        QVERIFY(QDir().mkpath(pictures));
        const QString config = dir.filePath(QStringLiteral("config"));
        QVERIFY(QDir().mkpath(config));
        QFile userDirs(config + QStringLiteral("/user-dirs.dirs"));
        QVERIFY(userDirs.open(QIODevice::WriteOnly));
        userDirs.write("XDG_PICTURES_DIR=\"" + pictures.toUtf8() + "\"\n");
        userDirs.close();
        const QByteArray previousConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", previousConfig); });

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

        QQuickItem *shareButton = app.find(QStringLiteral("shareCardButton"));
        click(app.window, shareButton);
        QObject *menu = app.find(QStringLiteral("dailyRevealed"))->findChild<QObject *>(QStringLiteral("shareMenu"));
        QVERIFY(menu);
        QTRY_VERIFY(menu->property("opened").toBool());
        QQuickItem *save = app.find(QStringLiteral("savePictureItem"));
        QVERIFY(save);
        const double buttonBottom = shareButton->mapToScene(QPointF(0, shareButton->height())).y();
        QVERIFY2(save->mapToScene(QPointF(0, 0)).y() >= buttonBottom, "the menu covers its button");
        saveScreenshot(app.window, QStringLiteral("daily-share-menu"));

        auto *sharer =
            app.find(QStringLiteral("dailyRevealed"))->findChild<PictureSharer *>(QStringLiteral("pictureSharer"));
        QVERIFY(sharer);
        QCOMPARE(sharer->picture().width(), 1044);

        click(app.window, save);
        QQuickItem *fileName = nullptr;
        QTRY_VERIFY((fileName = app.find(QStringLiteral("fileNameTextField"))) && fileName->isVisible());
        const QString suggested = PictureSharer::suggestedFileName(todaysCard(app));
        QCOMPARE(fileName->property("text").toString(), suggested);
        // Readable in the dark palette: the folder path bar is not left white.
        QQuickItem *pathBar = findItem(app.window->contentItem(), [](QQuickItem *item) {
            return QByteArray(item->metaObject()->className()).contains("FolderBreadcrumbBar");
        });
        QVERIFY(pathBar);
        const QColor pathBarColour =
            pathBar->property("background").value<QQuickItem *>()->property("color").value<QColor>();
        QVERIFY2(pathBarColour.lightnessF() < 0.3, qPrintable(pathBarColour.name()));
        QQuickItem *accept = findButton(app.window->contentItem(), QStringLiteral("Save"));
        QVERIFY2(accept, "no button labelled Save");
        saveScreenshot(app.window, QStringLiteral("daily-save-dialog"));
        click(app.window, accept);

        const QString saved = pictures + QLatin1Char('/') + suggested;
        QTRY_VERIFY(QFile::exists(saved));
        // For people to look at.
        const QString folder = QStringLiteral(QUILLMOOR_BINARY_DIR "/screenshots");
        QDir().mkpath(folder);
        QFile::remove(folder + QStringLiteral("/share-picture.png"));
        QVERIFY(QFile::copy(saved, folder + QStringLiteral("/share-picture.png")));
        const QImage picture(saved);
        QCOMPARE(picture.width(), 1044);
        QVERIFY(picture.height() > 1044);
        // The card's picture is in it: far more colours than text on a dark panel.
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 5)
            for (int x = 0; x < picture.width(); x += 5)
                colours.insert(picture.pixel(x, y));
        QVERIFY2(colours.size() > 2000, qPrintable(QString::number(colours.size())));

        QVERIFY(!sharer->saveTo(QUrl::fromLocalFile(dir.filePath(QStringLiteral("missing/folder/x.png")))));
        QVERIFY(!sharer->lastError().isEmpty());
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
