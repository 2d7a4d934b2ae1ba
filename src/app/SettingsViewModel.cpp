#include "SettingsViewModel.h"

#include "AppSettings.h"
#include "AppState.h"
#include "AudioManager.h"
#include "Clock.h"
#include "DailyReminder.h"
#include "ModelContext.h"
#include "NotificationCenter.h"
#include "Settings.h"
#include "StoreLog.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>

SettingsViewModel::SettingsViewModel(QObject *parent) : QObject(parent)
{}

void SettingsViewModel::setModelContext(ModelContext *context)
{
    if (context == m_context)
        return;
    if (m_context)
        disconnect(m_context, nullptr, this, nullptr);
    m_context = context;
    if (m_context)
        connect(m_context, &ModelContext::changed, this, &SettingsViewModel::refresh);
    emit modelContextChanged();
    refresh();
}

void SettingsViewModel::setNotificationCenter(NotificationCenter *center)
{
    if (center == m_center)
        return;
    if (m_center)
        disconnect(m_center, nullptr, this, nullptr);
    m_center = center;
    if (m_center)
        connect(m_center, &NotificationCenter::deliversWhileClosedChanged, this,
                &SettingsViewModel::remindersNeedAppChanged);
    emit notificationCenterChanged();
    emit remindersNeedAppChanged();
}

void SettingsViewModel::setAudioManager(AudioManager *audio)
{
    if (audio == m_audio)
        return;
    m_audio = audio;
    emit audioManagerChanged();
}

void SettingsViewModel::refresh()
{
    AppSettings *current = nullptr;
    if (m_local && !m_local->isDeleted()) {
        current = m_local;
    } else {
        current = Settings(m_context).stored();
    }
    if (current == m_current)
        return;
    if (m_current)
        disconnect(m_current, nullptr, this, nullptr);
    m_current = current;
    if (m_current)
        connect(m_current, &AppSettings::dailyReminderTimeChanged, this, &SettingsViewModel::reminderTimeChanged);
    emit settingsChanged();
    emit reminderTimeChanged();
}

void SettingsViewModel::appear()
{
    refresh();
    if (!m_current && !m_local && m_context) {
        auto *created = new AppSettings;
        m_context->insert(created);
        saveContext(*m_context);
        m_local = created;
        refresh();
    }
    if (m_audio)
        m_audio->setEnabled(m_current && m_current->soundEnabled());
}

void SettingsViewModel::setAllowReversedCards(bool allow)
{
    if (!m_current || !m_context)
        return;
    m_current->setAllowReversedCards(allow);
    saveContext(*m_context);
}

void SettingsViewModel::setDailyReminderEnabled(bool enabled)
{
    if (!m_current || !m_context)
        return;
    AppSettings *settings = m_current;
    settings->setDailyReminderEnabled(enabled);
    setReminderRefusal(QString());
    if (enabled) {
        if (m_center) {
            // The answer is tied to the record, not to this sheet: closing the sheet before it
            // comes must not leave the switch on without a reminder.
            QPointer<AppSettings> record(settings);
            QPointer<NotificationCenter> center(m_center);
            QPointer<SettingsViewModel> sheet(this);
            m_center->requestAuthorization(settings, [record, center, sheet](bool granted) {
                if (!record)
                    return;
                if (!granted) {
                    record->setDailyReminderEnabled(false);
                    if (sheet)
                        sheet->setReminderRefusal(
                            tr("The reminder could not be turned on: the desktop did not allow notifications."));
                    return;
                }
                // The switch may have been turned off while the question was open.
                if (record->dailyReminderEnabled() && center)
                    DailyReminder::schedule(*center, record->dailyReminderTime());
            });
        } else {
            settings->setDailyReminderEnabled(false);
            setReminderRefusal(tr("The reminder could not be turned on: this desktop has no notification service."));
        }
    } else if (m_center) {
        DailyReminder::cancel(*m_center);
    }
    saveContext(*m_context);
}

void SettingsViewModel::setReminderRefusal(const QString &reason)
{
    if (m_reminderRefusal == reason)
        return;
    m_reminderRefusal = reason;
    emit reminderRefusalChanged();
}

int SettingsViewModel::reminderHour() const
{
    return m_current ? m_current->dailyReminderTime().toLocalTime().time().hour() : 9;
}

int SettingsViewModel::reminderMinute() const
{
    return m_current ? m_current->dailyReminderTime().toLocalTime().time().minute() : 0;
}

