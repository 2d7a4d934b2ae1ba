#include "AppSettings.h"
#include "AudioManager.h"
#include "Clock.h"
#include "DailyReminder.h"
#include "FakeNotificationCenter.h"
#include "ModelContext.h"
#include "SettingsViewModel.h"

#include <QDesktopServices>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

namespace {

// Receives the links the settings open instead of the desktop's handlers.
class LinkCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// A store with one settings record whose reminder time is `time`, and the sheet's model on it.
struct Sheet
{
    explicit Sheet(QTime time = QTime(9, 0), bool withRecord = true)
    {
        context = ModelContext::open(dir.filePath(QStringLiteral("default.store")), nullptr);
        if (withRecord) {
            auto *record = new AppSettings;
            record->setDailyReminderTime(QDateTime(QDate(2026, 5, 4), time));
            context->insert(record);
            context->save();
        }
        model = std::make_unique<SettingsViewModel>();
        model->setModelContext(context.get());
        model->setNotificationCenter(&center);
        model->setAudioManager(&AudioManager::shared());
        model->appear();
    }
    AppSettings *settings() const { return model->settings(); }
    // What the store file holds, read afresh.
    QList<AppSettings *> stored()
    {
        reader = ModelContext::open(context->path(), nullptr);
        return reader->fetch<AppSettings>();
    }
    QString scheduledTime() const
    {
        const auto it = center.pending.constFind(QStringLiteral("daily_card_reminder"));
        return it == center.pending.constEnd() ? QString() : it->time.toString(QStringLiteral("HH:mm"));
    }

    QTemporaryDir dir;
    std::unique_ptr<ModelContext> context;
    std::unique_ptr<ModelContext> reader;
    FakeNotificationCenter center;
    std::unique_ptr<SettingsViewModel> model;
};

} // namespace

class SettingsModelTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { Clock::pin(QDateTime(QDate(2026, 5, 4), QTime(12, 0))); }
    void cleanup()
    {
        Clock::reset();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    // On: saved at once, scheduled at the stored time once permission comes; a time changed twice
    // leaves one request at the second time; off removes it.
    void theReminderFollowsTheSwitchAndTheTime()
    {
        Sheet sheet(QTime(7, 30));
        sheet.model->setDailyReminderEnabled(true);
        QVERIFY(!sheet.context->hasChanges());
        QVERIFY(sheet.stored().constFirst()->dailyReminderEnabled());
        QVERIFY(sheet.center.pending.isEmpty()); // nothing without permission yet

        sheet.center.answer(true);
        QCOMPARE(sheet.center.pending.size(), 1);
        QCOMPARE(sheet.scheduledTime(), QStringLiteral("07:30"));
        QVERIFY(sheet.settings()->dailyReminderEnabled());

        sheet.model->setReminderTime(8, 15);
        sheet.model->setReminderTime(22, 40);
        QCOMPARE(sheet.center.pending.size(), 1);
        QCOMPARE(sheet.scheduledTime(), QStringLiteral("22:40"));
        const QDateTime saved = sheet.stored().constFirst()->dailyReminderTime().toLocalTime();
        QCOMPARE(saved, QDateTime(QDate(2026, 5, 4), QTime(22, 40)));
        QCOMPARE(sheet.model->reminderTimeText(), QStringLiteral("10:40 PM"));

        sheet.model->setDailyReminderEnabled(false);
        QVERIFY(sheet.center.pending.isEmpty());
        QVERIFY(!sheet.stored().constFirst()->dailyReminderEnabled());
    }

    // An answer that comes after the switch went off schedules nothing, one that comes after the
    // sheet closed still schedules. (A refusal is followed in the settings window's test.)
    void permissionAnswersAreFollowed()
    {
        Sheet sheet;
        sheet.model->setDailyReminderEnabled(true);
        sheet.model->setDailyReminderEnabled(false);
        sheet.center.answer(true);
        QVERIFY(sheet.center.pending.isEmpty());
        QVERIFY(!sheet.settings()->dailyReminderEnabled());

        sheet.model->setReminderTime(6, 15);
        sheet.model->setDailyReminderEnabled(true);
        sheet.model.reset();
        sheet.center.answer(true);
        QCOMPARE(sheet.scheduledTime(), QStringLiteral("06:15"));

        // Without any notification centre the switch does not stay on either.
        Sheet alone;
        alone.model->setNotificationCenter(nullptr);
        alone.model->setDailyReminderEnabled(true);
        QVERIFY(!alone.settings()->dailyReminderEnabled());
        QVERIFY(alone.model->reminderRefusal().contains("no notification service"));

        // A refusal says why the switch went back off, until the next try.
        Sheet refused;
        refused.model->setDailyReminderEnabled(true);
        QVERIFY(refused.model->reminderRefusal().isEmpty());
        refused.center.answer(false);
        QVERIFY(!refused.settings()->dailyReminderEnabled());
        QVERIFY(refused.model->reminderRefusal().contains("did not allow notifications"));
        refused.model->setDailyReminderEnabled(true);
        QVERIFY(refused.model->reminderRefusal().isEmpty());
    }

    // An empty store gets one saved settings record; each appearance applies the sound setting.
    void appearingMakesOneRecordAndAppliesTheSound()
    {
        Sheet sheet(QTime(9, 0), false);
        QVERIFY(sheet.settings());
        sheet.model->appear();
        QCOMPARE(sheet.context->fetch<AppSettings>().size(), 1);
        const auto stored = sheet.stored();
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.constFirst()->dailyReminderTime().time(), QTime(9, 0));
        QVERIFY(!AudioManager::shared().isEnabled());
        for (const bool on : {true, false}) {
            sheet.settings()->setSoundEnabled(on);
            sheet.model->appear();
            QCOMPARE(AudioManager::shared().isEnabled(), on);
        }
    }

    // The mail link ends with the app's version and, on a line of its own, the system's name as
    // the platform gives it.
    void feedbackOpensTheMailLinkAndTheWebsite()
    {
        const QString system = QStringLiteral("Debian GNU/Linux 12 (bookworm)");
        QVERIFY(SettingsViewModel::feedbackMailText(system).endsWith(QStringLiteral("%0A") + system));
        LinkCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
        Sheet sheet;
        sheet.model->setMailProgramCheck([] { return true; });
        sheet.model->sendFeedback();
        sheet.model->openWebsite();
        QVERIFY(!sheet.model->showsFeedbackAddress());
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.opened.size(), 2);
        QCOMPARE(catcher.opened.at(0).scheme(), QStringLiteral("mailto"));
        QCOMPARE(QUrlQuery(catcher.opened.at(0)).queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("\n\n---\nApp Version: " QUILLMOOR_VERSION "\n") + QSysInfo::prettyProductName());
        QCOMPARE(catcher.opened.at(1).host(), sheet.model->websiteHost());

        // Without a mail program nothing is opened: the address is shown to copy, until a
        // later try reaches one.
        Sheet bare;
        bool hasMailProgram = false;
        bare.model->setMailProgramCheck([&hasMailProgram] { return hasMailProgram; });
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
        bare.model->sendFeedback();
        QVERIFY(bare.model->showsFeedbackAddress());
        QCOMPARE(catcher.opened.size(), 2);
        hasMailProgram = true;
        bare.model->sendFeedback();
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QVERIFY(!bare.model->showsFeedbackAddress());
        QCOMPARE(catcher.opened.size(), 3);
    }

    // The picker's keys: each part wraps on its own, digits type a part, letters pick AM or PM.
    void thePickerKeysChangeTheReminderTime_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QTime>("start");
        QTest::addColumn<QStringList>("keys"); // part (h, m, p) then a step (+1, -1) or a typed key
        QTest::addColumn<QTime>("expected");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char *name, const char *locale, QTime start, const QStringList &keys, QTime expected,
                            const char *shown) {
            QTest::newRow(name) << QString::fromLatin1(locale) << start << keys << expected << QString::fromUtf8(shown);
        };
        row("hour wraps up", "en_GB", QTime(23, 10), {"h+1"}, QTime(0, 10), "00:10");
        row("minute wraps down without carrying", "en_GB", QTime(7, 0), {"m-1"}, QTime(7, 59), "07:59");
        row("two digits make the hour", "en_GB", QTime(9, 0), {"h2", "h1"}, QTime(21, 0), "21:00");
        row("a second digit that does not fit starts again", "en_GB", QTime(9, 0), {"h2", "h7"}, QTime(7, 0), "07:00");
        row("a step ends the typing", "en_GB", QTime(9, 0), {"m4", "m+1", "m5"}, QTime(9, 5), "09:05");
        row("12-hour clock keeps the afternoon", "en_US", QTime(15, 0), {"h1", "h1"}, QTime(23, 0), "11:00 PM");
        row("twelve in the morning is midnight", "en_US", QTime(9, 30), {"h1", "h2"}, QTime(0, 30), "12:30 AM");
        row("a leading zero waits", "en_US", QTime(9, 30), {"h0", "h7"}, QTime(7, 30), "7:30 AM");
        row("the period flips with arrows", "en_US", QTime(9, 30), {"p+1"}, QTime(21, 30), "9:30 PM");
        row("the period takes a letter", "en_US", QTime(21, 30), {"pa"}, QTime(9, 30), "9:30 AM");
    }
    void thePickerKeysChangeTheReminderTime()
    {
        QFETCH(QString, locale);
        QFETCH(QTime, start);
        QFETCH(QStringList, keys);
        QFETCH(QTime, expected);
        QFETCH(QString, shown);
        QLocale::setDefault(QLocale(locale));
        Sheet sheet(start);
        sheet.model->setDailyReminderEnabled(true);
        sheet.center.answer(true);
        for (const QString &key : keys) {
            const auto segment = key.at(0) == QLatin1Char('h')   ? SettingsViewModel::Hour
                                 : key.at(0) == QLatin1Char('m') ? SettingsViewModel::Minute
                                                                 : SettingsViewModel::Period;
            const QString rest = key.mid(1);
            if (rest == QLatin1String("+1") || rest == QLatin1String("-1"))
                sheet.model->stepReminderTime(segment, rest.toInt());
            else
                QVERIFY(sheet.model->typeReminderKey(segment, rest));
        }
        QCOMPARE(sheet.settings()->dailyReminderTime().time(), expected);
        QCOMPARE(sheet.scheduledTime(), expected.toString(QStringLiteral("HH:mm")));
        const QString text =
            sheet.model->hourText() + QLatin1Char(':') + sheet.model->minuteText() +
            (sheet.model->uses24HourClock() ? QString() : QLatin1Char(' ') + sheet.model->periodText());
        QCOMPARE(text, shown);
        QVERIFY(!sheet.model->typeReminderKey(SettingsViewModel::Minute, QStringLiteral("x")));
    }
};

QTEST_MAIN(SettingsModelTest)
#include "tst_settings_model.moc"
