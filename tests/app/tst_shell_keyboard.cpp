// The main window from the keyboard: Tab through the shell, arrows through the sections,
// Escape out of menus and sheets, and the Help menu's about information.
#include "AppTestSupport.h"
#include "CardStyle.h"
#include "ContentViewModel.h"
#include "WindowActions.h"

namespace {

int selectedSection(const AppUnderTest &app)
{
    auto *content = app.find(QStringLiteral("contentView"));
    return content->property("model").value<ContentViewModel *>()->selectedSection();
}

} // namespace

class ShellKeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    // Tab reaches the shell's controls, each with its ring; the arrows move between sections in
    // the list; the settings sheet opens from the keyboard or the mouse and leaves the section's
    // screen as it was.
    void tabReachesTheShellAndArrowsChangeSections()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        app.window->requestActivate();
        for (const char *name : {"deckButton", "helpMenuTitle", "sectionList"})
            QVERIFY2(tabTo(app.window, QLatin1String(name)), name);
        QVERIFY(app.find(QStringLiteral("sectionFocusRing"))->isVisible());
        QCOMPARE(selectedSection(app), 0);
        for (const auto &[key, section] : {std::pair{Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Up, 1}}) {
            QTest::keyClick(app.window, key);
            QTRY_COMPARE(selectedSection(app), section);
        }
        // The list keeps the focus while the detail is rebuilt, so the arrows go on working.
        QCOMPARE(focusedName(app.window), QStringLiteral("sectionList"));
        saveScreenshot(app.window, QStringLiteral("shell-keyboard-sections"));

        QQuickItem *screen = app.find(QStringLiteral("stackView"))->property("currentItem").value<QQuickItem *>();
        QVERIFY(tabTo(app.window, QStringLiteral("settingsButton")));
        QVERIFY(ringShown(app.window->activeFocusItem()));
        QTest::keyClick(app.window, Qt::Key_Return);
        QObject *sheet = app.window->findChild<QObject *>(QStringLiteral("settingsSheet"));
        QVERIFY(sheet);
        QTRY_VERIFY(sheet->property("opened").toBool());
        QTest::keyClick(app.window, Qt::Key_Escape);
        QTRY_VERIFY(!sheet->property("visible").toBool());

        clickOn(app.window, app.find(QStringLiteral("settingsButton")));
        QTRY_VERIFY(sheet->property("opened").toBool());
        saveScreenshot(app.window, QStringLiteral("settings-sheet"));
        clickOn(app.window, app.find(QStringLiteral("settingsDoneButton")));
        QTRY_VERIFY(!sheet->property("visible").toBool());
        QCOMPARE(selectedSection(app), 1);
        QCOMPARE(app.find(QStringLiteral("stackView"))->property("currentItem").value<QQuickItem *>(), screen);
    }

    // Escape closes the Help menu and leaves nothing highlighted, however the menu was opened;
    // the About item shows the credit for the card art.
    void helpMenuClosesWithoutAHighlightAndCreditsTheArt()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        app.window->requestActivate();
        QQuickItem *help = app.find(QStringLiteral("helpMenuTitle"));
        QObject *menu = app.window->findChild<QObject *>(QStringLiteral("helpMenu"));
        QVERIFY(help && menu);
        const auto closeWithEscape = [&] {
            QTRY_VERIFY(menu->property("opened").toBool());
            QTest::keyClick(app.window, Qt::Key_Escape);
            QTRY_VERIFY(!menu->property("visible").toBool());
            QVERIFY2(!help->property("highlighted").toBool(), "still highlighted after Escape");
        };
        for (int round = 0; round < 2; ++round) { // it opens again after closing
            clickOn(app.window, help);
            QTRY_VERIFY(help->property("highlighted").toBool());
            closeWithEscape();
        }
        saveScreenshot(app.window, QStringLiteral("help-menu-after-escape"));
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
            QVERIFY(tabTo(app.window, QStringLiteral("helpMenuTitle")));
            QTest::keyClick(app.window, key);
            closeWithEscape();
        }

        QMetaObject::invokeMethod(app.window->findChild<QObject *>(QStringLiteral("aboutMenuItem")), "triggered");
        QObject *about = app.window->findChild<QObject *>(QStringLiteral("aboutSheet"));
        QVERIFY(about);
        QTRY_VERIFY(about->property("opened").toBool());
        QCOMPARE(app.find(QStringLiteral("artCredit"))->property("text").toString(), CardStyle::artCredit());
        QVERIFY(CardStyle::artCredit().contains(QStringLiteral("Pamela Colman Smith")));
        saveScreenshot(app.window, QStringLiteral("about-sheet"));
        QTest::keyClick(app.window, Qt::Key_Escape);
        QTRY_VERIFY(!about->property("visible").toBool());
    }
};

QTEST_MAIN(ShellKeyboardTest)
#include "tst_shell_keyboard.moc"
