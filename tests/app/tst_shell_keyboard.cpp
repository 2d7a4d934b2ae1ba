// The main window from the keyboard: Tab through the shell, arrows through the sections,
// Escape out of menus and sheets, and the Help menu's about information.
#include "AppTestSupport.h"
#include "CardStyle.h"
#include "ContentViewModel.h"

namespace {

void clickItem(QQuickWindow *window, QQuickItem *item)
{
    QVERIFY(item);
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

// The object names of the items Tab visits from where focus is now, once round.
QStringList tabChain(QQuickWindow *window, int limit = 40)
{
    QStringList names;
    QQuickItem *first = nullptr;
    for (int i = 0; i < limit; ++i) {
        QTest::keyClick(window, Qt::Key_Tab);
        QQuickItem *focused = window->activeFocusItem();
        if (!focused || focused == first)
            break;
        if (!first)
            first = focused;
        names.append(focused->objectName().isEmpty() ? QString::fromLatin1(focused->metaObject()->className())
                                                     : focused->objectName());
    }
    return names;
}

int selectedSection(const AppUnderTest &app)
{
    auto *content = app.find<QQuickItem>(QStringLiteral("contentView"));
    return content->property("model").value<ContentViewModel *>()->selectedSection();
}

// The focus ring of a control, its background or a part of it, is showing.
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

} // namespace

class ShellKeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    // Tab reaches the settings button and the section list, each with its ring; the arrows
    // move between sections in the list.
    void tabReachesTheShellAndArrowsChangeSections()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        app.window->requestActivate();
        const QStringList chain = tabChain(app.window);
        QVERIFY2(chain.contains(QStringLiteral("settingsButton")), qPrintable(chain.join(u' ')));
        QVERIFY2(chain.contains(QStringLiteral("sectionList")), qPrintable(chain.join(u' ')));
        QVERIFY2(chain.contains(QStringLiteral("deckButton")), qPrintable(chain.join(u' ')));
        QVERIFY2(chain.contains(QStringLiteral("helpMenuTitle")), qPrintable(chain.join(u' ')));

        for (int i = 0; i < 40 && app.window->activeFocusItem()->objectName() != QStringLiteral("sectionList"); ++i)
            QTest::keyClick(app.window, Qt::Key_Tab);
        QCOMPARE(app.window->activeFocusItem()->objectName(), QStringLiteral("sectionList"));
        QVERIFY(app.find(QStringLiteral("sectionFocusRing"))->isVisible());
        QCOMPARE(selectedSection(app), 0);
        QTest::keyClick(app.window, Qt::Key_Down);
        QTRY_COMPARE(selectedSection(app), 1);
        QTest::keyClick(app.window, Qt::Key_Down);
        QTRY_COMPARE(selectedSection(app), 2);
        QTest::keyClick(app.window, Qt::Key_Up);
        QTRY_COMPARE(selectedSection(app), 1);
        // The list keeps the focus while the detail is rebuilt, so the arrows go on working.
        QCOMPARE(app.window->activeFocusItem()->objectName(), QStringLiteral("sectionList"));
        saveScreenshot(app.window, QStringLiteral("shell-keyboard-sections"));

        for (int i = 0; i < 40 && app.window->activeFocusItem()->objectName() != QStringLiteral("settingsButton"); ++i)
            QTest::keyClick(app.window, Qt::Key_Tab);
        QQuickItem *gear = app.window->activeFocusItem();
        QCOMPARE(gear->objectName(), QStringLiteral("settingsButton"));
        QVERIFY(ringShown(gear));
        QTest::keyClick(app.window, Qt::Key_Return);
        QObject *sheet = app.window->findChild<QObject *>(QStringLiteral("settingsSheet"));
        QVERIFY(sheet);
        QTRY_VERIFY(sheet->property("opened").toBool());
        QTest::keyClick(app.window, Qt::Key_Escape);
        QTRY_VERIFY(!sheet->property("visible").toBool());
        QCOMPARE(selectedSection(app), 1);
    }

    // Escape closes the Help menu and leaves nothing highlighted, however the menu was opened;
    // the menu opens again on the next click.
    void escapeClosesTheHelpMenuWithoutAHighlight()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        app.window->requestActivate();
        QQuickItem *help = app.find(QStringLiteral("helpMenuTitle"));
        QObject *menu = app.window->findChild<QObject *>(QStringLiteral("helpMenu"));
        QVERIFY(help);
        QVERIFY(menu);
        for (int round = 0; round < 2; ++round) {
            clickItem(app.window, help);
            QTRY_VERIFY(menu->property("opened").toBool());
            QVERIFY(help->property("highlighted").toBool());
            QTest::keyClick(app.window, Qt::Key_Escape);
            QTRY_VERIFY(!menu->property("visible").toBool());
            QVERIFY2(!help->property("highlighted").toBool(), "still highlighted after Escape");
        }
        saveScreenshot(app.window, QStringLiteral("help-menu-after-escape"));

        // From the keyboard: Tab to the title, Space or Return opens the menu, Escape closes it.
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
            for (int i = 0; i < 40 && app.window->activeFocusItem() != help; ++i)
                QTest::keyClick(app.window, Qt::Key_Tab);
            QCOMPARE(app.window->activeFocusItem(), help);
            QTest::keyClick(app.window, key);
            QTRY_VERIFY(menu->property("opened").toBool());
            QTest::keyClick(app.window, Qt::Key_Escape);
            QTRY_VERIFY(!menu->property("visible").toBool());
        }
    }

    // The about information names the app and credits the card art.
    void aboutCreditsTheCardArt()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        QObject *item = app.window->findChild<QObject *>(QStringLiteral("aboutMenuItem"));
        QVERIFY(item);
        QMetaObject::invokeMethod(item, "triggered");
        QObject *about = app.window->findChild<QObject *>(QStringLiteral("aboutSheet"));
        QVERIFY(about);
        QTRY_VERIFY(about->property("opened").toBool());
        QQuickItem *credit = app.find(QStringLiteral("artCredit"));
        QCOMPARE(credit->property("text").toString(), CardStyle::artCredit());
        QVERIFY(CardStyle::artCredit().contains(QStringLiteral("Pamela Colman Smith")));
        saveScreenshot(app.window, QStringLiteral("about-sheet"));
        QTest::keyClick(app.window, Qt::Key_Escape);
        QTRY_VERIFY(!about->property("visible").toBool());
    }
};

QTEST_MAIN(ShellKeyboardTest)
#include "tst_shell_keyboard.moc"
