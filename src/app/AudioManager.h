#pragma once

#include "ResourceLocation.h"
#include "SoundCues.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace SoundEffect {
// The file name without its "mp3" extension.
QString resourceName(Effect effect);
// The volume the effect is played at, 0 to 1.
double volume(Effect effect);
} // namespace SoundEffect

// Plays the sound effects, one at a time: each play replaces the player of the previous one.
// Off until the settings switch it on; while off every request is ignored. Missing files, an
// unreadable file or a machine without an audio device stay silent.
class AudioManager : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool isEnabled READ isEnabled WRITE setEnabled NOTIFY isEnabledChanged)
    // The player of the last sound (a QMediaPlayer), kept until the next one replaces it.
    Q_PROPERTY(QObject *audioPlayer READ audioPlayer NOTIFY audioPlayerChanged)

public:
    // The one instance, created on first use. Chooses the media back end first (see below).
    static AudioManager &shared();
    static AudioManager *create(QQmlEngine *, QJSEngine *);

    // Debian's Qt 6.4 decodes MP3 only with the FFmpeg back end; its default (GStreamer) finds no
    // codecs. Sets QT_MEDIA_BACKEND=ffmpeg unless the environment already chose one. Must run
    // before the first multimedia object exists; main() calls it too.
    static void chooseMediaBackend();

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    QObject *audioPlayer() const { return m_player; }

    Q_INVOKABLE void play(SoundEffect::Effect effect);

    // A path the media back end can open for a sound found at `path`: the path itself for a
    // file on disk; for a compiled-in resource, a copy in a private temporary folder made once
    // per process (the FFmpeg back end of Qt 6.4 cannot read ":/" resources). Empty when the
    // copy cannot be made.
    static QString playableFile(const QString &path);

signals:
    void isEnabledChanged();
    void audioPlayerChanged();

private:
    explicit AudioManager(QObject *parent = nullptr);

    bool m_enabled = false;
    QObject *m_player = nullptr;
};
