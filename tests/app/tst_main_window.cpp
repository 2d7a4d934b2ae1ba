#include "AppSettings.h"
#include "AppTestSupport.h"
#include "BackupListModel.h"
#include "DamagedStore.h"
#include "DesktopPreferences.h"
#include "FrameFonts.h"
#include "StoreBackups.h"
#include "StoreTestSupport.h"
#include "WindowActions.h"

#include <QJSValue>
#include <QQmlComponent>
#include <QRegularExpression>
#include <QTimer>

#include <link.h>

namespace {

// Whether a shared library whose file name contains `name` is loaded in this process.
bool libraryLoaded(const char *name)
{
    const auto visit = [](dl_phdr_info *info, size_t, void *wanted) {
        return std::strstr(info->dlpi_name, static_cast<const char *>(wanted)) ? 1 : 0;
    };
    return dl_iterate_phdr(visit, const_cast<char *>(name)) != 0;
}

QString titleShown(const AppUnderTest &app)
{
    auto *title = app.find(QStringLiteral("navigationTitle"));
    return title ? title->property("text").toString() : QString();
}

void showSection(const AppUnderTest &app, int row, const QString &title)
{
    clickOn(app.window, app.find(QStringLiteral("sectionRow%1").arg(row)));
    QTRY_COMPARE(titleShown(app), title);
}

// The texts a reader sees in `area` of the window: visible, not faded out, not clipped away by
// a list or a scrolled page, and not empty.
QList<QQuickItem *> textsShown(QQuickItem *root, const QRectF &area)
{
    QList<QQuickItem *> texts;
    const auto walk = [&](QQuickItem *item, QRectF visible, auto &&self) -> void {
        if (!item->isVisible() || item->opacity() < 0.05)
            return;
        const QRectF rect = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
        if (item->clip())
            visible = visible.intersected(rect);
        if (item->inherits("QQuickText") && !item->property("text").toString().trimmed().isEmpty() &&
            visible.intersects(rect) && rect.width() > 0)
            texts.append(item);
        for (QQuickItem *child : item->childItems())
            self(child, visible, self);
    };
    walk(root, area, walk);
    return texts;
}

QString describe(QQuickItem *text)
{
    const QRectF rect = text->mapRectToScene(QRectF(0, 0, text->width(), text->height()));
    return QStringLiteral("\"%1\" at %2,%3 %4x%5")
        .arg(text->property("text").toString().left(40))
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    // The window's frame needs nothing from the controls library, so its first frame does not
    // wait for it; the section's screen, built after that frame, loads it. The frame's fonts are
    // all prepared before it is built. Must run first.
    void theFirstFrameWaitsForNoControls()
    {
        QTemporaryDir dir;
        AppState state(dir.filePath(QStringLiteral("default.store")));
        AppStateForeign::setInstance(&state);
        QQmlApplicationEngine engine;
        engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
        engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Quillmoor/App/Main.qml")));
        QCOMPARE(engine.rootObjects().size(), 1);
        QVERIFY(!libraryLoaded("qtquicktemplates2plugin") && !libraryLoaded("qtquickcontrols2plugin"));
        auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // Every text of the frame (the sidebar, whose rows come with the first frame, and the
        // menu bar) is in a font that start-up prepares ahead of it.
        const QList<FrameFonts::Sample> prepared = FrameFonts::samples();
        int texts = 0;
        const auto walk = [&](QQuickItem *item, auto &&self) -> void {
            if (!item->isVisible())
                return;
            if (item->inherits("QQuickText") || item->inherits("QQuickTextInput")) {
                ++texts;
                const QFont font = item->property("font").value<QFont>();
                QVERIFY2(
                    std::any_of(prepared.begin(), prepared.end(),
                                [&](const FrameFonts::Sample &sample) { return sample.font == font; }),
                    qPrintable(QStringLiteral("\"%1\" in %2").arg(item->property("text").toString(), font.toString())));
            }
            for (QQuickItem *child : item->childItems())
                self(child, self);
        };
        QQuickItem *sidebar = findItem(window->contentItem(), QStringLiteral("sidebar"));
        QQuickItem *helpTitle = findItem(window->contentItem(), QStringLiteral("helpMenuTitle"));
        QVERIFY(sidebar && helpTitle);
        walk(sidebar, walk);
        walk(helpTitle->parentItem(), walk);
        QVERIFY(texts >= 10);
        QTRY_VERIFY(libraryLoaded("qtquickcontrols2plugin"));
    }

    // The window opens on the Daily Card with one saved settings record; every section shows
    // its root, and a screen pushed inside a section stays while that section is chosen again
    // and is gone when the user comes back to it from another.
    void everySectionShowsItsRootAndForgetsPushedScreens()
    {
        AppUnderTest app;
        QVERIFY(app.window);
        QCOMPARE(app.window->minimumSize(), QSize(1000, 700));
        QCOMPARE(titleShown(app), QStringLiteral("Daily Card"));
        QCOMPARE(app.state.context()->fetch<AppSettings>().size(), 1);
        QVERIFY(!app.state.context()->hasChanges());

        const QStringList titles{QStringLiteral("Daily Card"), QStringLiteral("Readings"),
                                 QStringLiteral("Study"),      QStringLiteral("Card Library"),
                                 QStringLiteral("Journal"),    QStringLiteral("Insights")};
        const QStringList files{QStringLiteral("daily-card"), QStringLiteral("readings"), QStringLiteral("study"),
                                QStringLiteral("library"),    QStringLiteral("journal"),  QStringLiteral("insights")};
        // At the smallest window each section's primary actions are in view without scrolling.
        const QList<QStringList> primary{
            {QStringLiteral("deckButton"), QStringLiteral("washShuffleButton")},
            {QStringLiteral("spreadEntry_yes_no"), QStringLiteral("spreadEntry_three_card"),
             QStringLiteral("spreadEntry_celtic_cross"), QStringLiteral("readingHistoryEntry")},
            {QStringLiteral("flashcardRow")},
            {QStringLiteral("librarySearchField"), QStringLiteral("libraryCell_major_00")},
            {QStringLiteral("exportMenuButton"), QStringLiteral("dayCell1")},
            {QStringLiteral("span0"), QStringLiteral("countRecordedReadings"), QStringLiteral("recurringSummary")},
        };
        app.window->resize(1000, 700);
        QTRY_COMPARE(app.window->contentItem()->size(), QSizeF(1000, 700));
        const QRectF windowRect(0, 0, 1000, 700);
        for (int i = 0; i < titles.size(); ++i) {
            showSection(app, i, titles.at(i));
            for (const QString &name : primary.at(i)) {
                QQuickItem *item = nullptr;
                QTRY_VERIFY2((item = app.find(name)) && item->isVisible(), qPrintable(name));
                const QRectF rect = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
                QVERIFY2(windowRect.contains(rect), qPrintable(QStringLiteral("%1 at %2,%3 %4x%5")
                                                                   .arg(name)
                                                                   .arg(rect.x())
                                                                   .arg(rect.y())
                                                                   .arg(rect.width())
                                                                   .arg(rect.height())));
            }
            saveScreenshot(app.window, QStringLiteral("section-") + files.at(i));
        }

        showSection(app, 3, titles.at(3));
        QQmlComponent pushed(&app.engine);
        pushed.setData("import Quillmoor.Ui\nNavigationPage { navigationTitle: \"Pushed\" }", QUrl());
        QJSValue stack = app.engine.toScriptValue(app.find(QStringLiteral("stackView")));
        QVERIFY(!stack.property(QStringLiteral("push"))
                     .callWithInstance(stack, {app.engine.toScriptValue(&pushed)})
                     .isError());
        QTRY_COMPARE(titleShown(app), QStringLiteral("Pushed"));
        QTRY_VERIFY(app.find(QStringLiteral("backButton"))->isVisible());
        // Choosing the section already shown keeps its screens.
        QPointer<QQuickItem> stackView = app.find(QStringLiteral("stackView"));
        clickOn(app.window, app.find(QStringLiteral("sectionRow3")));
        QCoreApplication::processEvents();
        QVERIFY(stackView && app.find(QStringLiteral("stackView")) == stackView);
        QCOMPARE(titleShown(app), QStringLiteral("Pushed"));
        showSection(app, 4, titles.at(4));
        showSection(app, 3, titles.at(3));
        QCOMPARE(app.find(QStringLiteral("stackView"))->property("depth").toInt(), 1);
    }

    // With the desktop asking for text half as large again, every section's texts stay inside
    // the window across, and none is drawn over another.
    void everySectionStaysReadableAtOneAndAHalfText_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("smallest") << QSize(1000, 700);
        QTest::newRow("large") << QSize(1600, 1000);
    }
    void everySectionStaysReadableAtOneAndAHalfText()
    {
        QFETCH(QSize, size);
        DesktopPreferences &preferences = *DesktopPreferences::instance();
        const QString group = QStringLiteral("org.gnome.desktop.interface");
        preferences.takeDesktopValue(group, QStringLiteral("text-scaling-factor"), 1.5);
        const auto restore =
            qScopeGuard([&] { preferences.takeDesktopValue(group, QStringLiteral("text-scaling-factor"), 1.0); });
        AppUnderTest app;
        QVERIFY(app.window);
        app.window->resize(size);
        QTRY_COMPARE(app.window->contentItem()->size(), QSizeF(size));
        const QRectF windowRect(QPointF(0, 0), QSizeF(size));
        const QStringList titles{QStringLiteral("Daily Card"), QStringLiteral("Readings"),
                                 QStringLiteral("Study"),      QStringLiteral("Card Library"),
                                 QStringLiteral("Journal"),    QStringLiteral("Insights")};
        for (int i = 0; i < titles.size(); ++i) {
            showSection(app, i, titles.at(i));
            // A frame lays out the section's texts.
            app.window->grabWindow();
            const QList<QQuickItem *> texts = textsShown(app.window->contentItem(), windowRect);
            QVERIFY2(texts.size() > 3, qPrintable(titles.at(i)));
            QCOMPARE(texts.first()->property("font").value<QFont>().pixelSize() >= 18, true);
            for (qsizetype a = 0; a < texts.size(); ++a) {
                const QRectF rect =
                    texts.at(a)->mapRectToScene(QRectF(0, 0, texts.at(a)->width(), texts.at(a)->height()));
                QVERIFY2(rect.left() >= -0.5 && rect.right() <= size.width() + 0.5,
                         qPrintable(titles.at(i) + QStringLiteral(": ") + describe(texts.at(a)) +
                                    QStringLiteral(" sticks out")));
                for (qsizetype b = a + 1; b < texts.size(); ++b) {
                    const QRectF other =
                        texts.at(b)->mapRectToScene(QRectF(0, 0, texts.at(b)->width(), texts.at(b)->height()));
                    QVERIFY2(!rect.adjusted(1, 1, -1, -1).intersects(other),
                             qPrintable(titles.at(i) + QStringLiteral(": ") + describe(texts.at(a)) +
                                        QStringLiteral(" lies over ") + describe(texts.at(b))));
                }
            }
            saveScreenshot(app.window, QStringLiteral("large-text-%1-%2").arg(i).arg(size.width()));
        }
    }

