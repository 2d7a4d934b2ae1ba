// The main window from the keyboard: Tab through the shell, arrows through the sections,
// Escape out of menus and sheets, and the Help menu's about information.
#include "AppTestSupport.h"
#include "CardStyle.h"
#include "ContentViewModel.h"
#include "KeyboardShortcuts.h"
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
        AppUnderTest app;
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
        // A click on a row gives the list the focus too, without the keyboard's ring.
        clickOn(app.window, app.find(QStringLiteral("sectionRow2")));
        QTRY_COMPARE(selectedSection(app), 2);
        QCOMPARE(focusedName(app.window), QStringLiteral("sectionList"));
        QVERIFY(!app.find(QStringLiteral("sectionFocusRing"))->isVisible());
        clickOn(app.window, app.find(QStringLiteral("sectionRow1")));
        QTRY_COMPARE(selectedSection(app), 1);

        QPointer<QQuickItem> screen =
            app.find(QStringLiteral("stackView"))->property("currentItem").value<QQuickItem *>();
        QVERIFY(tabTo(app.window, QStringLiteral("settingsButton")));
        QVERIFY(app.find(QStringLiteral("settingsFocusRing"))->isVisible());
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
        QVERIFY(screen &&
                app.find(QStringLiteral("stackView"))->property("currentItem").value<QQuickItem *>() == screen);
    }

    // The sidebar's edge drags its width, within 180 to 240 pixels.
    void theSidebarEdgeDragsWithinItsLimits()
    {
        AppUnderTest app;
        QQuickItem *sidebar = app.find(QStringLiteral("sidebar"));
        const int y = app.window->height() / 2;
        QTest::mousePress(app.window, Qt::LeftButton, {}, QPoint(int(sidebar->width()), y));
        for (const auto &[x, width] : {std::pair{220, 220.0}, {400, 240.0}, {60, 180.0}, {190, 190.0}}) {
            QTest::mouseMove(app.window, QPoint(x, y));
            QTRY_COMPARE(sidebar->width(), width);
        }
        QTest::mouseRelease(app.window, Qt::LeftButton, {}, QPoint(190, y));
        QCOMPARE(app.find(QStringLiteral("detailColumn"))->x(), 191.0);
    }

    // The Help title opens and closes its menu; Escape closes it too and leaves nothing
    // highlighted, however the menu was opened; the About item shows the credit for the card art.
    void helpMenuClosesWithoutAHighlightAndCreditsTheArt()
    {
        AppUnderTest app;
        QQuickItem *help = app.find(QStringLiteral("helpMenuTitle"));
        QVERIFY(help);
        QObject *menu = nullptr;
        const auto opened = [&] {
            menu = app.window->findChild<QObject *>(QStringLiteral("helpMenu"));
            return menu && menu->property("opened").toBool() && help->property("highlighted").toBool();
        };
        const auto closeWithEscape = [&] {
            QTRY_VERIFY(opened());
            QTest::keyClick(app.window, Qt::Key_Escape);
            QTRY_VERIFY(!menu->property("visible").toBool());
            QVERIFY2(!help->property("highlighted").toBool(), "still highlighted after Escape");
        };
        for (int round = 0; round < 2; ++round) { // it opens again after closing
            clickOn(app.window, help);
            closeWithEscape();
        }
        clickOn(app.window, help); // a second click on the title closes it
        QTRY_VERIFY(opened());
        clickOn(app.window, help);
        QTRY_VERIFY(!menu->property("visible").toBool());
        QVERIFY(!help->property("highlighted").toBool());
        QVERIFY(popupHasEdge(menu));
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

    // The shortcuts are found from the keyboard alone: Tab to Help, the arrows to the entry,
    // Return; every key is listed in a row of its own inside the sheet, and Escape closes it.
    void theKeyboardShortcutsOpenFromTheKeyboard()
    {
        AppUnderTest app;
        app.window->resize(1000, 700);
        QTRY_COMPARE(app.window->contentItem()->size(), QSizeF(1000, 700));
        QVERIFY(tabTo(app.window, QStringLiteral("helpMenuTitle")));
        QTest::keyClick(app.window, Qt::Key_Space);
        QObject *entry = nullptr;
        QTRY_VERIFY((entry = app.window->findChild<QObject *>(QStringLiteral("shortcutsMenuItem"))));
        for (int i = 0; i < 4 && !entry->property("highlighted").toBool(); ++i)
            QTest::keyClick(app.window, Qt::Key_Down);
        QVERIFY(entry->property("highlighted").toBool());
        QTest::keyClick(app.window, Qt::Key_Return);
        QObject *sheet = nullptr;
        QTRY_VERIFY((sheet = app.window->findChild<QObject *>(QStringLiteral("keyboardShortcutsSheet"))) &&
                    sheet->property("opened").toBool());

        const QVariantList entries = KeyboardShortcuts::entries();
        QQuickItem *content = app.find(QStringLiteral("keyboardShortcutsContent"));
        const QRectF shown = content->mapRectToScene(QRectF(0, 0, content->width(), content->height()));
        QVERIFY(QRectF(0, 0, 1000, 700).contains(shown));
        // The rows' heights follow their wrapped texts, so the column may settle a frame after
        // the sheet reports itself open; a misplaced row has to stay misplaced to fail.
        const auto misplacedRow = [&]() -> QString {
            QRectF above;
            for (int i = 0; i < entries.size(); ++i) {
                QQuickItem *row = app.find(QStringLiteral("shortcutRow%1").arg(i));
                if (!row)
                    return QStringLiteral("row %1 missing").arg(i);
                const QRectF rect = row->mapRectToScene(QRectF(0, 0, row->width(), row->height()));
                if (rect.left() < shown.left() || rect.right() > shown.right() || rect.intersects(above))
                    return entries.at(i).toMap().value(QStringLiteral("keys")).toString();
                above = rect;
            }
            return {};
        };
        QTRY_COMPARE(misplacedRow(), QString());
        saveScreenshot(app.window, QStringLiteral("keyboard-shortcuts"));
        QTest::keyClick(app.window, Qt::Key_Escape);
        QTRY_VERIFY(!sheet->property("visible").toBool());
    }
};

QTEST_MAIN(ShellKeyboardTest)
#include "tst_shell_keyboard.moc"
