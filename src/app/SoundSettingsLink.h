#pragma once

#include <QObject>
#include <QPointer>

class AppSettings;
class AudioManager;
class ModelContext;

// Plays the card views' sound cues through the sound player, and keeps the player's switch in
// step with the stored "sound enabled" setting: at start and whenever the setting changes.
class SoundSettingsLink : public QObject
{
    Q_OBJECT

public:
    SoundSettingsLink(ModelContext *context, AudioManager &audio, QObject *parent = nullptr);

private:
    // Follows the first settings record, which is the one the settings sheet edits.
    void follow();
    void apply();

    QPointer<ModelContext> m_context;
    AudioManager &m_audio;
    QPointer<AppSettings> m_settings;
};
