// The Daily Card screen with the keyboard alone, in the real main window at its smallest size:
// shuffle, reveal, choose a mood, write a reflection, look at the card full screen.
#include "../study/AppDriving.h"
#include "DailyCardViewModel.h"
#include "JournalEntry.h"
#include "ManualAnimationDriver.h"
#include "ModelContext.h"
#include "Scheduler.h"

namespace {

// The focused control shows its ring: a visible FocusRing in its background.
bool ringShown(QQuickItem *control)
{
    auto *background = control->property("background").value<QQuickItem *>();
    QList<QQuickItem *> parts{background};
    if (background)
        parts += background->childItems();
    return std::any_of(parts.begin(), parts.end(), [](QQuickItem *part) {
        return part && QByteArray(part->metaObject()->className()).startsWith("FocusRing") && part->isVisible();
    });
}

// The item lies wholly inside the visible part of the flickable it scrolls in.
bool inView(QQuickItem *item, QQuickItem *flickable)
{
    const QRectF shown = item->mapRectToItem(flickable, QRectF(0, 0, item->width(), item->height()));
    return shown.top() >= 0 && shown.bottom() <= flickable->height();
}

} // namespace

class DailyKeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void revealMoodAndReflectionWithTheKeyboardAlone()
    {
        ManualScheduler scheduler;
        ScratchApp app;
        app.window->resize(1000, 700);
        ManualAnimationDriver animation;
        auto *model = modelOf<DailyCardViewModel>(app.find("dailyCardView"), "model");
        model->setScheduler(scheduler);
        app.window->requestActivate();
        QTRY_VERIFY(app.window->isActive());

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
        scheduler.advance(1600);
        animation.advanceBy(400);
        QCOMPARE(model->phase(), DailyCardViewModel::FaceDown);

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

        // A long reflection grows the field to twelve lines, then scrolls inside it.
        for (int line = 1; line <= 16; ++line) {
            QTest::keyClick(app.window, Qt::Key_Return);
            typeText(app.window, QStringLiteral("Line %1 of the long reflection").arg(line));
        }
        saveScreenshot(app.window, "daily-long-reflection-end");
        QTest::keyClick(app.window, Qt::Key_Home, Qt::ControlModifier);
        saveScreenshot(app.window, "daily-long-reflection-start");

        // The card face opens full screen from the keyboard and Escape closes it again.
        QVERIFY(tabTo(app.window, "dailyCardFace", true));
        QQuickItem *face = app.find("dailyCardFace");
        QTest::keyClick(app.window, Qt::Key_Return);
        QTRY_VERIFY(face->property("showFullScreen").toBool());
        QTRY_VERIFY(app.find("backdrop"));
        saveScreenshot(app.window, "daily-full-screen-card");
        QTest::keyClick(app.window, Qt::Key_Escape);
        QTRY_VERIFY(!face->property("showFullScreen").toBool());
        QVERIFY(tabTo(app.window, "dailyCardFace"));
    }
};

QTEST_MAIN(DailyKeyboardTest)
#include "tst_daily_keyboard.moc"
