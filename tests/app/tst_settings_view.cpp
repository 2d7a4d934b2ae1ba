// The settings sheet in the real main window, driven by keyboard and mouse, with the
// notification centre replaced by a fake.
#include "AppSection.h"
#include "AppSettings.h"
#include "AppTestSupport.h"
#include "FakeNotificationCenter.h"
#include "ManualAnimationDriver.h"
#include "ModelContext.h"

namespace {

void clickItem(QQuickWindow *window, QQuickItem *item)
{
    QVERIFY(item);
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

struct SettingsWindow
{
    explicit SettingsWindow(QSize size = QSize(1000, 700)) : app(dir.filePath(QStringLiteral("default.store")))
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
        if (!QTest::qWaitForWindowExposed(app.window))
            return false;
        QTest::keyClick(app.window, Qt::Key_Comma, Qt::ControlModifier);
        return QTest::qWaitFor([this] { return sheet()->property("opened").toBool(); });
    }
    QString focused() const
    {
        QQuickItem *item = app.window->activeFocusItem();
        return item ? item->objectName() : QString();
    }

    QTemporaryDir dir;
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
        QQuickItem *sheet = window.app.find(QStringLiteral("settingsView"));
        QVERIFY(sheet);
        QVERIFY(sheet->width() >= 450 && sheet->height() >= 400);
        QVERIFY(!window.app.find(QStringLiteral("reminderTimeRow")));
        window.screenshot(QStringLiteral("settings-reminder-off"));

        // Refused: the switch goes back off and no picker appears.
        clickItem(window.app.window, window.app.find(QStringLiteral("dailyReminderToggle")));
        QVERIFY(window.settings()->dailyReminderEnabled());
        window.center.answer(false);
        QTRY_VERIFY(!window.app.find(QStringLiteral("dailyReminderToggle"))->property("checked").toBool());
        QVERIFY(!window.app.find(QStringLiteral("reminderTimeRow")));

        clickItem(window.app.window, window.app.find(QStringLiteral("dailyReminderToggle")));
        window.center.answer(true);
        QTRY_VERIFY(window.app.find(QStringLiteral("reminderTimeRow")));
        QCOMPARE(window.center.pending.size(), 1);
        QVERIFY(window.app.find(QStringLiteral("dailyReminderToggle"))->property("checked").toBool());
        QTRY_VERIFY(window.app.find(QStringLiteral("reminderTimeRow"))->height() > 0);
        window.screenshot(QStringLiteral("settings-reminder-on"));

        // The stepper changes the hour until a minute is chosen.
        clickItem(window.app.window, window.app.find(QStringLiteral("reminderStepUp")));
        QTRY_COMPARE(window.center.pending.value(QStringLiteral("daily_card_reminder")).time, QTime(10, 0));
    }

