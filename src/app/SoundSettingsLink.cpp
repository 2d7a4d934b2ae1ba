#include "SoundSettingsLink.h"

#include "AppSettings.h"
#include "AudioManager.h"
#include "ModelContext.h"
#include "Settings.h"
#include "SoundCues.h"

SoundSettingsLink::SoundSettingsLink(ModelContext *context, AudioManager &audio, QObject *parent)
    : QObject(parent), m_context(context), m_audio(audio)
{
    connect(&SoundCues::shared(), &SoundCues::cued, &m_audio, &AudioManager::play);
    if (m_context)
        connect(m_context, &ModelContext::changed, this, &SoundSettingsLink::follow);
    follow();
}

void SoundSettingsLink::follow()
{
    AppSettings *first = Settings(m_context).stored();
    if (first != m_settings) {
        if (m_settings)
            disconnect(m_settings, nullptr, this, nullptr);
        m_settings = first;
        if (m_settings)
            connect(m_settings, &AppSettings::soundEnabledChanged, this, &SoundSettingsLink::apply);
    }
    apply();
}

void SoundSettingsLink::apply()
{
    m_audio.setEnabled(m_settings && m_settings->soundEnabled());
}
