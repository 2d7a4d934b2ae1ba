// Drives the real Daily Card screen in the main window over a temporary store.
#include "../app/AppTestSupport.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "PictureSharer.h"
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

QObject *dailyModel(const AppUnderTest &app)
{
    QQuickItem *view = app.find(QStringLiteral("dailyCardView"));
    return view ? view->property("model").value<QObject *>() : nullptr;
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
            AppUnderTest app(storePath);
            QVERIFY(app.window);
            QVERIFY(QTest::qWaitForWindowExposed(app.window));
            QTRY_VERIFY(shown(app, QStringLiteral("dailyInvitation")));
            saveScreenshot(app.window, QStringLiteral("daily-invitation"));

            click(app.window, app.find(QStringLiteral("deckButton")));
            QTRY_VERIFY(shown(app, QStringLiteral("pileShuffle")));
            // The wash shuffle cannot start while the pile shuffle runs.
            click(app.window, app.find(QStringLiteral("washShuffleButton")));
            QVERIFY(!dailyModel(app)->property("isWashShuffling").toBool());
            QTest::qWait(700);
            saveScreenshot(app.window, QStringLiteral("daily-shuffling"));

            QTRY_VERIFY_WITH_TIMEOUT(shown(app, QStringLiteral("dailyFaceDown")), 5000);
            saveScreenshot(app.window, QStringLiteral("daily-face-down"));
            cardId = todaysCard(app).id;
            reversed = dailyModel(app)->property("isReversed").toBool();
            QVERIFY(!cardId.isEmpty());

            click(app.window, app.find(QStringLiteral("dailyFlipCard")));
            QTRY_VERIFY_WITH_TIMEOUT(shown(app, QStringLiteral("dailyRevealed")), 3000);

            // The chips are placed by the flow layout once the reading is on screen.
            QTRY_VERIFY(app.find(QStringLiteral("moodChip_Grateful"))->x() > 0);
            click(app.window, app.find(QStringLiteral("moodChip_Grateful")));
            QQuickItem *reflection = app.find(QStringLiteral("dailyReflectionArea"));
            click(app.window, reflection);
            QTRY_VERIFY(reflection->hasActiveFocus());
            typeText(app.window, QStringLiteral("Calm and clear"));
            QTest::qWait(100);
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
        QQuickItem *editorChip = findItem(again.find(QStringLiteral("journalEditorView")),
                                                        QStringLiteral("moodChip_Grateful"));
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
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(app.window);
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        QObject *model = dailyModel(app);
        QVERIFY(QMetaObject::invokeMethod(model, "drawCard", Q_ARG(bool, true)));
        model->setProperty("isRevealed", true);
        QTRY_VERIFY(shown(app, QStringLiteral("dailyRevealed")));

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
};

QTEST_MAIN(DailyViewTest)
#include "tst_daily_view.moc"