void SettingsViewModel::setReminderTime(int hour, int minute)
{
    if (!m_current || !m_context || hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return;
    if (hour == reminderHour() && minute == reminderMinute())
        return;
    const QDateTime old = m_current->dailyReminderTime().toLocalTime();
    const QDateTime time(old.isValid() ? old.date() : Clock::today(), QTime(hour, minute));
    m_current->setDailyReminderTime(time);
    if (m_center)
        DailyReminder::schedule(*m_center, time);
    saveContext(*m_context);
}

void SettingsViewModel::setSegment(Segment segment, int value)
{
    switch (segment) {
    case Hour:
        setReminderTime(value, reminderMinute());
        break;
    case Minute:
        setReminderTime(reminderHour(), value);
        break;
    case Period:
        setReminderTime(reminderHour() % 12 + (value ? 12 : 0), reminderMinute());
        break;
    }
}

void SettingsViewModel::stepReminderTime(Segment segment, int delta)
{
    m_typedDigit = -1;
    switch (segment) {
    case Hour:
        setSegment(Hour, ((reminderHour() + delta) % 24 + 24) % 24);
        break;
    case Minute:
        setSegment(Minute, ((reminderMinute() + delta) % 60 + 60) % 60);
        break;
    case Period:
        if (delta % 2 != 0)
            setSegment(Period, reminderHour() < 12 ? 1 : 0);
        break;
    }
}

bool SettingsViewModel::typeReminderKey(Segment segment, const QString &text)
{
    if (text.size() != 1)
        return false;
    const QChar key = text.at(0);
    if (segment == Period) {
        const QLocale locale;
        const QChar am = locale.amText().isEmpty() ? QLatin1Char('a') : locale.amText().at(0).toLower();
        const QChar pm = locale.pmText().isEmpty() ? QLatin1Char('p') : locale.pmText().at(0).toLower();
        if (key.toLower() == am || key.toLower() == pm) {
            setSegment(Period, key.toLower() == pm ? 1 : 0);
            return true;
        }
        return false;
    }
    if (!key.isDigit() || key.unicode() > '9')
        return false;
    const int digit = key.digitValue();
    const bool twelveHour = segment == Hour && !uses24HourClock();
    const int minimum = twelveHour ? 1 : 0;
    const int maximum = segment == Minute ? 59 : twelveHour ? 12 : 23;

    // A second digit completes the number begun by the first when the result fits.
    int value = digit;
    bool waitForMore = true;
    if (m_typedDigit >= 0 && m_typingSegment == segment && m_typedDigit * 10 + digit <= maximum &&
        m_typedDigit * 10 + digit >= minimum) {
        value = m_typedDigit * 10 + digit;
        waitForMore = false;
    }
    m_typingSegment = segment;
    m_typedDigit = waitForMore && digit * 10 <= maximum ? digit : -1;
    if (value < minimum)
        return true; // a leading zero of a 12-hour clock: wait for the next digit
    if (twelveHour)
        value = value % 12 + (reminderHour() >= 12 ? 12 : 0);
    setSegment(segment, value);
    return true;
}

bool SettingsViewModel::uses24HourClock() const
{
    const QString format = QLocale().timeFormat(QLocale::ShortFormat);
    return !format.contains(QLatin1String("ap"), Qt::CaseInsensitive);
}

QString SettingsViewModel::hourText() const
{
    const int hour = reminderHour();
    if (uses24HourClock())
        return QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0'));
    return QString::number(hour % 12 == 0 ? 12 : hour % 12);
}

QString SettingsViewModel::minuteText() const
{
    return QStringLiteral("%1").arg(reminderMinute(), 2, 10, QLatin1Char('0'));
}

QString SettingsViewModel::periodText() const
{
    return reminderHour() < 12 ? QLocale().amText() : QLocale().pmText();
}

QString SettingsViewModel::reminderTimeText() const
{
    return QLocale().toString(QTime(reminderHour(), reminderMinute()), QLocale::ShortFormat);
}

bool SettingsViewModel::remindersNeedApp() const
{
    return m_center && !m_center->deliversWhileClosed();
}

QString SettingsViewModel::websiteHost() const
{
    return QUrl(AppState::websiteAddress()).host();
}

QString SettingsViewModel::feedbackAddress()
{
    return QStringLiteral("feedback@quillmoor.app");
}

QString SettingsViewModel::operatingSystemText()
{
    // The distribution's own name and version ("Debian GNU/Linux 12 (bookworm)").
    const QString name = QSysInfo::prettyProductName();
    return name.isEmpty() ? QStringLiteral("Linux") : name;
}

QString SettingsViewModel::feedbackMailText(const QString &osText)
{
    return QStringLiteral("mailto:") + feedbackAddress() +
           QStringLiteral("?subject=Quillmoor%20Tarot%20Feedback&body=%0A%0A---%0AApp%20Version:%20") +
           QString::fromLatin1(QUrl::toPercentEncoding(QStringLiteral(QUILLMOOR_VERSION))) + QStringLiteral("%0A") +
           osText;
}

QUrl SettingsViewModel::feedbackUrl(const QString &osText)
{
    const QUrl url(feedbackMailText(osText), QUrl::TolerantMode);
    return url.isValid() ? url : QUrl();
}

void SettingsViewModel::sendFeedback()
{
    const QUrl url = feedbackUrl(operatingSystemText());
    const bool opened = url.isValid() && m_hasMailProgram() && QDesktopServices::openUrl(url);
    if (opened == !m_showsFeedbackAddress)
        return;
    m_showsFeedbackAddress = !opened;
    emit showsFeedbackAddressChanged();
}

bool SettingsViewModel::systemHasMailProgram()
{
    // The desktop's own answer; without the tool to ask, opening the link is left to try.
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return true;
    QProcess process;
    process.start(query,
                  {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/mailto")});
    if (!process.waitForFinished(2000))
        return true;
    return !process.readAllStandardOutput().trimmed().isEmpty();
}

void SettingsViewModel::copyFeedbackAddress() const
{
    QGuiApplication::clipboard()->setText(feedbackAddress());
}

void SettingsViewModel::openWebsite() const
{
    const QUrl url(AppState::websiteAddress(), QUrl::StrictMode);
    if (url.isValid())
        QDesktopServices::openUrl(url);
}