    void tabReachesEveryControlAndArrowsSetTheTime()
    {
        SettingsWindow window;
        window.settings()->setDailyReminderEnabled(true);
        QVERIFY(window.open());
        const QStringList controls{QStringLiteral("allowReversedToggle"), QStringLiteral("dailyReminderToggle"),
                                   QStringLiteral("reminderHour"),        QStringLiteral("reminderMinute"),
                                   QStringLiteral("reminderPeriod"),      QStringLiteral("sendFeedbackButton"),
                                   QStringLiteral("websiteButton"),       QStringLiteral("settingsDoneButton")};
        QStringList reached;
        for (int i = 0; i < 2 * controls.size(); ++i) {
            QTest::keyClick(window.app.window, Qt::Key_Tab);
            const QString name = window.focused();
            if (!reached.contains(name))
                reached.append(name);
            if (name == QLatin1String("sendFeedbackButton") && i < controls.size())
                window.screenshot(QStringLiteral("settings-keyboard-focus"));
            QQuickItem *item = window.app.window->activeFocusItem();
            // Focus that came from the keyboard shows, and the list scrolls it into view.
            if (name != QLatin1String("reminderHour") && name != QLatin1String("reminderMinute") &&
                name != QLatin1String("reminderPeriod"))
                QVERIFY2(item->property("visualFocus").toBool(), qPrintable(name));
            QQuickItem *list = window.app.find(QStringLiteral("settingsList"));
            const QRectF shown = list->mapRectToScene(QRectF(0, 0, list->width(), list->height()));
            const QRectF where = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
            if (name != QLatin1String("settingsDoneButton"))
                QVERIFY2(shown.contains(where), qPrintable(name));
        }
        QCOMPARE(reached, controls); // in this order, and nothing outside the sheet

        // Shift+Tab walks back; the arrows step the focused part of the time.
        while (window.focused() != QLatin1String("reminderMinute"))
            QTest::keyClick(window.app.window, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(window.app.window, Qt::Key_Down);
        QTest::keyClick(window.app.window, Qt::Key_Left);
        QCOMPARE(window.focused(), QStringLiteral("reminderHour"));
        QTest::keyClick(window.app.window, Qt::Key_Up);
        QTest::keyClick(window.app.window, '7');
        QCOMPARE(window.settings()->dailyReminderTime().time(), QTime(7, 59));
        QCOMPARE(window.center.pending.value(QStringLiteral("daily_card_reminder")).time, QTime(7, 59));
        QVERIFY(!window.settings()->context()->hasChanges());

        // Space toggles the focused switch.
        while (window.focused() != QLatin1String("allowReversedToggle"))
            QTest::keyClick(window.app.window, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(window.app.window, Qt::Key_Space);
        QVERIFY(!window.settings()->allowReversedCards());
    }

    void escapeAndDoneCloseTheSheetWhichOpensAfresh()
    {
        SettingsWindow window;
        WarningCapture warnings;
        QVERIFY(window.open());
        QQuickItem *first = window.app.find(QStringLiteral("settingsView"));
        QTest::keyClick(window.app.window, Qt::Key_Escape);
        QTRY_VERIFY(!window.sheet()->property("visible").toBool());
        QVERIFY(window.open());
        QVERIFY(window.app.find(QStringLiteral("settingsView")) != first);
        while (window.focused() != QLatin1String("settingsDoneButton"))
            QTest::keyClick(window.app.window, Qt::Key_Tab);
        QTest::keyClick(window.app.window, Qt::Key_Return);
        QTRY_VERIFY(!window.sheet()->property("visible").toBool());
        QCOMPARE(window.app.state.context()->fetch<AppSettings>().size(), 1);
        // Closing takes the screen down without a complaint from its bindings.
        QVERIFY2(warnings.lines().isEmpty(), qPrintable(warnings.lines().join(QLatin1Char('\n'))));
    }

    void aClickOnTheReminderShowsTheDailyCard()
    {
        SettingsWindow window;
        QVERIFY(QTest::qWaitForWindowExposed(window.app.window));
        clickItem(window.app.window, window.app.find(QStringLiteral("sectionRow4")));
        QVERIFY(window.open());
        window.app.state.requestSection(AppSection::DailyCard);
        QTRY_VERIFY(!window.sheet()->property("visible").toBool());
        QTRY_COMPARE(window.app.find(QStringLiteral("navigationTitle"))->property("text").toString(),
                     QStringLiteral("Daily Card"));
    }

    void withoutAServiceManagerTheSheetSaysTheAppMustRun()
    {
        SettingsWindow window(QSize(1400, 900));
        window.center.delivers = false;
        window.settings()->setDailyReminderEnabled(true);
        window.settings()->setDailyReminderTime(QDateTime(QDate(2026, 5, 4), QTime(21, 5)));
        QVERIFY(window.open());
        QTRY_VERIFY(window.app.find(QStringLiteral("reminderTimeRow")));
        QCOMPARE(window.app.find(QStringLiteral("reminderHour"))->property("text").toString(), QStringLiteral("9"));
        QCOMPARE(window.app.find(QStringLiteral("reminderPeriod"))->property("text").toString(), QStringLiteral("PM"));
        window.screenshot(QStringLiteral("settings-reminder-in-app-large"));
    }
};

QTEST_MAIN(SettingsViewTest)
#include "tst_settings_view.moc"
