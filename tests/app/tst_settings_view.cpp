// The settings sheet in the real main window, driven by keyboard and mouse, with the
// notification centre replaced by a fake.
#include "AppDriving.h"
#include "AppSection.h"
#include "AppSettings.h"
#include "AppTestSupport.h"
#include "BackupListModel.h"
#include "DateFormat.h"
#include "DesktopPreferences.h"
#include "FakeNotificationCenter.h"
#include "JournalEntry.h"
#include "ManualAnimationDriver.h"
#include "ModelContext.h"
#include "Reading.h"
#include "SettingsViewModel.h"
#include "WindowActions.h"

#include <QClipboard>

namespace {

struct SettingsWindow
{
    explicit SettingsWindow(QSize size = QSize(1000, 700))
    {
        app.state.setNotificationCenter(&center);
        app.window->resize(size);
        animations = std::make_unique<ManualAnimationDriver>();
    }
    // Lets the switches finish moving, then takes the picture.
    void screenshot(const QString &name)
    {
        animations->advanceBy(300);
        saveScreenshot(app.window, name);
    }
    AppSettings *settings() const { return app.state.context()->fetch<AppSettings>().constFirst(); }
    QObject *sheet() const { return app.window->findChild<QObject *>(QStringLiteral("settingsSheet")); }
    bool open()
    {
        QTest::keyClick(app.window, Qt::Key_Comma, Qt::ControlModifier);
        return QTest::qWaitFor([this] { return sheet()->property("opened").toBool(); });
    }
    QQuickItem *find(const char *name) const { return app.find(QLatin1String(name)); }
    QTime scheduled() const { return center.pending.value(QStringLiteral("daily_card_reminder")).time; }

    FakeNotificationCenter center;
    AppUnderTest app;
    std::unique_ptr<ManualAnimationDriver> animations;
};

} // namespace

class SettingsViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void theReminderSwitchShowsThePickerOnlyWithPermission()
    {
        SettingsWindow window;
        QVERIFY(window.open());
        QQuickItem *sheet = window.find("settingsView");
        QVERIFY(sheet && sheet->width() >= 450 && sheet->height() >= 400);
        QVERIFY(!window.find("reminderTimeRow"));
        window.screenshot(QStringLiteral("settings-reminder-off"));

        // Refused: the switch goes back off and no picker appears.
        clickOn(window.app.window, window.find("dailyReminderToggle"));
        QVERIFY(window.settings()->dailyReminderEnabled());
        window.center.answer(false);
        QTRY_VERIFY(!window.find("dailyReminderToggle")->property("checked").toBool());
        QVERIFY(!window.find("reminderTimeRow"));
        QVERIFY(window.center.pending.isEmpty());
        window.screenshot(QStringLiteral("settings-reminder-refused"));

        clickOn(window.app.window, window.find("dailyReminderToggle"));
        window.center.answer(true);
        QTRY_VERIFY(window.find("reminderTimeRow"));
        QCOMPARE(window.center.pending.size(), 1);
        QVERIFY(window.find("dailyReminderToggle")->property("checked").toBool());
        QTRY_VERIFY(window.find("reminderTimeRow")->height() > 0);
        window.screenshot(QStringLiteral("settings-reminder-on"));

        // The stepper changes the hour until a minute is chosen.
        clickOn(window.app.window, window.find("reminderStepUp"));
        QTRY_COMPARE(window.scheduled(), QTime(10, 0));
    }

    void tabReachesEveryControlAndArrowsSetTheTime()
    {
        SettingsWindow window;
        window.settings()->setDailyReminderEnabled(true);
        // Storing the settings record took the day's snapshot, which the list shows.
        window.app.state.backups()->waitForIdle();
        QCOMPARE(window.app.state.backups()->backups().list().size(), 1);
        QVERIFY(window.open());
        const QStringList controls{QStringLiteral("allowReversedToggle"),    QStringLiteral("reduceMotionToggle"),
                                   QStringLiteral("dailyReminderToggle"),    QStringLiteral("reminderHour"),
                                   QStringLiteral("reminderMinute"),         QStringLiteral("reminderPeriod"),
                                   QStringLiteral("restoreBackupButton"),    QStringLiteral("backUpNowButton"),
                                   QStringLiteral("exportEverythingButton"), QStringLiteral("importArchiveButton"),
                                   QStringLiteral("syncChooseFolderButton"), QStringLiteral("syncDeviceNameField"),
                                   QStringLiteral("sendFeedbackButton"),     QStringLiteral("websiteButton"),
                                   QStringLiteral("settingsDoneButton")};
        const QStringList timeParts = controls.mid(3, 3);
        QQuickItem *list = window.find("settingsList");
        QStringList reached;
        for (int i = 0; i < 2 * controls.size(); ++i) {
            QTest::keyClick(window.app.window, Qt::Key_Tab);
            const QString name = focusedName(window.app.window);
            if (!reached.contains(name))
                reached.append(name);
            if (name == QLatin1String("sendFeedbackButton") && i < controls.size())
                window.screenshot(QStringLiteral("settings-keyboard-focus"));
            // Focus that came from the keyboard shows, and the list scrolls it into view.
            QQuickItem *item = window.app.window->activeFocusItem();
            // A text field shows its focus with its caret and border instead.
            QVERIFY2(timeParts.contains(name) || item->property("visualFocus").toBool() ||
                         item->inherits("QQuickTextInput"),
                     qPrintable(name));
            const QRectF shown = list->mapRectToScene(QRectF(0, 0, list->width(), list->height()));
            const QRectF where = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
            QVERIFY2(name == controls.last() || shown.contains(where), qPrintable(name));
        }
        QCOMPARE(reached, controls); // in this order, and nothing outside the sheet

        // Shift+Tab walks back; the arrows step the focused part of the time.
        QVERIFY(tabTo(window.app.window, QStringLiteral("reminderMinute"), true));
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Left})
            QTest::keyClick(window.app.window, key);
        QCOMPARE(focusedName(window.app.window), QStringLiteral("reminderHour"));
        QTest::keyClick(window.app.window, Qt::Key_Up);
        QTest::keyClick(window.app.window, '7');
        QCOMPARE(window.settings()->dailyReminderTime().time(), QTime(7, 59));
        QCOMPARE(window.scheduled(), QTime(7, 59));
        QVERIFY(!window.settings()->context()->hasChanges());

        // Space toggles the focused switch.
        QVERIFY(tabTo(window.app.window, QStringLiteral("allowReversedToggle"), true));
        QTest::keyClick(window.app.window, Qt::Key_Space);
        QVERIFY(!window.settings()->allowReversedCards());

        // The motion switch overrides the desktop, which here asks for animations, and says so.
        QTemporaryDir config;
        DesktopPreferences &preferences = *DesktopPreferences::instance();
        preferences.setChoiceFile(config.filePath(QStringLiteral("display.ini")));
        const auto followAgain = qScopeGuard([&] { preferences.setMotionChoice(DesktopPreferences::FollowDesktop); });
        QVERIFY(!preferences.reducedMotion());
        QVERIFY(tabTo(window.app.window, QStringLiteral("reduceMotionToggle")));
        QTest::keyClick(window.app.window, Qt::Key_Space);
        QVERIFY(preferences.reducedMotion());
        QCOMPARE(preferences.motionChoice(), DesktopPreferences::AlwaysReduce);
        QVERIFY(window.find("reduceMotionToggle")->property("checked").toBool());
        QTest::keyClick(window.app.window, Qt::Key_Space);
        QCOMPARE(preferences.motionChoice(), DesktopPreferences::FollowDesktop);
    }

    // Escape and Done close the sheet, which then opens afresh; a click on the reminder
    // notification closes it and shows the Daily Card.
    void theSheetClosesAndOpensAfresh()
    {
        SettingsWindow window;
        WarningCapture warnings;
        QVERIFY(window.open());
        QQuickItem *first = window.find("settingsView");
        QTest::keyClick(window.app.window, Qt::Key_Escape);
        QTRY_VERIFY(!window.sheet()->property("visible").toBool());
        QVERIFY(window.open());
        QVERIFY(window.find("settingsView") != first);
        QVERIFY(tabTo(window.app.window, QStringLiteral("settingsDoneButton")));
        QTest::keyClick(window.app.window, Qt::Key_Return);
        QTRY_VERIFY(!window.sheet()->property("visible").toBool());
        QCOMPARE(window.app.state.context()->fetch<AppSettings>().size(), 1);
        // Closing takes the screen down without a complaint from its bindings.
        QVERIFY2(warnings.lines().isEmpty(), qPrintable(warnings.lines().join(QLatin1Char('\n'))));

        clickOn(window.app.window, window.find("sectionRow4"));
        QVERIFY(window.open());
        window.app.state.requestSection(AppSection::DailyCard);
        QTRY_VERIFY(!window.sheet()->property("visible").toBool());
        QTRY_COMPARE(window.find("navigationTitle")->property("text").toString(), QStringLiteral("Daily Card"));
    }

    void withoutAServiceManagerTheSheetSaysTheAppMustRun()
    {
        SettingsWindow window(QSize(1400, 900));
        window.center.delivers = false;
        window.settings()->setDailyReminderEnabled(true);
        window.settings()->setDailyReminderTime(QDateTime(QDate(2026, 5, 4), QTime(21, 5)));
        QVERIFY(window.open());
        QTRY_VERIFY(window.find("reminderTimeRow"));
        QCOMPARE(window.find("reminderHour")->property("text").toString(), QStringLiteral("9"));
        QCOMPARE(window.find("reminderPeriod")->property("text").toString(), QStringLiteral("PM"));
        window.screenshot(QStringLiteral("settings-reminder-in-app-large"));
    }
    // The snapshots are listed newest first, each its time above what it holds, inside the
    // sheet; Back Up Now, reached with Tab, makes one and says so.
    void backupsAreListedAndMadeOnRequest()
    {
        SettingsWindow window;
        BackupScheduler *backups = window.app.state.backups();
        QVERIFY(backups);
        backups->waitForIdle(); // the day's first save may have started one
        QVERIFY(window.open());
        const auto rectOf = [](QQuickItem *item) {
            return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
        };
        QVERIFY(tabTo(window.app.window, QStringLiteral("backUpNowButton")));
        QTest::keyClick(window.app.window, Qt::Key_Return);
        backups->waitForIdle();
        const QList<StoreBackups::Snapshot> made = backups->backups().list();
        QCOMPARE(made.size(), 1); // one a day: the newer replaced any earlier one of today
        QQuickItem *row = nullptr;
        QTRY_VERIFY((row = window.find("backupRow0")));
        QVERIFY(!window.find("backupRow1"));
        QVERIFY(!window.find("noBackupsRow")->isVisible());
        QQuickItem *title = findItem(row, QStringLiteral("backupTitle"));
        QQuickItem *detail = findItem(row, QStringLiteral("backupDetail"));
        QVERIFY(title->property("text").toString().startsWith(
            DateFormat::longDate(made.first().taken.toLocalTime().date())));
        const auto contents = StoreBackups::contents(made.first().path, nullptr);
        QVERIFY(contents);
        QCOMPARE(detail->property("text").toString(), BackupListModel::detailOf(made.first(), *contents));
        QVERIFY(!rectOf(title).intersects(rectOf(detail)));
        const QRectF sheet = rectOf(window.find("settingsView"));
        QVERIFY(sheet.left() <= rectOf(row).left() && rectOf(row).right() <= sheet.right());
        QVERIFY(window.find("backupsSection")->property("footer").toString().startsWith(QStringLiteral("Backed up.")));
        window.screenshot(QStringLiteral("settings-backups"));

        // Restoring asks first, saying what the backup holds; Escape leaves everything as it is.
        auto *reading = new Reading(QStringLiteral("three_card"));
        window.app.state.context()->insert(reading);
        QVERIFY(window.app.state.context()->save());
        QVERIFY(tabTo(window.app.window, QStringLiteral("restoreBackupButton"), true));
        QTest::keyClick(window.app.window, Qt::Key_Return);
        // The question lies on the window's overlay, with the sheet.
        const auto asking = [&window] {
            QQuickItem *text = window.find("restoreConfirmationText");
            return text && text->isVisible() && text->opacity() > 0.99;
        };
        QTRY_VERIFY(asking());
        QVERIFY(window.find("restoreConfirmationText")
                    ->property("text")
                    .toString()
                    .contains(BackupListModel::detailOf(made.first(), *contents)));
        window.screenshot(QStringLiteral("settings-restore-confirmation"));
        QTest::keyClick(window.app.window, Qt::Key_Escape);
        QTRY_VERIFY(!window.find("restoreConfirmationText") || !window.find("restoreConfirmationText")->isVisible());
        QVERIFY(window.sheet()->property("opened").toBool());
        QCOMPARE(window.app.state.context()->fetch<Reading>().size(), 1);

        // Confirmed, the window opens again on the backup's data; what it replaced is kept.
        QTest::keyClick(window.app.window, Qt::Key_Return);
        QTRY_VERIFY(asking());
        QTest::keyClick(window.app.window, Qt::Key_Tab);
        QCOMPARE(focusedName(window.app.window), QStringLiteral("restoreConfirmButton"));
        QTest::keyClick(window.app.window, Qt::Key_Return);
        QTRY_VERIFY(window.app.find("contentView") && !window.app.state.restoring());
        QCOMPARE(window.app.state.context()->fetch<Reading>().size(), 0);
        const QDir folder = QFileInfo(window.app.state.context()->path()).dir();
        QCOMPARE(folder.entryList({QStringLiteral("default-replaced-*.store")}, QDir::Files).size(), 1);
        // The window says so once it is back, naming where the replaced data went.
        QQuickItem *notice = nullptr;
        QTRY_VERIFY((notice = window.find("storeNoticeText")) && notice->isVisible());
        QVERIFY(notice->property("text").toString().startsWith(QStringLiteral("The backup was restored.")));
        QVERIFY(notice->property("text").toString().contains(QStringLiteral("default-replaced-")));
    }

    // An archive chosen in the open dialog is merged off the window's thread; the window is then
    // built again on the records it added and says what happened above everything, until closed.
    // The same archive again changes nothing, and a broken one is refused with its reason.
    void anArchiveIsImportedFromTheSheet()
    {
        SettingsWindow window;
        window.app.state.backups()->waitForIdle();
        QTemporaryDir folder;
        const QString archive = folder.filePath(QStringLiteral("small-archive.json"));
        QVERIFY(QFile::copy(QStringLiteral(QUILLMOOR_TEST_ARCHIVE), archive));
        // Picked as a user does: Import…, then a click on the file in its folder, then Open.
        const auto choose = [&](const QString &path) {
            QVERIFY(tabTo(window.app.window, QStringLiteral("importArchiveButton")));
            QObject *dialog = window.find("backupsSection")->findChild<QObject *>(QStringLiteral("importDialog"));
            QVERIFY(dialog);
            dialog->setProperty("currentFolder", QUrl::fromLocalFile(QFileInfo(path).absolutePath()));
            QTest::keyClick(window.app.window, Qt::Key_Return);
            QTRY_VERIFY(dialog->property("visible").toBool());
            QQuickItem *file = nullptr;
            QTRY_VERIFY((file = findItem(window.app.window->contentItem(), [&path](QQuickItem *item) {
                             return item->isVisible() && item->property("fileName") == QFileInfo(path).fileName();
                         })));
            clickOn(window.app.window, file);
            if (path == archive)
                window.screenshot(QStringLiteral("settings-import-dialog"));
            clickOn(window.app.window, buttonWithText(window.app.window->contentItem(), QStringLiteral("Open")));
            QTRY_VERIFY(!dialog->property("visible").toBool());
            window.app.state.waitForImport();
        };
        const auto notice = [&window]() -> QString {
            QQuickItem *text = window.find("storeNoticeText");
            return text && text->isVisible() ? text->property("text").toString() : QString();
        };
        QVERIFY(window.open());
        choose(archive);
        QTRY_VERIFY(window.app.find("contentView") && !window.app.state.restoring());
        QTRY_VERIFY2(notice().startsWith(QStringLiteral("small-archive.json was imported: 3 added, 0 updated")),
                     qPrintable(window.app.state.notice()));
        QCOMPARE(window.app.state.context()->fetch<Reading>().size(), 1);
        QCOMPARE(window.app.state.context()->fetch<JournalEntry>().size(), 1);
        // The notice lies inside the window and holds the keyboard, so Escape closes it.
        const auto rectOf = [](QQuickItem *item) {
            return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
        };
        QQuickItem *text = window.find("storeNoticeText");
        QQuickItem *close = window.find("storeNoticeCloseButton");
        QVERIFY(QRectF(QPointF(0, 0), window.app.window->size()).contains(rectOf(text)));
        QVERIFY(!rectOf(text).intersects(rectOf(close)));
        QTRY_COMPARE(focusedName(window.app.window), QStringLiteral("storeNoticeCloseButton"));
        window.screenshot(QStringLiteral("settings-import-notice"));
        QTest::keyClick(window.app.window, Qt::Key_Escape);
        QTRY_VERIFY(notice().isEmpty());
        QVERIFY(window.app.state.notice().isEmpty());

        // Again: nothing to add, so the sheet stays as it is and says so.
        QVERIFY(window.open());
        QObject *content = window.app.find("contentView");
        choose(archive);
        QTRY_COMPARE(notice(), QStringLiteral("Everything in small-archive.json is already here."));
        QCOMPARE(window.app.find("contentView"), content);
        QVERIFY(window.sheet()->property("opened").toBool());
        QTest::keyClick(window.app.window, Qt::Key_Escape);
        QTRY_VERIFY(notice().isEmpty());

        // A file cut short is refused whole.
        QFile broken(folder.filePath(QStringLiteral("broken.json")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        QFile whole(archive);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        broken.write(whole.readAll().left(300));
        broken.close();
        choose(broken.fileName());
        QTRY_VERIFY2(notice().startsWith(QStringLiteral("The archive ends early")), qPrintable(notice()));
        QCOMPARE(window.app.state.context()->fetch<Reading>().size(), 1);
    }

    // Without a mail program, Send Feedback shows the address inside the sheet, its words clear
    // of the button, and the button copies it.
    void withoutAMailProgramTheAddressIsShownToCopy()
    {
        SettingsWindow window;
        QVERIFY(window.open());
        auto *model = window.find("settingsView")->findChild<SettingsViewModel *>();
        QVERIFY(model);
        model->setMailProgramCheck([] { return false; });
        QQuickItem *row = window.find("feedbackAddressRow");
        QVERIFY(row && !row->isVisible());
        // Below the fold at this size: reached with the keyboard, which scrolls it into view.
        QVERIFY(tabTo(window.app.window, QStringLiteral("sendFeedbackButton")));
        QTest::keyClick(window.app.window, Qt::Key_Space);
        QTRY_VERIFY(row->isVisible());
        QQuickItem *text = window.find("feedbackAddressText");
        QQuickItem *button = window.find("copyFeedbackAddressButton");
        QVERIFY(text->property("text").toString().contains(SettingsViewModel::feedbackAddress()));
        const auto rectOf = [](QQuickItem *item) {
            return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
        };
        QVERIFY(rectOf(window.find("settingsView")).contains(rectOf(row)));
        QVERIFY(!rectOf(text).intersects(rectOf(button)));
        QVERIFY(rectOf(row).contains(rectOf(text)) && rectOf(row).contains(rectOf(button)));
        window.screenshot(QStringLiteral("settings-feedback-address"));

        QGuiApplication::clipboard()->clear();
        QVERIFY(tabTo(window.app.window, QStringLiteral("copyFeedbackAddressButton")));
        QTest::keyClick(window.app.window, Qt::Key_Return);
        QCOMPARE(QGuiApplication::clipboard()->text(), SettingsViewModel::feedbackAddress());
    }
};

QTEST_MAIN(SettingsViewTest)
#include "tst_settings_view.moc"
