#include "AppSettings.h"
#include "AppTestSupport.h"
#include "ContentViewModel.h"
#include "DamagedStore.h"
#include "ModelContext.h"
#include "StoreTestSupport.h"

#include <QFile>
#include <QJSValue>
#include <QQmlComponent>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

namespace {

QString titleShown(const AppUnderTest &app)
{
    auto *title = app.find<QQuickItem>(QStringLiteral("navigationTitle"));
    return title ? title->property("text").toString() : QString();
}

QObject *stackView(const AppUnderTest &app)
{
    return app.find<QQuickItem>(QStringLiteral("stackView"));
}

void clickItem(QQuickWindow *window, QQuickItem *item)
{
    QVERIFY(item);
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, centre.toPoint());
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void opensOnTheDailyCardWithOneSettingsRecord()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(app.window);
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        QCOMPARE(app.window->size(), QSize(1200, 800));
        QCOMPARE(app.window->minimumSize(), QSize(1000, 700));
        QCOMPARE(titleShown(app), QStringLiteral("Daily Card"));
        QCOMPARE(app.state.context()->fetch<AppSettings>().size(), 1);
        QVERIFY(!app.state.context()->hasChanges());
        auto *sidebar = app.find<QQuickItem>(QStringLiteral("sidebar"));
        QVERIFY(sidebar->width() >= 180 && sidebar->width() <= 240);
        saveScreenshot(app.window, QStringLiteral("section-daily-card"));
    }

    void everySectionShowsItsRootAndForgetsPushedScreens()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        const QStringList titles{QStringLiteral("Daily Card"), QStringLiteral("Readings"), QStringLiteral("Study"),
                                 QStringLiteral("Card Library"), QStringLiteral("Journal")};
        const QStringList files{QStringLiteral("daily-card"), QStringLiteral("readings"), QStringLiteral("study"),
                                QStringLiteral("library"), QStringLiteral("journal")};
        for (int i = 0; i < titles.size(); ++i) {
            clickItem(app.window, app.find<QQuickItem>(QStringLiteral("sectionRow%1").arg(i)));
            QTRY_COMPARE(titleShown(app), titles.at(i));
            if (i > 0)
                saveScreenshot(app.window, QStringLiteral("section-") + files.at(i));
        }

        // Push a screen inside Library, leave, come back: the root is shown again.
        clickItem(app.window, app.find<QQuickItem>(QStringLiteral("sectionRow3")));
        QTRY_COMPARE(titleShown(app), titles.at(3));
        QQmlComponent pushed(&app.engine);
        pushed.setData("import Quillmoor.Cards\nNavigationPage { navigationTitle: \"Pushed\" }", QUrl());
        QJSValue stack = app.engine.toScriptValue(stackView(app));
        QVERIFY(!stack.property(QStringLiteral("push"))
                     .callWithInstance(stack, {app.engine.toScriptValue(&pushed)})
                     .isError());
        QTRY_COMPARE(titleShown(app), QStringLiteral("Pushed"));
        QTRY_VERIFY(app.find<QQuickItem>(QStringLiteral("backButton"))->isVisible());
        clickItem(app.window, app.find<QQuickItem>(QStringLiteral("sectionRow4")));
        QTRY_COMPARE(titleShown(app), titles.at(4));
        clickItem(app.window, app.find<QQuickItem>(QStringLiteral("sectionRow3")));
        QTRY_COMPARE(titleShown(app), titles.at(3));
        QCOMPARE(stackView(app)->property("depth").toInt(), 1);

        // The keyboard moves through the sidebar too.
        app.find<QQuickItem>(QStringLiteral("sectionList"))->forceActiveFocus();
        QTest::keyClick(app.window, Qt::Key_Down);
        QTRY_COMPARE(titleShown(app), titles.at(4));
    }

    void settingsSheetOpensAndClosesWithoutResettingTheSection()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        clickItem(app.window, app.find<QQuickItem>(QStringLiteral("sectionRow2")));
        QTRY_COMPARE(titleShown(app), QStringLiteral("Study"));
        QQuickItem *rootScreen = stackView(app)->property("currentItem").value<QQuickItem *>();

        clickItem(app.window, app.find<QQuickItem>(QStringLiteral("settingsButton")));
        QObject *sheet = app.window->findChild<QObject *>(QStringLiteral("settingsSheet"));
        QVERIFY(sheet);
        QTRY_VERIFY(sheet->property("opened").toBool());
        saveScreenshot(app.window, QStringLiteral("settings-sheet"));
        auto *done = app.find<QQuickItem>(QStringLiteral("settingsDoneButton"));
        clickItem(app.window, done);
        QTRY_VERIFY(!sheet->property("visible").toBool());
        QCOMPARE(stackView(app)->property("currentItem").value<QQuickItem *>(), rootScreen);

        // Escape closes it as well, and it opens again afterwards.
        clickItem(app.window, app.find<QQuickItem>(QStringLiteral("settingsButton")));
        QTRY_VERIFY(sheet->property("opened").toBool());
        QTest::keyClick(app.window, Qt::Key_Escape);
        QTRY_VERIFY(!sheet->property("visible").toBool());
        QCOMPARE(titleShown(app), QStringLiteral("Study"));
    }

    void closingTheWindowQuits()
    {
        QTemporaryDir dir;
        AppUnderTest app(dir.filePath(QStringLiteral("default.store")));
        QVERIFY(QTest::qWaitForWindowExposed(app.window));
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        // Closing happens inside the running event loop, which must then end by itself.
        QTimer::singleShot(0, app.window, [&app] { app.window->close(); });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
        watchdog.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void anUnusableStoreShowsTheErrorScreenAndKeepsTheFile_data()
    {
        QTest::addColumn<QString>("damagedTable"); // empty: a text file where the store should be
        QTest::addColumn<QString>("screenshot");
        QTest::newRow("not a database") << QString() << QStringLiteral("store-error");
        QTest::newRow("journal page damaged, found at start")
            << QStringLiteral("JournalEntry") << QStringLiteral("store-error-damaged");
        QTest::newRow("reading page damaged, found after the first frame") << QStringLiteral("Reading") << QString();
    }
    void anUnusableStoreShowsTheErrorScreenAndKeepsTheFile()
    {
        QFETCH(QString, damagedTable);
        QFETCH(QString, screenshot);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("default.store"));
        if (damagedTable.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Dear diary, this file is mine and not a database.\n");
            QTest::ignoreMessage(QtCriticalMsg, "Failed to create ModelContainer: The file is not a database.");
        } else {
            QVERIFY(writeDamagedStore(path, damagedTable));
            QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("The store is damaged")));
        }
        const QByteArray before = fingerprint(path);
        const QStringList files = QDir(dir.path()).entryList(QDir::Files);
        {
            AppUnderTest app(path);
            QVERIFY(app.window);
            QVERIFY(QTest::qWaitForWindowExposed(app.window));
            QTRY_VERIFY(app.find<QQuickItem>(QStringLiteral("storeErrorView")));
            QCOMPARE(app.window->minimumSize(), QSize(500, 300));
            QVERIFY(!app.find<QQuickItem>(QStringLiteral("contentView")));
            auto *reason = app.find<QQuickItem>(QStringLiteral("storeErrorReason"));
            QVERIFY(reason && reason->isVisible());
            QCOMPARE(reason->property("text").toString(), app.state.storeError());
            QObject *website = app.window->findChild<QObject *>(QStringLiteral("websiteMenuItem"));
            QVERIFY(website && website->property("enabled").toBool());
            QCOMPARE(website->property("text").toString(), QStringLiteral("Quillmoor Website"));
            if (!screenshot.isEmpty()) {
                app.window->resize(700, 420);
                QTRY_COMPARE(app.window->contentItem()->width(), 700.0);
                saveScreenshot(app.window, screenshot);
            }
        }
        QCOMPARE(fingerprint(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
