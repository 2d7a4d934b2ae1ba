#include "AppSection.h"
#include "AppSettings.h"
#include "AppState.h"
#include "ContentViewModel.h"
#include "ModelContext.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString storePath(const QTemporaryDir &dir)
{
    return dir.filePath(QStringLiteral("default.store"));
}

QList<AppSettings *> settingsOnDisk(const QString &path)
{
    static std::unique_ptr<ModelContext> reader;
    reader = ModelContext::open(path, nullptr);
    return reader ? reader->fetch<AppSettings>() : QList<AppSettings *>();
}

} // namespace

class AppStateTest : public QObject
{
    Q_OBJECT

private slots:
    void aFreshStoreGetsOneSavedSettingsRecord()
    {
        QTemporaryDir dir;
        {
            AppState state(storePath(dir));
            QVERIFY(state.storeReady());
            state.ensureAppSettings();
            state.ensureAppSettings(); // a second appearance adds nothing
            QCOMPARE(state.context()->fetch<AppSettings>().size(), 1);
            QVERIFY(!state.context()->hasChanges());
        }
        const auto stored = settingsOnDisk(storePath(dir));
        QCOMPARE(stored.size(), 1);
        QVERIFY(stored.first()->allowReversedCards());
    }

    void existingSettingsAreLeftAlone()
    {
        QTemporaryDir dir;
        {
            auto context = ModelContext::open(storePath(dir), nullptr);
            auto *settings = new AppSettings;
            settings->setAllowReversedCards(false);
            context->insert(settings);
            QVERIFY(context->save());
        }
        {
            AppState state(storePath(dir));
            state.ensureAppSettings();
            QVERIFY(!state.context()->hasChanges());
        }
        const auto stored = settingsOnDisk(storePath(dir));
        QCOMPARE(stored.size(), 1);
        QVERIFY(!stored.first()->allowReversedCards());
    }

    void twoSettingsRecordsStayTwo()
    {
        QTemporaryDir dir;
        {
            auto context = ModelContext::open(storePath(dir), nullptr);
            context->insert(new AppSettings);
            context->insert(new AppSettings);
            QVERIFY(context->save());
        }
        {
            AppState state(storePath(dir));
            state.ensureAppSettings();
        }
        QCOMPARE(settingsOnDisk(storePath(dir)).size(), 2);
    }

    void aStoreThatCannotOpenIsLoggedOnce()
    {
        QTemporaryDir dir;
        QFile file(storePath(dir));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a database at all, just some words that are long enough to matter\n");
        file.close();
        QTest::ignoreMessage(QtCriticalMsg, "Failed to create ModelContainer: The file is not a database.");
        AppState state(storePath(dir));
        QVERIFY(!state.storeReady());
        QVERIFY(!state.context());
        state.ensureAppSettings(); // nothing to do, and nothing may crash
        QCOMPARE(state.websiteUrl(), QUrl(AppState::websiteAddress()));
    }

    void sectionsComeFromTheirExactTitles()
    {
        QCOMPARE(AppSection::fromTitle(QStringLiteral("Daily Card")), std::optional(AppSection::DailyCard));
        QCOMPARE(AppSection::fromTitle(QStringLiteral("Journal")), std::optional(AppSection::Journal));
        QVERIFY(!AppSection::fromTitle(QStringLiteral("daily card")));
        QVERIFY(!AppSection::fromTitle(QString()));
        QCOMPARE(AppSection::all().size(), 5);
    }

    void changingSectionRenewsTheDetailOnly()
    {
        ContentViewModel model;
        QCOMPARE(model.selectedSection(), int(AppSection::DailyCard));
        const QString first = model.detailId();
        QSignalSpy renewed(&model, &ContentViewModel::detailIdChanged);

        model.setSelectedSection(AppSection::DailyCard); // same section: nothing to rebuild
        QCOMPARE(renewed.size(), 0);
        model.setShowSettings(true);
        model.setShowSettings(false);
        QCOMPARE(model.detailId(), first);

        model.setSelectedSection(AppSection::Library);
        model.setSelectedSection(AppSection::DailyCard);
        QCOMPARE(renewed.size(), 2);
        QVERIFY(model.detailId() != first);

        model.setSelectedSection(-1);
        QCOMPARE(model.selectedSection(), -1);
        model.setSelectedSection(42); // out of range counts as no selection
        QCOMPARE(model.selectedSection(), -1);
    }
};

QTEST_GUILESS_MAIN(AppStateTest)
#include "tst_app_state.moc"