    void closingTheWindowQuits()
    {
        AppUnderTest app;
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
        // Closing happens inside the running event loop, which must then end by itself; the
        // watchdog only ends a test that would otherwise hang.
        QTimer::singleShot(0, app.window, [&app] { app.window->close(); });
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(7); });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void anUnusableStoreShowsTheErrorScreenAndKeepsTheFile_data()
    {
        QTest::addColumn<QString>("damagedTable"); // empty: a text file where the store should be
        QTest::addColumn<QString>("screenshot");
        QTest::newRow("not a database") << QString() << QStringLiteral("store-error");
        QTest::newRow("journal page damaged")
            << QStringLiteral("JournalEntry") << QStringLiteral("store-error-damaged");
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
            // Without a settings record, the first thing the window would write.
            QVERIFY(writeDamagedStore(path, damagedTable, false));
            QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("The store is damaged")));
        }
        const QByteArray before = fingerprint(path);
        const QStringList files = QDir(dir.path()).entryList(QDir::Files);
        {
            AppUnderTest app(path);
            QTRY_VERIFY(app.find(QStringLiteral("storeErrorView")));
            QCOMPARE(app.window->minimumSize(), QSize(500, 300));
            QVERIFY(!app.find(QStringLiteral("contentView")));
            auto *reason = app.find(QStringLiteral("storeErrorReason"));
            QVERIFY(reason && reason->isVisible());
            QCOMPARE(reason->property("text").toString(), app.state.storeError());
            clickOn(app.window, app.find(QStringLiteral("helpMenuTitle")));
            QObject *website = app.window->findChild<QObject *>(QStringLiteral("websiteMenuItem"));
            QVERIFY(website && website->property("enabled").toBool());
            QTest::keyClick(app.window, Qt::Key_Escape);
            app.window->resize(700, 420);
            QTRY_COMPARE(app.window->contentItem()->width(), 700.0);
            saveScreenshot(app.window, screenshot);
        }
        QCOMPARE(fingerprint(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
    }

    // With a sound backup the error screen offers it. Restoring keeps the refused file, and the
    // log beside it, aside untouched, and the window opens on the backup's data.
    void theErrorScreenRestoresTheLatestBackup()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("default.store"));
        QVERIFY(writeStoreWithHistory(path));
        QString error;
        const auto snapshot =
            StoreBackups(path).take(StoreBackups::Kind::Regular, QDateTime::currentDateTime(), 0, &error);
        QVERIFY2(snapshot, qPrintable(error));
        QVERIFY(damagePageOf(path, QStringLiteral("JournalEntry")));
        const QByteArray refused = fingerprint(path);
        QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(QStringLiteral("The store is damaged")));

        AppUnderTest app(path);
        QTRY_VERIFY(app.find(QStringLiteral("storeErrorView")));
        QQuickItem *offer = app.find(QStringLiteral("restoreOffer"));
        QVERIFY(offer && offer->isVisible());
        QVERIFY(offer->property("text").toString().contains(BackupListModel::titleOf(*snapshot)));
        saveScreenshot(app.window, QStringLiteral("store-error-restore"));
        QTRY_VERIFY(app.window->activeFocusItem() == app.find(QStringLiteral("restoreLatestButton")));
        QTest::keyClick(app.window, Qt::Key_Return);

        QTRY_VERIFY(app.find(QStringLiteral("contentView")));
        QVERIFY(!app.find(QStringLiteral("storeErrorView")));
        QVERIFY(app.state.storeReady());
        QCOMPARE(app.state.context()->fetch<JournalEntry>().size(), 100);
        QCOMPARE(app.state.context()->fetch<Reading>().size(), 300);
        const QStringList aside = QDir(dir.path()).entryList({QStringLiteral("default-replaced-*.store")}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(fingerprint(dir.filePath(aside.first())), refused);
        QVERIFY(QFileInfo::exists(snapshot->path));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
