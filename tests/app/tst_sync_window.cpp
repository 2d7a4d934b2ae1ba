// Sync in the real window: the settings section before and after a folder is chosen, another
// computer's changes showing without reopening anything, and two reflections of one day offered
// side by side, merged from the sheet with the keyboard.
#include "AppDriving.h"
#include "AppTestSupport.h"
#include "JournalEntry.h"
#include "ModelContext.h"
#include "Reading.h"
#include "StoreTestSupport.h"
#include "SyncController.h"
#include "SyncEngine.h"
#include "WindowActions.h"

#include <QDir>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

const QDateTime ninth(QDate(2026, 12, 9), QTime(0, 0));

// The other computer: a store of its own that writes to the same folder.
struct OtherComputer
{
    QTemporaryDir home;
    std::unique_ptr<ModelContext> context;
    std::unique_ptr<SyncEngine> engine;

    explicit OtherComputer(const QString &folder)
    {
        QString error;
        context = ModelContext::open(home.filePath(u"default.store"_s), &error);
        engine = std::make_unique<SyncEngine>(home.filePath(u"default.store"_s));
        engine->setFolder(folder, &error);
        engine->setDeviceName(u"Laptop"_s, &error);
        engine->runPass();
    }
    void sync()
    {
        QVERIFY(context->save());
        const SyncEngine::Pass pass = engine->runPass();
        QVERIFY2(pass.error.isEmpty(), qPrintable(pass.error));
        context->reloadRows(pass.changedRows);
    }
};

QRectF sceneRect(QQuickItem *item)
{
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

// Runs a pass of the window's computer now and waits for it to be taken in.
void syncWindow(AppUnderTest &app)
{
    QSignalSpy finished(app.state.sync(), &SyncController::passFinished);
    app.state.sync()->syncNow();
    QVERIFY(finished.wait(10000));
    QVERIFY2(app.state.sync()->problem().isEmpty(), qPrintable(app.state.sync()->problem()));
}

} // namespace

class SyncWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { prepareGuiTests(); }

    void theSectionSaysWhatSyncDoes()
    {
        AppUnderTest app;
        app.window->resize(1000, 700);
        QTest::keyClick(app.window, Qt::Key_Comma, Qt::ControlModifier);
        QVERIFY(QTest::qWaitFor([&] { return app.find(u"syncSection"_s) != nullptr; }));
        QQuickItem *section = app.find(u"syncSection"_s);
        QCOMPARE(section->property("footer").toString(), u"Off. Everything stays on this computer."_s);
        QVERIFY(!app.find(u"syncNowButton"_s)->isVisible());

        // Tab reaches the folder button with its ring, as every control of the sheet.
        QVERIFY(tabTo(app.window, u"syncChooseFolderButton"_s));
        QVERIFY(app.find(u"syncChooseFolderButton"_s)->property("visualFocus").toBool());

        QTemporaryDir shared;
        QCOMPARE(app.state.sync()->chooseFolder(QUrl::fromLocalFile(shared.path()).toString()), QString());
        syncWindow(app);
        QVERIFY2(section->property("footer").toString().startsWith(u"Last synced "),
                 qPrintable(section->property("footer").toString()));
        QVERIFY(app.find(u"syncNowButton"_s)->isVisible());
        QCOMPARE(app.find(u"syncFolderText"_s)->property("text").toString(), QDir::cleanPath(shared.path()));
        QVERIFY(QDir(QDir(shared.path()).filePath(SyncEngine::folderName())).exists());

        // The folder and this computer's name stay inside the sheet, beside their labels.
        QQuickItem *folderText = app.find(u"syncFolderText"_s);
        QQuickItem *name = app.find(u"syncDeviceName"_s);
        const QRectF sheet = sceneRect(app.find(u"settingsView"_s));
        for (QQuickItem *item : {folderText, name})
            QVERIFY(sceneRect(item).left() >= sheet.left() && sceneRect(item).right() <= sheet.right());
        QVERIFY(!sceneRect(folderText).intersects(sceneRect(name)));
        saveScreenshot(app.window, u"settings-sync"_s);

        QCOMPARE(app.state.sync()->chooseFolder(shared.filePath(u"not-there"_s)),
                 u"The folder is not there: %1"_s.arg(shared.filePath(u"not-there"_s)));
        QVERIFY(tabTo(app.window, u"syncOffButton"_s));
        QTest::keyClick(app.window, Qt::Key_Space);
        QCOMPARE(section->property("footer").toString(), u"Off. Everything stays on this computer."_s);
    }

    // What the other computer wrote shows in the window after a pass, and two reflections of
    // one day are both offered until one text is kept.
    void otherComputersChangesArriveAndConflictsAreSettled()
    {
        AppUnderTest app;
        app.window->resize(1000, 700);
        QTemporaryDir shared;
        QCOMPARE(app.state.sync()->chooseFolder(shared.path()), QString());
        syncWindow(app);

        // The laptop joins before either computer writes the day's reflection: the two are
        // written apart.
        OtherComputer laptop(shared.path());
        ModelContext &here = *app.state.context();
        auto *mine = new JournalEntry(ninth);
        mine->setReflectionText(u"Written at the desk."_s);
        here.insert(mine);
        QVERIFY(here.save());
        syncWindow(app);

        addReading(*laptop.context, u"three_card"_s, ninth.addSecs(3600 * 20), true, {{u"major-17"_s, u"past"_s}});
        auto *theirs = new JournalEntry(ninth);
        theirs->setReflectionText(u"Written on the train."_s);
        laptop.context->insert(theirs);
        laptop.sync();

        syncWindow(app);
        const QList<Reading *> readings = here.fetch<Reading>();
        QCOMPARE(readings.size(), 1);
        QCOMPARE(readings.first()->drawnCards().size(), 1);
        QCOMPARE(app.state.sync()->otherDevices(), u"Also in this folder: Laptop"_s);

        QTest::keyClick(app.window, Qt::Key_Comma, Qt::ControlModifier);
        QVERIFY(QTest::qWaitFor([&] { return app.find(u"syncConflictRow0"_s) != nullptr; }));
        QCOMPARE(app.find(u"syncConflictRow0"_s)->property("text").toString(),
                 u"Changed on Two Computers: The reflection of 9 December 2026"_s);
        QVERIFY(tabTo(app.window, u"syncConflictRow0"_s));
        QTest::keyClick(app.window, Qt::Key_Return);
        QObject *sheet = app.find(u"syncSection"_s)->findChild<QObject *>(u"syncConflictSheet"_s);
        QVERIFY(sheet);
        QVERIFY(QTest::qWaitFor([&] { return sheet->property("opened").toBool(); }));
        const QString kept = sheet->property("kept").toString();
        const QString other = sheet->property("other").toString();
        QCOMPARE(QSet<QString>({kept, other}), QSet<QString>({u"Written at the desk."_s, u"Written on the train."_s}));
        saveScreenshot(app.window, u"settings-sync-conflict"_s);
        // Escape leaves both as they are.
        QTest::keyClick(app.window, Qt::Key_Escape);
        QVERIFY(QTest::qWaitFor([&] { return !sheet->property("visible").toBool(); }));
        QCOMPARE(app.state.sync()->conflicts().size(), 1);

        QTest::keyClick(app.window, Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([&] { return sheet->property("opened").toBool(); }));
        QVERIFY(tabTo(app.window, u"syncKeepMerged"_s));
        QTest::keyClick(app.window, Qt::Key_Space);
        QVERIFY(QTest::qWaitFor([&] { return !sheet->property("visible").toBool(); }));
        const QString merged = kept + u"\n\n"_s + other;
        QCOMPARE(here.fetch<JournalEntry>().first()->reflectionText(), merged);
        QVERIFY(app.state.sync()->conflicts().isEmpty());

        // The merge reaches the other computer as the one text of the day.
        syncWindow(app);
        laptop.sync();
        QCOMPARE(laptop.context->fetch<JournalEntry>().first()->reflectionText(), merged);
        QVERIFY(laptop.engine->conflicts().isEmpty());
    }
};

QTEST_MAIN(SyncWindowTest)
#include "tst_sync_window.moc"
