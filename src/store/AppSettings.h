#pragma once

#include "Record.h"

#include <QDateTime>

// The user's settings. The application keeps exactly one.
class AppSettings : public Record
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Settings are created by the store")
    Q_PROPERTY(
        bool allowReversedCards READ allowReversedCards WRITE setAllowReversedCards NOTIFY allowReversedCardsChanged)
    Q_PROPERTY(bool dailyReminderEnabled READ dailyReminderEnabled WRITE setDailyReminderEnabled NOTIFY
                   dailyReminderEnabledChanged)
    Q_PROPERTY(
        QDateTime dailyReminderTime READ dailyReminderTime WRITE setDailyReminderTime NOTIFY dailyReminderTimeChanged)
    Q_PROPERTY(bool hasCompletedOnboarding READ hasCompletedOnboarding WRITE setHasCompletedOnboarding NOTIFY
                   hasCompletedOnboardingChanged)
    Q_PROPERTY(bool soundEnabled READ soundEnabled WRITE setSoundEnabled NOTIFY soundEnabledChanged)
    Q_PROPERTY(QString activeDeckTheme READ activeDeckTheme WRITE setActiveDeckTheme NOTIFY activeDeckThemeChanged)
    Q_PROPERTY(bool guidedReadingMode READ guidedReadingMode WRITE setGuidedReadingMode NOTIFY guidedReadingModeChanged)

public:
    // Every property at its default; the reminder time is today at 09:00 local time.
    explicit AppSettings(QObject *parent = nullptr);
    AppSettings(Loading, QObject *parent = nullptr) : Record(parent) {}

    bool allowReversedCards() const { return m_allowReversedCards; }
    void setAllowReversedCards(bool v) { setField(m_allowReversedCards, v, &AppSettings::allowReversedCardsChanged); }
    bool dailyReminderEnabled() const { return m_dailyReminderEnabled; }
    void setDailyReminderEnabled(bool v)
    {
        setField(m_dailyReminderEnabled, v, &AppSettings::dailyReminderEnabledChanged);
    }
    QDateTime dailyReminderTime() const { return m_dailyReminderTime; }
    void setDailyReminderTime(const QDateTime &v)
    {
        setField(m_dailyReminderTime, v, &AppSettings::dailyReminderTimeChanged);
    }
    bool hasCompletedOnboarding() const { return m_hasCompletedOnboarding; }
    void setHasCompletedOnboarding(bool v)
    {
        setField(m_hasCompletedOnboarding, v, &AppSettings::hasCompletedOnboardingChanged);
    }
    bool soundEnabled() const { return m_soundEnabled; }
    void setSoundEnabled(bool v) { setField(m_soundEnabled, v, &AppSettings::soundEnabledChanged); }
    QString activeDeckTheme() const { return m_activeDeckTheme; }
    void setActiveDeckTheme(const QString &v) { setField(m_activeDeckTheme, v, &AppSettings::activeDeckThemeChanged); }
    bool guidedReadingMode() const { return m_guidedReadingMode; }
    void setGuidedReadingMode(bool v) { setField(m_guidedReadingMode, v, &AppSettings::guidedReadingModeChanged); }

signals:
    void allowReversedCardsChanged();
    void dailyReminderEnabledChanged();
    void dailyReminderTimeChanged();
    void hasCompletedOnboardingChanged();
    void soundEnabledChanged();
    void activeDeckThemeChanged();
    void guidedReadingModeChanged();

private:
    bool m_allowReversedCards = true;
    bool m_dailyReminderEnabled = false;
    QDateTime m_dailyReminderTime;
    bool m_hasCompletedOnboarding = false;
    bool m_soundEnabled = false;
    QString m_activeDeckTheme = QStringLiteral("dark-art-nouveau");
    bool m_guidedReadingMode = true;
};
