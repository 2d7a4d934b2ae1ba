// Drives the real Daily Card screen in the main window over a temporary store: with the mouse
// through a restart, sharing the picture, into the next day, and with the keyboard alone.
#include "AppDriving.h"
#include "Clock.h"
#include "DailyCardViewModel.h"
#include "DateFormat.h"
#include "JournalEntry.h"
#include "ManualAnimationDriver.h"
#include "ModelContext.h"
#include "PictureSharer.h"
#include "RandomSource.h"
#include "Scheduler.h"
#include "TarotCard.h"

#include <QScopeGuard>

namespace {

DailyCardViewModel *dailyModel(const AppUnderTest &app)
{
    return modelOf<DailyCardViewModel>(app.find("dailyCardView"), "model");
}

// Every raw value 41: card 41 of the catalogue, the Six of Cups, with an odd coin: reversed.
struct SixOfCupsReversed : RandomSource
{
    quint64 next() override { return 41; }
};

TarotCard todaysCard(const AppUnderTest &app)
{
    return dailyModel(app)->property("todaysCard").value<TarotCard>();
}

// The item lies wholly inside the visible part of the flickable it scrolls in.
bool inView(QQuickItem *item, QQuickItem *flickable)
{
    const QRectF shown = item->mapRectToItem(flickable, QRectF(0, 0, item->width(), item->height()));
    return shown.top() >= 0 && shown.bottom() <= flickable->height();
}

} // namespace

class DailyViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }
    void cleanup() { Clock::reset(); }

    // With the keyboard alone at the smallest window: shuffle, reveal, choose a mood, write a
    // reflection and look at the card full screen. After a restart the day's card, mood and
    // reflection come back face up, and the full journal page edits the same entry.
    void theKeyboardRitualSurvivesARestart()
    {
        QTemporaryDir dir;
        const QString storePath = dir.filePath("default.store");
        QString reflection;
        {
            // The scheduler and the draw outlive the window whose model they serve.
            ManualScheduler scheduler;
            SixOfCupsReversed random;
            AppUnderTest app(storePath);
            QVERIFY(QTest::qWaitForWindowExposed(app.window));
            ManualAnimationDriver animation;
            DailyCardViewModel *model = dailyModel(app);
            model->setScheduler(scheduler);
            app.window->requestActivate();
            QTRY_VERIFY(app.window->isActive());
            saveScreenshot(app.window, "daily-invitation");
            app.window->resize(1000, 700);

            // At the smallest window the invitation scrolls; Tab brings each control into view.
            QQuickItem *invitation = app.find("invitationScroll");
            saveScreenshot(app.window, "daily-invitation-1000x700");
            QVERIFY(tabTo(app.window, "washShuffleButton"));
            QVERIFY(ringShown(app.window->activeFocusItem()));
            QVERIFY(inView(app.find("washShuffleButton"), invitation));
            saveScreenshot(app.window, "daily-invitation-scrolled-1000x700");
            QVERIFY(tabTo(app.window, "deckButton", true));
            QVERIFY(ringShown(app.window->activeFocusItem()));
            QVERIFY(inView(app.find("deckButton"), invitation));

            QTest::keyClick(app.window, Qt::Key_Space);
            QCOMPARE(model->phase(), DailyCardViewModel::Shuffling);
            scheduler.advance(700);
            animation.advanceBy(150);
            saveScreenshot(app.window, "daily-shuffling");
            model->setRandomSource(random);
            scheduler.advance(900);
            animation.advanceBy(250);
            QCOMPARE(model->phase(), DailyCardViewModel::FaceDown);
            saveScreenshot(app.window, "daily-face-down");

            // The face-down card takes the focus; Return turns it over.
            QVERIFY(tabTo(app.window, "dailyFlipCard"));
            QTest::keyClick(app.window, Qt::Key_Return);
            QCOMPARE(model->phase(), DailyCardViewModel::Revealing);
            animation.advanceBy(DailyCardViewModel::revealDelayMs);
            scheduler.advance(DailyCardViewModel::revealDelayMs);
            QCOMPARE(model->phase(), DailyCardViewModel::Revealed);
            // The chips are placed by the flow layout once the reading is on screen.
            QTRY_VERIFY(app.find("moodChip_Joyful")->position() != QPointF());

            // Space and Return both choose a mood chip.
            QVERIFY(tabTo(app.window, "moodChip_Hopeful"));
            QVERIFY(ringShown(app.window->activeFocusItem()));
            QTest::keyClick(app.window, Qt::Key_Space);
            QCOMPARE(model->journalEntry()->mood(), "Hopeful");
            QVERIFY(tabTo(app.window, "moodChip_Grateful", true));
            QTest::keyClick(app.window, Qt::Key_Return);
            QCOMPARE(model->journalEntry()->mood(), "Grateful");

            // Typing goes into the reflection; Tab leaves it without typing a tab.
            QVERIFY(tabTo(app.window, "dailyReflectionArea"));
            typeText(app.window, "Quiet morning");
            QTest::keyClick(app.window, Qt::Key_Tab);
            QCOMPARE(app.window->activeFocusItem()->objectName(), "openFullJournal");
            QCOMPARE(model->journalEntry()->reflectionText(), "Quiet morning");
            QVERIFY(!app.state.context()->hasChanges());
            QVERIFY(inView(app.find("openFullJournal"),
                           app.find("dailyReadingScroll")->property("contentItem").value<QQuickItem *>()));
            QTest::keyClick(app.window, Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(app.window->activeFocusItem()->objectName(), "dailyReflectionArea");
            QCOMPARE(model->journalEntry()->reflectionText(), "Quiet morning");
            saveScreenshot(app.window, "daily-keyboard-reflection-1000x700");
            app.window->resize(1200, 800);
            animation.advanceBy(500);
            saveScreenshot(app.window, "daily-revealed");
            // At a large size the reading keeps to a comfortable line length, centred.
            app.window->resize(1400, 900);
            QTRY_COMPARE(app.find("contentView")->height(), 900.0 - 28);
            QTRY_VERIFY(app.find("meaningPanel")->width() < 640);
            saveScreenshot(app.window, "daily-revealed-1400x900");
            app.window->resize(1000, 700);
            QTRY_COMPARE(app.find("contentView")->height(), 700.0 - 28);

            // A long reflection grows the field to twelve lines, then scrolls inside it.
            for (int line = 1; line <= 16; ++line) {
                QTest::keyClick(app.window, Qt::Key_Return);
                typeText(app.window, QStringLiteral("Line %1 of the long reflection").arg(line));
            }
            saveScreenshot(app.window, "daily-long-reflection-end");
            QTest::keyClick(app.window, Qt::Key_Home, Qt::ControlModifier);
            saveScreenshot(app.window, "daily-long-reflection-start");

            // The card face opens full screen from the keyboard and Escape closes it again.
            // The card takes the focus on its tap area.
            QQuickItem *face = app.find("dailyCardFace");
            QVERIFY(tabTo(app.window, "tapArea", true) && face->isAncestorOf(app.window->activeFocusItem()));
            QTest::keyClick(app.window, Qt::Key_Return);
            QTRY_VERIFY(face->property("showFullScreen").toBool());
            QTRY_VERIFY(app.find("backdrop"));
            saveScreenshot(app.window, "daily-full-screen-card");
            QTest::keyClick(app.window, Qt::Key_Escape);
            QTRY_VERIFY(!face->property("showFullScreen").toBool());
            QVERIFY(tabTo(app.window, "tapArea") && face->isAncestorOf(app.window->activeFocusItem()));
            reflection = model->journalEntry()->reflectionText();
            QVERIFY(!app.state.context()->hasChanges());
        }

        AppUnderTest again(storePath);
        QVERIFY(QTest::qWaitForWindowExposed(again.window));
        QVERIFY(shown(again.find("dailyRevealed")));
        QCOMPARE(todaysCard(again).id, "cups_06");
        QVERIFY(dailyModel(again)->isReversed());
        const QList<JournalEntry *> entries = again.state.context()->fetch<JournalEntry>();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first()->mood(), "Grateful");
        QCOMPARE(entries.first()->reflectionText(), reflection);
        QCOMPARE(textOf(again.find("dailyReflectionArea")), reflection);

        // The full journal page edits the same entry and saves on "Done".
        click(again.window, again.find("openFullJournal"));
        QTRY_VERIFY(shown(again.find("journalEditorView")));
        QTRY_VERIFY(!again.find("stackView")->property("busy").toBool());
        click(again.window, again.find("journalReflectionArea"));
        QTest::keyClick(again.window, Qt::Key_End, Qt::ControlModifier);
        typeText(again.window, ", and grateful.");
        QQuickItem *editorChip = findItem(again.find("journalEditorView"), QStringLiteral("moodChip_Grateful"));
        QTRY_VERIFY(editorChip && editorChip->x() > 0);
        click(again.window, editorChip); // the mood already chosen: clears it
        saveScreenshot(again.window, "journal-editor");
        click(again.window, again.find("journalDoneButton"));
        QTRY_VERIFY(!shown(again.find("journalEditorView")));
        QVERIFY(!again.state.context()->hasChanges());
        QCOMPARE(entries.first()->reflectionText(), reflection + ", and grateful.");
        QVERIFY(entries.first()->mood().isNull());
    }

    // "Share Card" renders the picture, offers it in a menu just below the button, and "Save
    // Picture…" saves it from a dialog that starts in the user's Pictures folder. The window,
    // left open, then greets the new day at midnight instead of showing yesterday's card.
    void shareThePictureThenMeetTheNewDay()
    {
        QTemporaryDir dir;
        const QString pictures = dir.filePath("My Pictures");
        const QString config = dir.filePath("config");
        QVERIFY(QDir().mkpath(pictures) && QDir().mkpath(config));
        QFile userDirs(config + "/user-dirs.dirs");
        QVERIFY(userDirs.open(QIODevice::WriteOnly));
        userDirs.write("XDG_PICTURES_DIR=\"" + pictures.toUtf8() + "\"\n");
        userDirs.close();
        const QByteArray previousConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", previousConfig); });

        const QDateTime start(QDate(2026, 12, 6), QTime(23, 59, 50));
        ManualScheduler scheduler;
        Clock::follow([&] { return start.addMSecs(scheduler.elapsed()); });
        AppUnderTest app(dir.filePath("default.store"));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        ManualAnimationDriver animation;
        DailyCardViewModel *model = dailyModel(app);
        model->setScheduler(scheduler);
        // With the mouse: the deck shuffles, the wash shuffle cannot start meanwhile, and a
        // click turns the card.
        click(app.window, app.find("deckButton"));
        click(app.window, app.find("washShuffleButton"));
        QVERIFY(!model->isWashShuffling());
        scheduler.advance(1600);
        animation.advanceBy(400);
        click(app.window, app.find("dailyFlipCard"));
        animation.advanceBy(DailyCardViewModel::revealDelayMs);
        scheduler.advance(DailyCardViewModel::revealDelayMs);
        QVERIFY(shown(app.find("dailyRevealed")));

        QQuickItem *shareButton = app.find("shareCardButton");
        click(app.window, shareButton);
        QObject *menu = app.find("dailyRevealed")->findChild<QObject *>(QStringLiteral("shareMenu"));
        QVERIFY(menu);
        QTRY_VERIFY(menu->property("opened").toBool());
        QVERIFY(popupHasEdge(menu));
        QQuickItem *save = app.find("savePictureItem");
        QVERIFY(save);
        const double buttonBottom = shareButton->mapToScene(QPointF(0, shareButton->height())).y();
        QVERIFY2(save->mapToScene(QPointF(0, 0)).y() >= buttonBottom, "the menu covers its button");
        saveScreenshot(app.window, "daily-share-menu");

        click(app.window, save);
        QQuickItem *fileName = nullptr;
        QTRY_VERIFY(shown(fileName = app.find("fileNameTextField")));
        const QString suggested = PictureSharer::suggestedFileName(todaysCard(app));
        QCOMPARE(textOf(fileName), suggested);
        // Readable in the dark palette: the folder path bar is not left white.
        QQuickItem *pathBar = findItem(app.window->contentItem(), [](QQuickItem *item) {
            return QByteArray(item->metaObject()->className()).contains("FolderBreadcrumbBar");
        });
        QVERIFY(pathBar);
        const QColor pathBarColour =
            pathBar->property("background").value<QQuickItem *>()->property("color").value<QColor>();
        QVERIFY2(pathBarColour.lightnessF() < 0.3, qPrintable(pathBarColour.name()));
        saveScreenshot(app.window, "daily-save-dialog");
        click(app.window, buttonWithText(app.window->contentItem(), "Save"));

        const QString saved = pictures + '/' + suggested;
        QTRY_VERIFY(QFile::exists(saved));
        QTRY_VERIFY(shown(app.find("savedFileBar")));
        QCOMPARE(textOf(app.find("savedFileMessage")), "Saved \u201c" + suggested + "\u201d in My Pictures.");
        click(app.window, app.find("savedFileCloseButton"));
        QVERIFY(!shown(app.find("savedFileBar")));
        const QString screenshot = QStringLiteral(QUILLMOOR_BINARY_DIR "/screenshots/share-picture.png");
        QFile::remove(screenshot);
        QVERIFY(QFile::copy(saved, screenshot));
        const QImage picture(saved);
        QCOMPARE(picture.width(), 1044);
        QVERIFY(picture.height() > 1044);
        // The card's picture is in it: far more colours than text on a dark panel.
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 5)
            for (int x = 0; x < picture.width(); x += 5)
                colours.insert(picture.pixel(x, y));
        QVERIFY2(colours.size() > 2000, qPrintable(QString::number(colours.size())));
        auto *sharer = app.find("dailyRevealed")->findChild<PictureSharer *>(QStringLiteral("pictureSharer"));
        QVERIFY(!sharer->saveTo(QUrl::fromLocalFile(dir.filePath("missing/folder/x.png"))));
        QVERIFY(!sharer->lastError().isEmpty());

        scheduler.advance(10'000);
        QVERIFY(shown(app.find("dailyInvitation")));
        QVERIFY(!shown(app.find("dailyRevealed")));
        QCOMPARE(textOf(app.find("todayDate")), DateFormat::longDate(QDate(2026, 12, 7)));
    }
};

QTEST_MAIN(DailyViewTest)
#include "tst_daily_view.moc"
