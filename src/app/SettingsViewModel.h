#pragma once

#include "AppSettings.h"
#include "AudioManager.h"
#include "ModelContext.h"
#include "NotificationCenter.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <functional>

// The settings sheet: edits the one settings record (reversed cards, the daily reminder and its
// time), keeps the daily reminder notification in step with it, and builds the feedback mail.
// The sheet calls appear() each time it opens.
class SettingsViewModel : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(ModelContext *modelContext READ modelContext WRITE setModelContext NOTIFY modelContextChanged)
    Q_PROPERTY(NotificationCenter *notificationCenter READ notificationCenter WRITE setNotificationCenter NOTIFY
                   notificationCenterChanged)
    Q_PROPERTY(AudioManager *audioManager READ audioManager WRITE setAudioManager NOTIFY audioManagerChanged)
    Q_PROPERTY(AppSettings *settings READ settings NOTIFY settingsChanged)
    Q_PROPERTY(bool uses24HourClock READ uses24HourClock CONSTANT)
    Q_PROPERTY(QString hourText READ hourText NOTIFY reminderTimeChanged)
    Q_PROPERTY(QString minuteText READ minuteText NOTIFY reminderTimeChanged)
    Q_PROPERTY(QString periodText READ periodText NOTIFY reminderTimeChanged)
    Q_PROPERTY(QString reminderTimeText READ reminderTimeText NOTIFY reminderTimeChanged)
    Q_PROPERTY(bool remindersNeedApp READ remindersNeedApp NOTIFY remindersNeedAppChanged)
    Q_PROPERTY(QString reminderRefusal READ reminderRefusal NOTIFY reminderRefusalChanged)
    Q_PROPERTY(QString version READ version CONSTANT)
    Q_PROPERTY(QString deckThemeName READ deckThemeName CONSTANT)
    Q_PROPERTY(QString websiteHost READ websiteHost CONSTANT)
    Q_PROPERTY(bool showsFeedbackAddress READ showsFeedbackAddress NOTIFY showsFeedbackAddressChanged)
    Q_PROPERTY(QString feedbackAddress READ feedbackAddress CONSTANT)

public:
    // The parts of the reminder time picker.
    enum Segment { Hour, Minute, Period };
    Q_ENUM(Segment)

    explicit SettingsViewModel(QObject *parent = nullptr);

    // The sheet opened: makes sure a settings record exists (creating and saving one when the
    // store has none) and switches the sound player to the stored sound setting.
    Q_INVOKABLE void appear();
    Q_INVOKABLE void setAllowReversedCards(bool allow);
    // On: asks for permission, and schedules the reminder once it is granted (a refusal turns
    // the switch back off). Off: cancels the reminder. Saves right away in both cases.
    Q_INVOKABLE void setDailyReminderEnabled(bool enabled);
    // Stores the new time and reschedules the reminder at it.
    Q_INVOKABLE void setReminderTime(int hour, int minute);
    // The arrow keys on a part of the picker: each part wraps around on its own.
    Q_INVOKABLE void stepReminderTime(SettingsViewModel::Segment segment, int delta);
    // A key typed on a part of the picker: digits (two make a number) and, on the period, the
    // first letter of AM or PM. Returns whether the key was used.
    Q_INVOKABLE bool typeReminderKey(SettingsViewModel::Segment segment, const QString &text);
    // Opens the feedback mail, or shows the address when there is no mail program.
    Q_INVOKABLE void sendFeedback();
    Q_INVOKABLE void openWebsite() const;

    ModelContext *modelContext() const { return m_context; }
    void setModelContext(ModelContext *context);
    NotificationCenter *notificationCenter() const { return m_center; }
    void setNotificationCenter(NotificationCenter *center);
    AudioManager *audioManager() const { return m_audio; }
    void setAudioManager(AudioManager *audio);

    // The record this sheet created itself, otherwise the first stored one, otherwise none.
    AppSettings *settings() const { return m_current; }
    bool uses24HourClock() const;
    QString hourText() const;
    QString minuteText() const;
    QString periodText() const;
    QString reminderTimeText() const;
    bool remindersNeedApp() const;
    QString version() const { return QStringLiteral(QUILLMOOR_VERSION); }
    QString deckThemeName() const { return tr("Dark Art Nouveau"); }
    QString websiteHost() const;

    static QString feedbackAddress();
    // The operating system's name and version as the platform reports it.
    static QString operatingSystemText();
    // The feedback mail link, with `osText` appended as it is.
    static QString feedbackMailText(const QString &osText);
    // That link as a URL; invalid when it does not form one.
    static QUrl feedbackUrl(const QString &osText);

    // Whether the desktop has a program for mail links. The system's answer unless a test says
    // otherwise.
    using MailProgramCheck = std::function<bool()>;
    void setMailProgramCheck(MailProgramCheck check) { m_hasMailProgram = std::move(check); }
    static bool systemHasMailProgram();
    // True once Send Feedback found no mail program: the address is shown to copy instead.
    bool showsFeedbackAddress() const { return m_showsFeedbackAddress; }
    // Why the Daily Reminder switch went back off, until it is tried again; empty otherwise.
    QString reminderRefusal() const { return m_reminderRefusal; }
    Q_INVOKABLE void copyFeedbackAddress() const;

signals:
    void modelContextChanged();
    void notificationCenterChanged();
    void audioManagerChanged();
    void settingsChanged();
    void reminderTimeChanged();
    void remindersNeedAppChanged();
    void showsFeedbackAddressChanged();
    void reminderRefusalChanged();

private:
    void refresh();
    void setReminderRefusal(const QString &reason);
    int reminderHour() const;
    int reminderMinute() const;
    void setSegment(Segment segment, int value);

    QPointer<ModelContext> m_context;
    QPointer<NotificationCenter> m_center;
    QPointer<AudioManager> m_audio;
    QPointer<AppSettings> m_local;
    QPointer<AppSettings> m_current;
    // The first digit typed on a part of the picker, waiting for a second.
    Segment m_typingSegment = Hour;
    int m_typedDigit = -1;
    MailProgramCheck m_hasMailProgram = &SettingsViewModel::systemHasMailProgram;
    bool m_showsFeedbackAddress = false;
    QString m_reminderRefusal;
};
